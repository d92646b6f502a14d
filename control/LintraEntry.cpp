#include "analysis/Dependency.h"
#include "analysis/File.h"
#include "control/ControlSupport.h"
#include "control/Lintra.h"
#include "errors/modPendryError.h"
#include "platform/PendingMessages.h"

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

void Lintra::ClearTree() {
  ErrorTrap trap(u"Lintra", u"ClearTree");
  control::HiddenTreeView hidden(tvLintra_);
  Nodes& nodes = tvLintra_.GetNodes();
  while (nodes.size() > 0) {
    const bool done = trap.Step([&] {
      const std::shared_ptr<Node> first = nodes.Item(1);
      if (const auto file = control::FileOf(*first); file && file->RootFile()) {
        file->Delete();
        first->Tag(nullptr);
      }
      nodes.Remove(1);
    });
    if (!done) return;
  }
}
