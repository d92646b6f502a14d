#include <utility>

#include "analysis/File.h"
#include "analysis/Files.h"
#include "analysis/TreeWalk.h"
#include "errors/modPendryError.h"

namespace lintra {

namespace {

constexpr TextView kCrLf = u"\r\n";

// Appends `length` units of `t` from 1-based `start`, with the clipping rules of Mid.
void AppendMid(Text& out, TextView t, int32_t start, int32_t length) {
  if (start < 1) start = 1;
  if (length <= 0 || static_cast<size_t>(start - 1) >= t.size()) return;
  out.append(t.substr(static_cast<size_t>(start - 1), static_cast<size_t>(length)));
}

// The reports visit the tree in pre-order. Each node visited is a frame on an explicit stack with
// the error trap that its own report would have: a failure is reported under that node's report,
// and Abort takes back only what that node and its subtree had appended. The call stack stays
// flat however deep the tree is.

// The two reports that list lines node by node: `own` appends a node's own lines, and the
// children that `childrenOf` names follow, each with its whole subtree, until the node's report
// is abandoned.
template <class OwnLines, class ChildrenOf>
void AppendEachNode(File& root, Text& out, const char16_t* procedure, OwnLines own,
                    ChildrenOf childrenOf) {
  struct Frame {
    File* node;
    ErrorTrap trap;
    size_t mark;
    size_t next = 0;
  };
  TreeWalk<Frame> walk;
  auto enter = [&](File& node) {
    Frame& frame = walk.Enter(&node, ErrorTrap(u"File", procedure), out.size());
    frame.trap.Step([&] { own(node); });
  };
  enter(root);
  walk.Run([&](Frame& top) {
    const Files* includes = childrenOf(*top.node);
    if (!top.trap.Aborted() && includes && top.next < includes->size()) {
      enter(*(*includes)[top.next++]);
      return true;
    }
    if (top.trap.Aborted()) out.resize(top.mark);
    return false;
  });
}

}  // namespace

Text File::OutputCriticalErrors() {
  Text s;
  AppendCriticalErrors(s);
  return s;
}

Text File::OutputWarnings() {
  Text s;
  AppendWarnings(s);
  return s;
}

Text File::OutputComplete() {
  Text s;
  AppendComplete(s);
  return s;
}

void File::AppendCriticalErrors(Text& out) {
  auto ownLines = [&out](File& node) {
    TextView line;
    if (node.MissingFile()) {
      line = u"   Error opening file. \r\n";
    } else if (node.CircularInclude()) {
      line = u"   Circular include error. \r\n";
    }
    if (line.empty()) return;
    out.append(node.Name()).append(u" (").append(node.Path()).append(node.Name());
    out.append(u")").append(kCrLf);
    out.append(line).append(kCrLf);
  };
  AppendEachNode(*this, out, u"OutputCriticalErrors", ownLines,
                 [](File& node) { return node.includes_.get(); });
}

void File::AppendWarnings(Text& out) {
  auto ownLines = [&out](File& node) {
    if (!node.DuplicateInclude() || node.CircularInclude()) return;
    const auto parent = node.Parent();
    const auto base = node.BaseFile();
    if (!parent || !base) RaisePlatformError(ErrorNumber::ObjectNotSet);
    out.append(parent->Name()).append(u" (").append(parent->Path()).append(parent->Name());
    out.append(u")");
    out.append(kCrLf).append(u"   Duplicate include warning : File ").append(node.Name());
    out.append(u" is included more than once in '").append(base->Name()).append(u"'");
    out.append(kCrLf).append(kCrLf);
  };
  AppendEachNode(*this, out, u"OutputWarnings", ownLines,
                 [](File& node) { return node.includes_.get(); });
}

// Copies each node's text with its includes expanded in place. An include that is expanded opens
// a frame of its own between the step that writes its start marker and the step that writes its
// end marker; when writing the end marker fails and the user retries, the whole step runs again,
// the include's expansion included, as it would in a single step.
void File::AppendComplete(Text& out) {
  struct Frame {
    File* node;
    ErrorTrap trap;
    size_t mark;
    std::shared_ptr<const SourceText> keep;
    int32_t pos = 1;
    size_t next = 0;
    Text marker{};              // the directive of the include being expanded
    File* expanding = nullptr;  // the include whose expansion is under way
  };
  TreeWalk<Frame> walk;
  auto enter = [&](File& node) {
    walk.Enter(&node, ErrorTrap(u"File", u"OutputComplete"), out.size(), node.content_);
  };
  auto text = [](const Frame& frame) {
    return frame.keep ? TextView(frame.keep->Value()) : TextView();
  };
  auto openInclude = [&](Frame& frame, File& child) {
    const int32_t start = child.BaseFileStart();
    AppendMid(out, text(frame), frame.pos, start - frame.pos);
    frame.marker.clear();
    AppendMid(frame.marker, text(frame), start, child.BaseFileEnd() - start);
    out.append(kCrLf).append(u"<%' === INCLUDE FILE START ( ").append(frame.marker);
    out.append(u" ) === %>").append(kCrLf);
  };
  auto closeInclude = [&](Frame& frame, File& child) {
    out.append(kCrLf).append(u"<%' === INCLUDE FILE END ( ").append(frame.marker);
    out.append(u" ) === %>").append(kCrLf);
    frame.pos = child.BaseFileEnd();
  };
  enter(*this);
  walk.Run([&](Frame& top) {
    if (File* child = std::exchange(top.expanding, nullptr)) {
      bool ran = false;
      bool again = false;
      top.trap.Step([&] {
        if (std::exchange(ran, true)) {
          again = true;
          return;
        }
        closeInclude(top, *child);
      });
      if (!again) {
        ++top.next;
        return true;
      }
    }
    const Files* includes = top.node->includes_.get();
    if (!top.trap.Aborted() && includes && top.next < includes->size()) {
      File& child = *(*includes)[top.next];
      bool expand = false;
      top.trap.Step([&] {
        expand = false;
        openInclude(top, child);
        if (child.MissingFile()) {
          out.append(u"   *** ERROR : Error opening file : ").append(child.FullPath());
          out.append(u" ***");
        } else if (child.CircularInclude()) {
          out.append(u"   *** ERROR : Circular Include ***");
        } else {
          expand = true;
          return;
        }
        closeInclude(top, child);
      });
      if (expand) {
        top.expanding = &child;
        enter(child);
      } else {
        ++top.next;
      }
      return true;
    }
    top.trap.Step([&] {
      const TextView t = text(top);
      AppendMid(out, t, top.pos, text::Len(t) - top.pos + 1);
    });
    if (top.trap.Aborted()) out.resize(top.mark);
    return false;
  });
}

}  // namespace lintra
