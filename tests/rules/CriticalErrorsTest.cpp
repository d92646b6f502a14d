#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "analysis/File.h"
#include "rules/Checker.h"
#include "site/PageReports.h"
#include "site/SiteAnalysis.h"
#include "support/MemorySupply.h"

namespace lintra {

namespace {

// What a generated file is made of: directives of every form the scanner meets, valid or not,
// "#include" where the server ignores it, and plain text.
const std::vector<Text> kPieces = {
    u"<p>text</p>\r\n",
    u"<!-- #include file=\"a.inc\" -->",
    u"<!--#include virtual=\"/b.inc\"-->",
    u"<!-- #include file=\"c.inc\" -->",
    u"<!-- #include file=\"gone.inc\" -->",
    u"<!-- #include file=\"locked.inc\" -->",
    u"<!-- #include -->",
    u"<!--#include virtal=\"a.inc\"-->",
    u"<!--#include file=-->",
    u"<!--#include file=\"\"-->",
    u"<!--#include virtual=\"\"-->",
    u"<!-- see #include -->",
    u"<% x = \"<!--#include -->\" %>",
    u"#include file=\"gone.inc\"",
    u"<!-- #include file=\"a.inc\"",
};

// A site of a few pages and the includes a, b and c, each file `size` pieces drawn by `random`;
// locked.inc and locked.asp exist but cannot be read.
MemorySupply Site(std::mt19937& random, size_t size) {
  MemorySupply site;
  std::uniform_int_distribution<size_t> piece(0, kPieces.size() - 1);
  for (const char16_t* file : {u"p1.asp", u"p2.asp", u"a.inc", u"b.inc", u"c.inc"}) {
    Text text;
    for (size_t i = 0; i < size; ++i) text += kPieces[piece(random)];
    site.Files[file] = text;
  }
  site.UnreadableFiles = {{u"locked.inc", u"Permission denied"}, {u"locked.asp", u"I/O error"}};
  return site;
}

}  // namespace

// check exits 1 when a finding is an error; the control's warnings report lists critical errors.
// No page that the report marks critical may pass the check with the default settings.
TEST(CriticalErrors, CheckNeverPassesAPageThatTheWarningsReportMarksCritical) {
  std::mt19937 random(20240611);
  size_t critical = 0;
  for (int round = 0; round < 300; ++round) {
    MemorySupply supply = Site(random, 1 + static_cast<size_t>(round % 6));
    SiteAnalysis site(supply, u"/site");
    for (const char16_t* page : {u"p1.asp", u"p2.asp", u"locked.asp"}) {
      std::shared_ptr<File> tree = site.Tree(page);
      const Text warnings = PageWarnings(*tree);
      if (warnings.find(u"Critical Errors") == Text::npos) continue;
      ++critical;
      Checker checker;
      checker.Check(PageTree(std::move(tree)));
      bool error = false;
      for (const RuleFinding& finding : checker.Findings()) {
        error = error || finding.severity == Severity::Error;
      }
      EXPECT_TRUE(error) << text::ToUtf8(page) << " of round " << round << ":\n"
                         << text::ToUtf8(warnings);
    }
  }
  EXPECT_GT(critical, 300u);
}

}  // namespace lintra
