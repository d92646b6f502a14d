#include "analysis/File.h"
#include "analysis/Files.h"
#include "analysis/LintraFuncs.h"
#include "control/ControlSupport.h"
#include "control/Lintra.h"
#include "errors/modPendryError.h"

namespace {

constexpr TextView kCrLf = u"\r\n";
constexpr int32_t kNameColumn = 40;

}  // namespace

// Draws every page of the tree view, in the order the pages were added, each followed by two
// empty lines. Abandoned on an error, it returns the pages completed so far.
Text Lintra::TextTree() {
  ErrorTrap trap(u"Lintra", u"TextTree");
  Text result;
  for (const std::shared_ptr<Node>& node : tvLintra_.GetNodes()) {
    if (node->ParentNode()) continue;
    Text page;
    const bool done = trap.Step([&] {
      std::shared_ptr<File> file = control::FileOf(*node);
      if (!control::Deref(file).RootFile()) file = file->BaseFile();
      File& root = control::Deref(file);
      page.append(fsFileAttributes(u"", root, true)).append(kCrLf);
      fsTextTree(1, u"", root, page);
      page.append(kCrLf).append(kCrLf);
    });
    if (!done) break;
    result += page;
  }
  return result;
}

// Appends the lines below `file`: for each include a connector line, the include's own line
// and, recursively, the lines below it with the prefix grown by one connector.
void Lintra::fsTextTree(int32_t depth, const Text& prefix, File& file, Text& out) {
  ErrorTrap trap(u"Lintra", u"fsTextTree");
  const size_t mark = out.size();
  const auto includes = file.Includes();
  int16_t count = 0;
  trap.Step([&] {
    if (includes->size() > 32767 || depth >= 32767) RaisePlatformError(ErrorNumber::Overflow);
    count = static_cast<int16_t>(includes->size());
  });
  for (int32_t i = 1; i <= count && !trap.Aborted(); ++i) {
    trap.Step([&] {
      File& child = control::Deref((*includes)[static_cast<size_t>(i - 1)]);
      const bool last = i == count;
      out.append(prefix).append(u"|    ").append(kCrLf);
      out.append(fsFileAttributes(prefix + (last ? u"\\--- " : u"+--- "), child, true));
      out.append(kCrLf);
      fsTextTree(depth + 1, prefix + (last ? u"     " : u"|    "), child, out);
    });
  }
  if (trap.Aborted()) out.resize(mark);
}

// One line: prefix, name, markers, blanks up to the folder column, then the folder (the page's
// own folder for a page, the folder relative to the page's for an include).
Text Lintra::fsFileAttributes(const Text& prefix, File& file, bool showPath) {
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
                           : gfsRelativePath(control::Deref(file.BaseFile()).Path(), file.Path());
    }
    line = std::move(s);
  });
  return line;
}
