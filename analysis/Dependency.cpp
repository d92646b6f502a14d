#include "analysis/Dependency.h"

#include <vector>

#include "analysis/Files.h"
#include "errors/modPendryError.h"

// The files still to search wait on an explicit stack, so any depth is safe.
bool fbContainsMatch(File& file, const TextArray& asMatchFiles) {
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
