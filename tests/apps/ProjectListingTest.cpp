#include "apps/host/ProjectListing.h"

#include <gtest/gtest.h>

#include "tests/apps/TempFolder.h"

namespace lintra {

namespace {

// A project in "site" of a page and an include, each with a link to it under another name; a
// link to a page beside the project; and a folder that the listings below leave out.
struct LinkedSite : TempFolder {
  bool Made() {
    Write("site/p.asp", "p");
    Write("site/inc/a.inc", "a");
    Write("site/old/o.asp", "o");
    Write("outside/x.asp", "x");
    return Link("p.asp", "site/A.asp") && Link("a.inc", "site/inc/b.inc") &&
           Link("../outside/x.asp", "site/out.asp");
  }
  DiskFiles Files() const { return DiskFiles(Path() / "site"); }
};

}  // namespace

TEST(ProjectListing, TakesEachLinkAsTheFileItLeadsToAndLeavesOutOneLeadingOutside) {
  LinkedSite site;
  if (!site.Made()) GTEST_SKIP() << "no symbolic links on this system";
  const ProjectListing listing(site.Files(), PageDiscovery({"old"}));
  EXPECT_EQ(listing.Entries(), (std::vector<Text>{u"A.asp", u"inc/a.inc", u"inc/b.inc", u"p.asp"}));
  EXPECT_EQ(listing.LeftOut(), std::vector<Text>{u"out.asp"});
  // A link that sorts before its file puts the file in its place.
  EXPECT_EQ(listing.Files(), (std::vector<Text>{u"p.asp", u"inc/a.inc"}));
  EXPECT_EQ(listing.Pages(), std::vector<Text>{u"p.asp"});
  EXPECT_EQ(listing.RealPath(u"inc/b.inc"), u"inc/a.inc");
  EXPECT_EQ(listing.RealPath(u"gone.asp"), u"gone.asp");
  EXPECT_EQ(ProjectListing::LeftOutMessage(u"out.asp"),
            "out.asp cannot be read within the root (a link that leads outside it?); it is left "
            "out");
}

TEST(ProjectListing, ListsAFolderWithoutLinksAsTheDiscoveryFindsIt) {
  LinkedSite site;
  site.Write("site/B.ASP", "b");
  site.Write("site/.hidden/h.asp", "h");
  const PageDiscovery discovery({});
  const ProjectListing listing(site.Files(), discovery);
  EXPECT_EQ(listing.Entries(), discovery.FindFiles(site.Files().Root()));
  EXPECT_EQ(listing.Pages(), PageDiscovery::PagesAmong(listing.Entries()));
  EXPECT_TRUE(listing.LeftOut().empty());
}

TEST(ProjectListing, TellsTheLinksFromThePlainFilesAndLeavesOutAPathNoHostReads) {
  LinkedSite site;
  if (!site.Made()) GTEST_SKIP() << "no symbolic links on this system";
  const std::string longName(130, 'x');
  site.Write("site/" + longName + "/" + longName + "/deep.inc", "d");
  const PageDiscovery discovery({"old"});
  std::vector<std::pair<Text, bool>> found;
  for (const auto& [webPath, plain] : discovery.FindFileEntries(site.Files().Root())) {
    if (webPath.size() < 20) found.emplace_back(webPath, plain);
  }
  EXPECT_EQ(found, (std::vector<std::pair<Text, bool>>{{u"A.asp", false},
                                                       {u"inc/a.inc", true},
                                                       {u"inc/b.inc", false},
                                                       {u"out.asp", false},
                                                       {u"p.asp", true}}));
  const ProjectListing listing(site.Files(), discovery);
  ASSERT_EQ(listing.LeftOut().size(), 2u);
  EXPECT_EQ(listing.LeftOut()[0], u"out.asp");
  EXPECT_TRUE(listing.LeftOut()[1].ends_with(u"/deep.inc"));
}

TEST(ProjectListing, EachOnceKeepsTheFirstOfEachPathInOrder) {
  EXPECT_EQ(EachOnce({u"b", u"a", u"b", u"c", u"a"}), (std::vector<Text>{u"b", u"a", u"c"}));
  EXPECT_TRUE(EachOnce({}).empty());
}

}  // namespace lintra
