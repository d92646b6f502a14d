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

using Paths = std::vector<std::filesystem::path>;

Paths Sorted(Paths paths) {
  std::sort(paths.begin(), paths.end());
  return paths;
}

// Files seen for the first time have not changed; one written and one removed since are told
// once each.
void ExpectChangesOnce(lsp::DiskWatch& watch) {
  TempFolder folder;
  const std::filesystem::path written = folder.Write("inc/a.inc", "1");
  const std::filesystem::path removed = folder.Write("inc/b.inc", "1");
  const std::filesystem::path kept = folder.Write("c.inc", "1");
  EXPECT_EQ(watch.Changed({written, removed, kept}), Paths{});
  folder.Write("inc/a.inc", "22");
  std::filesystem::remove(removed);
  EXPECT_EQ(Sorted(watch.Changed({})), Sorted({written, removed}));
  EXPECT_EQ(watch.Changed({}), Paths{});
}

TEST(DiskWatch, TellsAFileWrittenOrRemovedOnceAndNotAFileSeenFirst) {
  lsp::DiskStamps stamps;
  ExpectChangesOnce(stamps);
#ifdef __linux__
  lsp::InotifyWatch events;
  ExpectChangesOnce(events);
#endif
}

}  // namespace
}  // namespace lintra
