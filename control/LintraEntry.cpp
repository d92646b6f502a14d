#include "analysis/File.h"
#include "analysis/Files.h"
#include "control/ControlSupport.h"
#include "control/Lintra.h"
#include "errors/modPendryError.h"
#include "platform/PendingMessages.h"

void Lintra::ParseFile(Text ProjectPath, Text FilePath) {
  std::shared_ptr<File> root;
  try {
    root = AnalysePage(ProjectPath, FilePath);
  } catch (...) {
    ErrorRecord record = CurrentErrorRecord(std::current_exception());
    record.Source = u"Lintra.Lintra.ParseFile";
    throw RuntimeError(std::move(record));
  }
  DisplayTree(root);
  ExpandWholeTree();
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

// True when `file` or any file below it, in pre-order, stands in column 1 of the list as its
// upper-cased full path. Each include is searched by its own call, so that giving up on one
// include after an error goes on with the next.
bool Lintra::fbContainsMatch(File& file, const TextArray& asMatchFiles) {
  ErrorTrap trap(u"Lintra", u"fbContainsMatch");
  const Text path = text::UCase(file.FullPath());
  int32_t last = -1;
  if (!trap.Step([&] { last = asMatchFiles.UBound(1); })) return false;
  for (int32_t row = 0; row <= last; ++row) {
    bool match = false;
    if (!trap.Step([&] { match = asMatchFiles.At(row, 1) == path; })) return false;
    if (match) return true;
  }
  for (const auto& include : *file.Includes()) {
    if (fbContainsMatch(*include, asMatchFiles)) return true;
  }
  return false;
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
