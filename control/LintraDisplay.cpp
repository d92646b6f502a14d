#include "analysis/File.h"
#include "analysis/Files.h"
#include "control/ControlSupport.h"
#include "control/Lintra.h"
#include "errors/modPendryError.h"

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

void Lintra::DisplaySubNodes(Nodes& nodes, Node& parent, const std::shared_ptr<File>& file) {
  ErrorTrap trap(u"Lintra", u"DisplaySubNodes");
  std::shared_ptr<Node> node;
  if (!trap.Step([&] {
        node = nodes.Add(&parent, Relationship::Child, u"", file->Name(), fsGraphicName(*file));
      })) {
    return;
  }
  if (!trap.Step([&] { control::Deref(node).Tag(file); })) return;
  for (const auto& include : *file->Includes()) {
    if (!trap.Step([&] { DisplaySubNodes(nodes, control::Deref(node), include); })) return;
  }
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
