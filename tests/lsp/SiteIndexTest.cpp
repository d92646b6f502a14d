#include <gtest/gtest.h>

#include "apps/lsp/PendingPages.h"
#include "apps/lsp/SiteIndex.h"

namespace lintra {
namespace {

using lsp::IndexedDirective;
using lsp::PageRecord;

TEST(SiteIndex, KnowsAFileUnderAnySpellingOfItsPathButTellsLetterCaseApart) {
  lsp::SiteIndex index;
  const uint32_t header = index.Intern(u"/inc\\Header.inc");
  EXPECT_EQ(index.Intern(u"inc/Header.inc"), header);
  EXPECT_EQ(index.Find(u"\\inc/Header.inc"), header);
  EXPECT_EQ(index.Name(header), u"/inc\\Header.inc");
  EXPECT_FALSE(index.Find(u"inc/footer.inc"));
  // On a case-sensitive disk, inc/header.inc is another file; a path written in another case
  // reaches one of them.
  EXPECT_FALSE(index.Find(u"inc/header.inc"));
  const uint32_t lower = index.Intern(u"inc/header.inc");
  EXPECT_NE(lower, header);
  const uint32_t footer = index.Intern(u"inc/footer.inc");
  EXPECT_EQ(index.InAnyCase({u"INC/HEADER.INC"}), (std::vector<uint32_t>{header, lower}));
  EXPECT_EQ(index.InAnyCase({u"inc/Header.in", u"/inc\\Footer.inc"}),
            std::vector<uint32_t>{footer});
  EXPECT_EQ(index.InAnyCase({}), std::vector<uint32_t>{});
}

TEST(SiteIndex, ReplacingOrRemovingAPageUpdatesWhoReachesAndIncludesAFile) {
  lsp::SiteIndex index;
  const uint32_t a = index.Intern(u"a.asp");
  const uint32_t b = index.Intern(u"b.asp");
  const uint32_t lib = index.Intern(u"lib.inc");
  const uint32_t old = index.Intern(u"old.inc");
  index.Set(b, PageRecord{{b, lib}, {{b, lib, 1, 30}}, false, {}, {}});
  index.Set(a, PageRecord{{a, lib, old}, {{a, lib, 1, 30}, {a, old, 31, 60}}, false, {}, {}});
  EXPECT_EQ(index.Reaching(lib), (std::vector<uint32_t>{a, b}));
  EXPECT_EQ(index.Includers(lib),
            (std::vector<IndexedDirective>{{a, lib, 1, 30}, {b, lib, 1, 30}}));

  index.Set(a, PageRecord{{a, lib}, {{a, lib, 5, 34}}, false, {}, {}});
  EXPECT_EQ(index.Reaching(old), std::vector<uint32_t>{});
  EXPECT_EQ(index.Includers(lib),
            (std::vector<IndexedDirective>{{a, lib, 5, 34}, {b, lib, 1, 30}}));

  index.Remove(b);
  EXPECT_EQ(index.Reaching(lib), std::vector<uint32_t>{a});
  EXPECT_EQ(index.Record(b), nullptr);
  EXPECT_EQ(index.Reaching(12345), std::vector<uint32_t>{});
}

TEST(SiteIndex, ADirectiveReachedByManyPagesIsListedOnce) {
  lsp::SiteIndex index;
  const uint32_t a = index.Intern(u"a.asp");
  const uint32_t b = index.Intern(u"b.asp");
  const uint32_t header = index.Intern(u"header.inc");
  const uint32_t menu = index.Intern(u"menu.inc");
  for (const uint32_t page : {a, b}) {
    index.Set(
        page,
        PageRecord{
            {page, header, menu}, {{page, header, 1, 20}, {header, menu, 3, 25}}, false, {}, {}});
  }
  EXPECT_EQ(index.Includers(menu), (std::vector<IndexedDirective>{{header, menu, 3, 25}}));
}

TEST(PendingPages, TakesUrgentPagesFirstThenTheRestInPageOrder) {
  lsp::PendingPages pending;
  for (const uint32_t page : {7u, 3u, 9u, 5u}) pending.Add(page);
  pending.AddUrgent(9);
  pending.AddUrgent(5);
  pending.AddUrgent(9);
  pending.Remove(5);
  EXPECT_TRUE(pending.UrgentWaiting());
  std::vector<uint32_t> taken;
  while (const std::optional<uint32_t> page = pending.Take()) taken.push_back(*page);
  EXPECT_EQ(taken, (std::vector<uint32_t>{9, 3, 7}));
  EXPECT_FALSE(pending.UrgentWaiting());
  EXPECT_TRUE(pending.Empty());
}

}  // namespace
}  // namespace lintra
