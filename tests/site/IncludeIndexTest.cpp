#include "site/IncludeIndex.h"

#include <gtest/gtest.h>

#include "analysis/File.h"
#include "site/SiteAnalysis.h"
#include "support/MemoryHost.h"
#include "support/MemorySupply.h"

namespace lintra {

TEST(IncludeIndex, ListsTheDirectivesThatIncludeAFileOnceEachAndThePagesThatReachIt) {
  MemorySupply host;
  host.Files[u"p.asp"] = u"<p>\r\n" + IncludeLine(u"inc/h.inc") + IncludeLine(u"inc/u.inc");
  host.Files[u"inc/h.inc"] = u"h\r\n" + IncludeDirective(u"u.inc") + IncludeDirective(u"u.inc");
  host.Files[u"inc/u.inc"] = u"u";
  host.Files[u"q.asp"] = IncludeLine(u"inc/h.inc");
  host.Files[u"r.asp"] = IncludeLine(u"gone.inc");
  // A page that another page includes: its directives are counted once.
  host.Files[u"s.asp"] = IncludeLine(u"p.asp");
  SiteAnalysis site(host, u"");
  IncludeIndex index;
  LineIndexes lines;
  for (const Text page : {u"p.asp", u"q.asp", u"r.asp", u"s.asp"}) {
    index.Add(PageTree(site.Tree(page)), lines);
  }

  using Includers = std::vector<Includer>;
  EXPECT_EQ(index.Includers(u"inc/u.inc"), (Includers{{u"inc/h.inc", 2}, {u"p.asp", 3}}));
  EXPECT_EQ(index.Includers(u"INC/U.INC"), index.Includers(u"inc/u.inc"));
  EXPECT_EQ(index.Pages(u"inc/u.inc"), (std::vector<Text>{u"p.asp", u"q.asp", u"s.asp"}));
  EXPECT_EQ(index.Includers(u"p.asp"), (Includers{{u"s.asp", 1}}));
  EXPECT_EQ(index.DirectiveCount(), 6u);
  EXPECT_EQ(index.Includers(u"inc/h.inc"), (Includers{{u"p.asp", 2}, {u"q.asp", 1}}));
  // A file that could not be read is known by its name alone.
  EXPECT_EQ(index.Includers(u"gone.inc"), (Includers{{u"r.asp", 1}}));
  EXPECT_EQ(index.Pages(u"p.asp"), std::vector<Text>{u"s.asp"});
  EXPECT_EQ(index.Includers(u"none.inc"), Includers{});
}

}  // namespace lintra
