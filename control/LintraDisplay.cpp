#include "analysis/File.h"
#include "analysis/Files.h"
#include "analysis/TreeWalk.h"
#include "control/ControlSupport.h"
#include "control/Lintra.h"
#include "errors/modPendryError.h"

namespace lintra {

// Appends `root` and its whole tree as the last top-level node of the tree view, each node
// holding the File it shows.
void Lintra::DisplayTree(const std::shared_ptr<File>& root) {
  ErrorTrap trap(u"Lintra", u"DisplayTree");
  Nodes& nodes = tvLintra_.GetNodes();
  const Text picture = root->MissingFile() ? u"ASPFileCritical" : u"ASPFile";
  std::shared_ptr<Node> node;
  if (!trap.Step([&] {
        const std::shared_ptr<Node> first = nodes.Count() == 0 ? nullptr : nodes.Item(1);
        node = nodes.Add(first.get(), Relationship::Last, u"", root->Name(), picture);
      })) {
    return;
  }
  if (!trap.Step([&] { control::Deref(node).Tag(root); })) return;
  for (const auto& include : *root->Includes()) {
    if (!trap.Step([&] { DisplaySubNodes(nodes, control::Deref(node), include); })) return;
  }
}

// Adds a node for `file` as the last child of `parent` and, below it, the nodes of every file
// it includes, in pre-order. Each file is a frame of a walk with the error trap that its own call
// would have, and adding one include's nodes is a step of the including file's frame.
void Lintra::DisplaySubNodes(Nodes& nodes, Node& parent, const std::shared_ptr<File>& file) {
  struct Frame {
    ErrorTrap trap;
    std::shared_ptr<Node> node = nullptr;
    std::shared_ptr<Files> includes = nullptr;
    size_t next = 0;
  };
  TreeWalk<Frame> walk;
  auto enter = [&](Node& under, const std::shared_ptr<File>& shown) {
    Frame frame{ErrorTrap(u"Lintra", u"DisplaySubNodes")};
    const bool added = frame.trap.Step([&] {
      frame.node =
          nodes.Add(&under, Relationship::Child, u"", shown->Name(), fsGraphicName(*shown));
    }) && frame.trap.Step([&] { control::Deref(frame.node).Tag(shown); });
    if (!added) return;
    frame.includes = shown->Includes();
    walk.Enter(std::move(frame));
  };
  enter(parent, file);
  walk.Run([&](Frame& top) {
    if (top.next == top.includes->size()) return false;
    const std::shared_ptr<File>& include = (*top.includes)[top.next++];
    return top.trap.Step([&] { enter(control::Deref(top.node), include); });
  });
}

// The picture of a nested file: critical (missing or circular) wins over warning (duplicate).
Text Lintra::fsGraphicName(File& file) {
  ErrorTrap trap(u"Lintra", u"fsGraphicName");
  Text key;
  trap.Step([&] {
    const bool warning = file.DuplicateInclude();
    const bool critical = file.CircularInclude() || file.MissingFile();
    key = Text(u"IncludeFile") + (critical ? u"Critical" : warning ? u"Warning" : u"");
  });
  return key;
}

}  // namespace lintra
