#include <gtest/gtest.h>

#include "analysis/File.h"
#include "analysis/Files.h"
#include "support/MemoryHost.h"
#include "support/ScriptedMessageBox.h"

namespace lintra {

namespace {

const char16_t kOpenError[] = u"   Error opening file. ";
const char16_t kCircularError[] = u"   Circular include error. ";

}  // namespace

// Each include stands between markers on lines of their own, wherever its directive is, and an
// unreadable or circular one holds its error line; the critical errors follow the tree in
// pre-order.
TEST(FileReports, IncludesStandBetweenMarkersAndErrorsFollowPreOrder) {
  const Text x = IncludeDirective(u"x.inc");
  const Text y = IncludeDirective(u"y.inc");
  const Text z = IncludeDirective(u"z.inc");
  const Text nest = IncludeDirective(u"n.inc");
  const Text self = IncludeDirective(u"p.asp");
  const Text gone = IncludeDirective(u"inc/gone.inc");
  MemoryHost host;
  host.Files[u"shop/p.asp"] = x + y + u"text " + z + u"a" + nest + u"b" + gone + u"c";
  host.Files[u"shop/x.inc"] = u"X";
  host.Files[u"shop/y.inc"] = u"Y\r\n";
  host.Files[u"shop/z.inc"] = u"Z";
  host.Files[u"shop/n.inc"] = self;
  auto root = host.Control->AnalysePage(u"", u"shop/p.asp");

  EXPECT_EQ(root->OutputComplete(),
            Expanded(x, u"X") + Expanded(y, u"Y\r\n") + u"text " + Expanded(z, u"Z") + u"a" +
                Expanded(nest, Expanded(self, u"   *** ERROR : Circular Include ***")) + u"b" +
                Expanded(gone, u"   *** ERROR : Error opening file : gone.inc ***") + u"c");
  EXPECT_EQ(root->OutputCriticalErrors(), Lines({u"p.asp (shop/p.asp)", kCircularError, u"",
                                                 u"gone.inc (gone.inc)", kOpenError, u""}));
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
            Expanded(u"", u"   *** ERROR : Error opening file : x.inc ***"));
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

}  // namespace lintra
