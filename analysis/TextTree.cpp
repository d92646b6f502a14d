#include "analysis/TextTree.h"

#include "analysis/Files.h"
#include "analysis/LintraFuncs.h"
#include "analysis/TreeWalk.h"
#include "errors/modPendryError.h"
#include "platform/Deref.h"

namespace lintra {

namespace {

constexpr TextView kCrLf = u"\r\n";
constexpr int32_t kNameColumn = 40;

// One line: prefix, name, markers, blanks up to the folder column, then the folder.
Text fsFileAttributes(const Text& prefix, File& file, bool showPath) {
  ErrorTrap trap(u"Lintra", u"fsFileAttributes");
  Text line;
  trap.Step([&] {
    Text s = prefix + file.Name();
    if (file.DuplicateInclude()) s += u" ! ";
    if (file.MissingFile() || file.CircularInclude()) {
      s += u" *ERROR* ";
      showPath = false;
    }
    if (text::Len(s) < kNameColumn) s.append(static_cast<size_t>(kNameColumn - text::Len(s)), u' ');
    if (showPath) {
      s += file.RootFile() ? file.Path()
                           : gfsRelativePath(Deref(file.BaseFile()).Path(), file.Path());
    }
    line = std::move(s);
  });
  return line;
}

// Appends the lines below `file`: for each include a connector line, the include's own line
// and then the lines below the include with the prefix grown by one connector. Each file whose
// includes are being drawn is a frame of a walk with the error trap that its own call would have.
// The frames share one prefix: a frame's prefix is its first `prefixLength` characters. When
// `bounded`, more includes or levels than a 16-bit count holds are an overflow, as in the control.
void fsTextTree(int32_t depth, const Text& prefix, File& file, Text& out, bool bounded) {
  struct Frame {
    ErrorTrap trap;
    std::shared_ptr<Files> includes;
    int32_t depth;
    size_t prefixLength;
    size_t mark;
    int32_t count = 0;
    int32_t next = 1;
  };
  TreeWalk<Frame> walk;
  Text shared = prefix;
  auto enter = [&](int32_t level, File& drawn) {
    Frame& frame = walk.Enter(ErrorTrap(u"Lintra", u"fsTextTree"), drawn.Includes(), level,
                              shared.size(), out.size());
    frame.trap.Step([&] {
      if (bounded && (frame.includes->size() > 32767 || level >= 32767)) {
        RaisePlatformError(ErrorNumber::Overflow);
      }
      frame.count = static_cast<int32_t>(frame.includes->size());
    });
  };
  enter(depth, file);
  walk.Run([&](Frame& top) {
    if (top.trap.Aborted()) {
      out.resize(top.mark);
      return false;
    }
    if (top.next > top.count) return false;
    const int32_t i = top.next++;
    top.trap.Step([&] {
      File& child = Deref((*top.includes)[static_cast<size_t>(i - 1)]);
      const bool last = i == top.count;
      shared.resize(top.prefixLength);
      out.append(shared).append(u"|    ").append(kCrLf);
      out.append(fsFileAttributes(shared + (last ? u"\\--- " : u"+--- "), child, true));
      out.append(kCrLf);
      shared.append(last ? u"     " : u"|    ");
      enter(top.depth + 1, child);
    });
    return true;
  });
}

void AppendDrawing(File& root, Text& out, bool bounded) {
  out.append(fsFileAttributes(u"", root, true)).append(kCrLf);
  fsTextTree(1, u"", root, out, bounded);
  out.append(kCrLf).append(kCrLf);
}

}  // namespace

void AppendTextTree(File& root, Text& out) {
  AppendDrawing(root, out, true);
}

void AppendWholeTextTree(File& root, Text& out) {
  AppendDrawing(root, out, false);
}

}  // namespace lintra
