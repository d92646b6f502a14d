#include "site/ChangedFiles.h"

#include <gtest/gtest.h>

#include "analysis/File.h"
#include "site/SiteAnalysis.h"
#include "support/MemorySupply.h"

namespace lintra {

namespace {

// The pages of `host` that are or include one of the files, in order, separated by spaces.
Text Reached(MemorySupply& host, const ChangedFiles& changed) {
  SiteAnalysis site(host, u"");
  Text pages;
  for (const char16_t* page : {u"p.asp", u"shop/q.asp", u"r.asp"}) {
    if (changed.ReachedFrom(*site.Tree(page))) pages += page + Text(u" ");
  }
  return pages;
}

}  // namespace

TEST(ChangedFiles, ADeletedFileIsFoundByThePathItsMissingIncludesAskFor) {
  MemorySupply host;
  host.Files[u"p.asp"] = IncludeLine(u"inc/a.inc");
  host.Files[u"inc/a.inc"] = IncludeLine(u"gone.inc");
  host.Files[u"shop/q.asp"] =
      IncludeLine(u"..\\inc\\Gone.inc") + u"<!-- #include virtual=\"/shop/./old.inc\" -->";
  host.Files[u"r.asp"] = IncludeLine(u"gone.inc");
  EXPECT_EQ(Reached(host, ChangedFiles({}, {u"inc/gone.inc"})), u"p.asp shop/q.asp ");
  EXPECT_EQ(Reached(host, ChangedFiles({}, {u"\\SHOP\\old.inc"})), u"shop/q.asp ");
  EXPECT_EQ(Reached(host, ChangedFiles({}, {u"gone.inc"})), u"r.asp ");
  EXPECT_EQ(Reached(host, ChangedFiles({u"inc/a.inc"}, {u"/shop/old.inc"})), u"p.asp shop/q.asp ");
  // A file that exists is never a missing include, whatever its name.
  EXPECT_EQ(Reached(host, ChangedFiles({u"gone.inc"}, {})), u"");
  EXPECT_EQ(Reached(host, ChangedFiles({}, {u"a.inc", u"inc"})), u"");
}

// Given how the trees' paths name files on disk, a file that exists is known by that name alone:
// a path that leads to it is it, and a missing include is never it, whatever its name.
TEST(ChangedFiles, OnDiskAFileIsKnownByItsRealWebPath) {
  MemorySupply host;
  host.Files[u"p.asp"] = IncludeLine(u"alias/A.inc");
  host.Files[u"alias/A.inc"] = u"";
  host.Files[u"shop/q.asp"] = IncludeLine(u"gone.inc");
  host.Files[u"r.asp"] = IncludeLine(u"inc/a.inc");
  host.Files[u"inc/a.inc"] = u"";
  const ChangedFiles::OnDisk onDisk = [](const Text& path) -> std::optional<Text> {
    return path.starts_with(u"alias/") ? u"inc/" + path.substr(6) : path;
  };
  EXPECT_EQ(Reached(host, ChangedFiles({u"inc/a.inc", u"gone.inc"}, {}, onDisk)), u"p.asp r.asp ");
  EXPECT_EQ(Reached(host, ChangedFiles({u"alias/A.inc"}, {}, onDisk)), u"");
  EXPECT_EQ(Reached(host, ChangedFiles({}, {u"shop/gone.inc"}, onDisk)), u"shop/q.asp ");
}

}  // namespace lintra
