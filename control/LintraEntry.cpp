#include "analysis/Dependency.h"
#include "analysis/File.h"
#include "control/ControlSupport.h"
#include "control/Lintra.h"
#include "errors/modPendryError.h"
#include "platform/PendingMessages.h"

namespace lintra {

void Lintra::ParseFile(Text ProjectPath, Text FilePath) {
  const std::shared_ptr<File> root = ParseFileTree(ProjectPath, FilePath);
  DisplayTree(root);
  ExpandWholeTree();
}

std::shared_ptr<File> Lintra::ParseFileTree(const Text& ProjectPath, const Text& FilePath) {
  try {
    return AnalysePage(ProjectPath, FilePath);
  } catch (...) {
    ErrorRecord record = CurrentErrorRecord(std::current_exception());
    record.Source = u"Lintra.Lintra.ParseFile";
    throw RuntimeError(std::move(record));
  }
}

void Lintra::DisplayIfDependant(Text ProjectPath, Text FilePath, const TextArray& asMatchFiles) {
  std::shared_ptr<File> root;
  try {
    root = AnalysePage(ProjectPath, FilePath);
  } catch (const RuntimeError&) {
    throw;
  } catch (...) {
    throw RuntimeError(CurrentErrorRecord(std::current_exception()));
  }
  if (fbContainsMatch(*root, asMatchFiles)) {
    DisplayTree(root);
    ExpandWholeTree();
    PendingMessages::ProcessOnce();
  } else {
    root->Delete();
  }
}

namespace {

// The File that `node` shows when it is a root, otherwise null.
std::shared_ptr<File> RootShownBy(const std::shared_ptr<Node>& node) {
  std::shared_ptr<File> file = control::FileOf(control::Deref(node));
  return file && file->RootFile() ? file : nullptr;
}

// Removes node 1 in its own steps of `trap`: take the node; read its File; when that is a root,
// delete its tree and clear the node's reference to it; remove the node with its subtree. After an
// ignored failure the next step runs, so the node is removed all the same. False when abandoned.
bool RemoveFirstNode(ErrorTrap& trap, Nodes& nodes) {
  std::shared_ptr<Node> first;
  std::shared_ptr<File> root;
  if (!trap.Step([&] { first = nodes.Item(1); })) return false;
  if (!trap.Step([&] { root = RootShownBy(first); })) return false;
  if (root) {
    if (!trap.Step([&] { root->Delete(); })) return false;
    if (!trap.Step([&] { first->Tag(nullptr); })) return false;
  }
  return trap.Step([&] { nodes.Remove(1); });
}

}  // namespace

void Lintra::ClearTree() {
  ErrorTrap trap(u"Lintra", u"ClearTree");
  Nodes& nodes = tvLintra_.GetNodes();
  control::WhileHidden(trap, tvLintra_, [&] {
    while (nodes.size() > 0) {
      if (!RemoveFirstNode(trap, nodes)) return;
    }
  });
}

}  // namespace lintra
