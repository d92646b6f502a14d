#include "site/PageDiscovery.h"

#include <gtest/gtest.h>

#include "platform/Utf8.h"
#include "tests/apps/TempFolder.h"

namespace fs = std::filesystem;

TEST(PageDiscovery, FindsAspFilesOutsideHiddenVtiAndExcludedFoldersInByteOrder) {
  TempFolder site;
  for (const char* file : {"b.asp", "B.ASP", "a.Asp", "caf\xE9.asp", "sub/c.asp", "sub/x.inc",
                           ".hidden/d.asp", "sub/.e.asp", "_vti_cnf/f.asp", "sub/_vti_pvt/g.asp",
                           "old/h.asp", "z/old/i.asp", "folders/j.asp"}) {
    site.Write(file, "");
  }
  fs::create_directory(site.Path() / "k.asp");
  fs::create_directory_symlink(site.Path() / "folders", site.Path() / "linked");
  fs::create_symlink(site.Path() / "b.asp", site.Path() / "link.asp");
  EXPECT_EQ(PageDiscovery({"old", "folders"}).FindPages(site.Path()),
            (std::vector<Text>{u"B.ASP", u"a.Asp", u"b.asp", u"caf" + Text(1, u'\xDCE9') + u".asp",
                               u"link.asp", u"sub/c.asp", u"z/old/i.asp"}));
}

TEST(PageDiscovery, ExcludesAPageWhenItOrAFolderAboveItMatchesAGlob) {
  const PageDiscovery discovery({"old", "*_test.asp", "caf\xE9"});
  EXPECT_TRUE(discovery.Excluded(u"old"));
  EXPECT_TRUE(discovery.Excluded(u"old/a.asp"));
  EXPECT_TRUE(discovery.Excluded(u"old\\a.asp"));
  EXPECT_TRUE(discovery.Excluded(u"shop/cart_test.asp"));
  EXPECT_TRUE(discovery.Excluded(u"caf" + Text(1, u'\xDCE9') + u"/menu.asp"));
  EXPECT_FALSE(discovery.Excluded(u"z/old/a.asp"));
  EXPECT_FALSE(discovery.Excluded(u"older/a.asp"));
  EXPECT_FALSE(PageDiscovery({}).Excluded(u"old/a.asp"));
}
