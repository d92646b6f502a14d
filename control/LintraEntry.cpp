#include <vector>

#include "analysis/File.h"
#include "analysis/Files.h"
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

// True when `file` or any file below it, in pre-order, stands in column 1 of the list as its
// upper-cased full path. Each file is searched with the error trap of a call of its own, so that
// giving up on one file after an error skips only that file and what it includes and goes on with
// the next. The files still to search wait on an explicit stack, so any depth is safe.
bool Lintra::fbContainsMatch(File& file, const TextArray& asMatchFiles) {
  std::vector<File*> pending{&file};
  while (!pending.empty()) {
    File& each = *pending.back();
    pending.pop_back();
    ErrorTrap trap(u"Lintra", u"fbContainsMatch");
    const Text path = text::UCase(each.FullPath());
    int32_t last = -1;
    bool searched = trap.Step([&] { last = asMatchFiles.UBound(1); });
    for (int32_t row = 0; searched && row <= last; ++row) {
      bool match = false;
      searched = trap.Step([&] { match = asMatchFiles.At(row, 1) == path; });
      if (match) return true;
    }
    if (!searched) continue;
    const auto includes = each.Includes();
    for (size_t child = includes->size(); child > 0; --child) {
      pending.push_back((*includes)[child - 1].get());
    }
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
