#include "site/IncludeChain.h"

#include <gtest/gtest.h>

#include "analysis/File.h"
#include "site/ChangedFiles.h"
#include "site/SiteAnalysis.h"
#include "support/MemoryHost.h"
#include "support/MemorySupply.h"

namespace lintra {

TEST(IncludeChain, LeadsFromThePageToTheNearestChangedFileEachStepAtItsOwnDirective) {
  MemorySupply host;
  host.Files[u"p.asp"] = IncludeLine(u"a.inc") + IncludeLine(u"b.inc") + IncludeLine(u"c.inc");
  host.Files[u"a.inc"] = u"\r\n" + IncludeLine(u"deep/x.inc");
  host.Files[u"deep/x.inc"] = u"\r\n\r\n" + IncludeLine(u"../t.inc") + IncludeLine(u"gone.inc");
  host.Files[u"b.inc"] = IncludeLine(u"t.inc");
  host.Files[u"c.inc"] = IncludeLine(u"t.inc");
  host.Files[u"t.inc"] = u"";
  SiteAnalysis site(host, u"");
  const std::shared_ptr<File> page = site.Tree(u"p.asp");
  LineIndexes lines;
  const auto chain = [&](const std::vector<Text>& present, const std::vector<Text>& deleted = {}) {
    return ChainText(IncludeChain(*page, ChangedFiles(present, deleted), lines));
  };
  EXPECT_EQ(chain({u"T.INC"}), u"p.asp:2 -> b.inc:1 -> t.inc");
  EXPECT_EQ(chain({u"deep/x.inc"}), u"p.asp:1 -> a.inc:2 -> deep/x.inc");
  // Of chains of one length, the first in directive order.
  EXPECT_EQ(chain({u"t.inc", u"deep/x.inc"}), u"p.asp:1 -> a.inc:2 -> deep/x.inc");
  EXPECT_EQ(chain({u"P.asp"}), u"p.asp");
  EXPECT_EQ(chain({u"none.inc"}), u"");
  // A deleted file ends the chain under the path its directive asks for.
  EXPECT_EQ(chain({}, {u"/DEEP/gone.inc"}), u"p.asp:1 -> a.inc:2 -> deep/x.inc:4 -> deep/gone.inc");
}

}  // namespace lintra
