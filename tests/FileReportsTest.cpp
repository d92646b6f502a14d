#include <gtest/gtest.h>

#include "analysis/File.h"
#include "analysis/Files.h"
#include "support/MemoryHost.h"
#include "support/ScriptedMessageBox.h"

namespace {

Text Start(const Text& directive) {
  return u"<%' === INCLUDE FILE START ( " + directive + u" ) === %>";
}

Text End(const Text& directive) {
  return u"<%' === INCLUDE FILE END ( " + directive + u" ) === %>";
}

const char16_t kOpenError[] = u"   Error opening file. ";
const char16_t kCircularError[] = u"   Circular include error. ";

}  // namespace

TEST(FileReports, MarkersStandOnTheirOwnLinesWhereverTheDirectiveIs) {
  const Text x = IncludeDirective(u"x.inc");
  const Text y = IncludeDirective(u"y.inc");
  const Text z = IncludeDirective(u"z.inc");
  MemoryHost host;
  host.Files[u"p.asp"] = x + y + u"text " + z;
  host.Files[u"x.inc"] = u"X";
  host.Files[u"y.inc"] = u"Y\r\n";
  host.Files[u"z.inc"] = u"Z";
  auto root = host.Control->AnalysePage(u"", u"p.asp");

  EXPECT_EQ(root->OutputComplete(),
            Lines({u"", Start(x).c_str(), u"X", End(x).c_str(), u"", Start(y).c_str(), u"Y", u"",
                   End(y).c_str(), u"text ", Start(z).c_str(), u"Z", End(z).c_str()}));
}

TEST(FileReports, UnreadableAndCircularIncludesShowAsErrors) {
  const Text gone = IncludeDirective(u"inc/gone.inc");
  const Text self = IncludeDirective(u"p.asp");
  MemoryHost host;
  host.Files[u"shop/p.asp"] = u"a" + gone + u"b" + self + u"c";
  auto root = host.Control->AnalysePage(u"", u"shop/p.asp");

  EXPECT_EQ(root->OutputComplete(),
            Lines({u"a", Start(gone).c_str(), u"   *** ERROR : Error opening file : gone.inc ***",
                   End(gone).c_str(), u"b", Start(self).c_str(),
                   u"   *** ERROR : Circular Include ***", End(self).c_str()}) +
                u"c");
  EXPECT_EQ(root->OutputCriticalErrors(), Lines({u"gone.inc (gone.inc)", kOpenError, u"",
                                                 u"p.asp (shop/p.asp)", kCircularError, u""}));
  EXPECT_EQ(root->OutputWarnings(), u"");

  auto missingPage = host.Control->AnalysePage(u"", u"none.asp");
  EXPECT_EQ(missingPage->OutputComplete(), u"");
  EXPECT_EQ(missingPage->OutputCriticalErrors(), Lines({u"none.asp (none.asp)", kOpenError, u""}));
}

TEST(FileReports, WarningsNameTheIncludingFileAndThePage) {
  MemoryHost host;
  host.Files[u"shop/p.asp"] = IncludeDirective(u"a.inc") + IncludeDirective(u"sub/b.inc");
  host.Files[u"shop/a.inc"] = IncludeDirective(u"a.inc");
  host.Files[u"shop/sub/b.inc"] =
      IncludeDirective(u"../a.inc") + u"\r\n" + IncludeDirective(u"../a.inc");
  auto root = host.Control->AnalysePage(u"", u"shop/p.asp");

  const char16_t warning[] =
      u"   Duplicate include warning : File a.inc is included more than once in 'p.asp'";
  EXPECT_EQ(root->OutputWarnings(),
            Lines({u"p.asp (shop/p.asp)", warning, u"", u"b.inc (shop/sub/b.inc)", warning, u"",
                   u"b.inc (shop/sub/b.inc)", warning, u""}));
  EXPECT_EQ(
      root->Includes()->Item(2)->OutputWarnings(),
      Lines({u"b.inc (shop/sub/b.inc)", warning, u"", u"b.inc (shop/sub/b.inc)", warning, u""}));
}

TEST(FileReports, ErrorBlocksFollowPreOrder) {
  MemoryHost host;
  host.Files[u"p.asp"] = IncludeDirective(u"a.inc") + IncludeDirective(u"gone1.inc");
  host.Files[u"a.inc"] = IncludeDirective(u"gone2.inc") + IncludeDirective(u"a.inc");
  auto root = host.Control->AnalysePage(u"", u"p.asp");

  EXPECT_EQ(root->OutputCriticalErrors(),
            Lines({u"gone2.inc (gone2.inc)", kOpenError, u"", u"a.inc (a.inc)", kCircularError, u"",
                   u"gone1.inc (gone1.inc)", kOpenError, u""}));
}

// A node can carry both flags when it was parsed again after its path changed: first found
// circular, then found to hold a directive without a file.
TEST(FileReports, MissingFileOutranksCircularInclude) {
  auto root = std::make_shared<File>();
  root->FullPath(u"p.asp");
  auto child = root->Includes()->Add(root, u"x.inc");
  child->FullPath(u"p.asp");
  child->Content(u"<!-- #include -->");
  child->Parse();
  child->FullPath(u"x.inc");
  child->Parse();
  ASSERT_TRUE(child->CircularInclude());
  ASSERT_TRUE(child->MissingFile());

  EXPECT_EQ(root->OutputCriticalErrors(), Lines({u"x.inc (x.inc)", kOpenError, u""}));
  EXPECT_EQ(root->OutputComplete(),
            Lines({u"", Start(u"").c_str(), u"   *** ERROR : Error opening file : x.inc ***",
                   End(u"").c_str()}));
  root->Delete();
}

// A host may keep a node after its tree was taken apart; its warning then has no parent to name.
TEST(FileReports, WarningOfADetachedDuplicateIsReportedAndLeftEmpty) {
  MemoryHost host;
  host.Files[u"p.asp"] = IncludeDirective(u"a.inc") + IncludeDirective(u"a.inc");
  host.Files[u"a.inc"] = u"A";
  auto root = host.Control->AnalysePage(u"", u"p.asp");
  auto a = root->Includes()->Item(2);
  root->Delete();
  ASSERT_TRUE(a->DuplicateInclude());

  ScriptedMessageBox boxes({MessageBox::Retry});
  EXPECT_EQ(a->OutputWarnings(), u"");
  EXPECT_EQ(boxes.Reports(), (std::vector<Text>{u"91 Lintra.File.OutputWarnings",
                                                u"91 Lintra.File.OutputWarnings"}));
  EXPECT_EQ(a->OutputComplete(), u"A");
  EXPECT_EQ(boxes.Boxes().size(), 2u);
}
