#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "apps/lsp/DiskStamps.h"
#include "tests/apps/TempFolder.h"
#ifdef __linux__
#include "apps/lsp/InotifyWatch.h"
#endif

namespace lintra {
namespace {

using Changes = std::vector<lsp::DiskChange>;

Changes Sorted(Changes changes) {
  std::sort(changes.begin(), changes.end());
  return changes;
}

// Files seen for the first time have not changed; one written, one removed and one made in a
// watched folder (as a file that an include missed) since are told once each; the one made is
// watched once asked about, and one removed and made again is watched still.
void ExpectChangesOnce(lsp::DiskWatch& watch) {
  TempFolder folder;
  const std::filesystem::path written = folder.Write("inc/a.inc", "1");
  const std::filesystem::path removed = folder.Write("inc/b.inc", "1");
  const std::filesystem::path kept = folder.Write("c.inc", "1");
  EXPECT_EQ(watch.Changed({written, removed, kept}), Changes{});
  folder.Write("inc/a.inc", "22");
  std::filesystem::remove(removed);
  const std::filesystem::path made = folder.Write("inc/missed.inc", "1");
  EXPECT_EQ(Sorted(watch.Changed({})), Sorted({{written, 2}, {removed, 3}, {made, 1}}));
  EXPECT_EQ(watch.Changed({made}), Changes{});
  folder.Write("inc/missed.inc", "22");
  folder.Write("inc/b.inc", "1");
  EXPECT_EQ(Sorted(watch.Changed({})), Sorted({{removed, 1}, {made, 2}}));
}

TEST(DiskWatch, TellsAFileWrittenRemovedOrMadeOnceAndNotAFileSeenFirst) {
  lsp::DiskStamps stamps;
  ExpectChangesOnce(stamps);
#ifdef __linux__
  lsp::InotifyWatch events;
  ExpectChangesOnce(events);
#endif
}

}  // namespace
}  // namespace lintra
