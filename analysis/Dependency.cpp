#include "analysis/Dependency.h"

#include "analysis/Files.h"
#include "analysis/TreeWalk.h"
#include "errors/modPendryError.h"

namespace lintra {

namespace {

// Whether `file` itself stands in the list; false too when its search was abandoned, which
// `searched` then tells.
bool StandsInList(File& file, const TextArray& asMatchFiles, bool& searched) {
  ErrorTrap trap(u"Lintra", u"fbContainsMatch");
  const Text path = text::UCase(file.FullPath());
  int32_t last = -1;
  searched = trap.Step([&] { last = asMatchFiles.UBound(1); });
  for (int32_t row = 0; searched && row <= last; ++row) {
    bool match = false;
    searched = trap.Step([&] { match = asMatchFiles.At(row, 1) == path; });
    if (match) return true;
  }
  return false;
}

}  // namespace

// Each file is searched with the error trap of a call of its own; the files whose includes are
// being searched are the frames of a walk.
bool fbContainsMatch(File& file, const TextArray& asMatchFiles) {
  struct Frame {
    File* node;
    size_t next = 0;
  };
  TreeWalk<Frame> walk;
  bool found = false;
  auto search = [&](File& each) {
    bool searched = false;
    found = StandsInList(each, asMatchFiles, searched);
    if (found) {
      walk.Stop();
    } else if (searched) {
      walk.Enter(&each);
    }
  };
  search(file);
  walk.Run([&](Frame& top) {
    const auto includes = top.node->Includes();
    if (top.next == includes->size()) return false;
    search(*(*includes)[top.next++]);
    return true;
  });
  return found;
}

}  // namespace lintra
