#include "site/SiteAnalysis.h"

#include <gtest/gtest.h>

#include "analysis/File.h"
#include "analysis/Files.h"
#include "platform/ErrorRecord.h"
#include "support/MemorySupply.h"

namespace lintra {

namespace {

// The number, source and description of the error that `analyse` raises.
template <class Analyse>
std::string FailureOf(Analyse analyse) {
  try {
    analyse();
  } catch (const RuntimeError& error) {
    const ErrorRecord& record = error.Record();
    return std::to_string(record.Number) + " " +
           text::ToUtf8(record.Source + u": " + record.Description);
  }
  return "none";
}

}  // namespace

TEST(SiteAnalysis, AnalysesEachPageIntoATreeOfItsOwn) {
  MemorySupply host;
  ServeExampleTree(host.Files);
  SiteAnalysis site(host, u"/site");
  const std::shared_ptr<File> page = site.Tree(u"r.asp");
  const std::shared_ptr<File> gone = site.Tree(u"gone.asp");
  EXPECT_EQ(Outline(*page), u"a.inc\n  a1.inc\n    a1a.inc\nb.inc\n  b1.inc\n");
  EXPECT_EQ(page->ProjectPath(), u"/site");
  EXPECT_TRUE(gone->MissingFile());
  EXPECT_EQ(Outline(*gone), u"");
  EXPECT_EQ(Outline(*site.Tree(u"r.asp")), Outline(*page));
  EXPECT_EQ(host.Requests.size(), 13u);
}

// The control's reports show an unreadable file as they show a missing one; the tree keeps why
// it could not be read.
TEST(SiteAnalysis, AFileThatExistsButCannotBeReadIsMissingWithTheSupplysReason) {
  MemorySupply host;
  ServeExampleTree(host.Files);
  host.UnreadableFiles = {{u"b.inc", u"Permission denied"}, {u"locked.asp", u"I/O error"}};
  host.Files[u"b.inc"] = IncludeLine(u"b1.inc");
  SiteAnalysis site(host, u"/site");
  const std::shared_ptr<File> page = site.Tree(u"r.asp");
  EXPECT_EQ(Outline(*page), u"a.inc\n  a1.inc\n    a1a.inc\nb.inc missing\n");
  const File& b = *(*page->Includes())[1];
  ASSERT_TRUE(b.Unreadable());
  EXPECT_EQ(b.Unreadable()->fullPath + u": " + b.Unreadable()->reason, u"b.inc: Permission denied");
  EXPECT_EQ(page->OutputCriticalErrors(), u"b.inc (b.inc)\r\n   Error opening file. \r\n\r\n");
  EXPECT_FALSE((*(*page->Includes())[0]->Includes())[0]->Unreadable());
  const std::shared_ptr<File> locked = site.Tree(u"locked.asp");
  EXPECT_TRUE(locked->MissingFile());
  EXPECT_EQ(locked->Unreadable()->reason, u"I/O error");
  EXPECT_FALSE(site.Tree(u"gone.asp")->Unreadable());
}

TEST(SiteAnalysis, FailuresComeOutAsTheSupplyRaisedThem) {
  MemorySupply host;
  ServeExampleTree(host.Files);
  host.Limit = 2;
  SiteAnalysis site(host, u"");
  EXPECT_EQ(FailureOf([&] { site.Tree(u"r.asp"); }),
            "-2147220503 MemorySupply: Could not find the file : a1.inc");
  host.Limit = 0;
  host.Errors[u"b.inc"] = ErrorNumber::OutOfMemory;
  EXPECT_EQ(FailureOf([&] { site.Tree(u"r.asp"); }),
            "7 MemorySupply: Could not find the file : b.inc");
}

}  // namespace lintra
