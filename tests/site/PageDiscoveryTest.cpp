#include "site/PageDiscovery.h"

#include <gtest/gtest.h>

#include "platform/Utf8.h"
#include "tests/apps/TempFolder.h"

namespace lintra {

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
  const PageDiscovery discovery({"old", "folders", "sub/x.inc", "old/h.asp", "none"});
  EXPECT_EQ(PageDiscovery::PagesAmong(discovery.FindFiles(site.Path())),
            (std::vector<Text>{u"B.ASP", u"a.Asp", u"b.asp", u"caf" + Text(1, u'\xDCE9') + u".asp",
                               u"link.asp", u"sub/c.asp", u"z/old/i.asp"}));
  // A file that is no page is left out of the project's files too; nothing inside a folder left
  // out is looked at.
  EXPECT_EQ(discovery.UnmatchedExcludes(), (std::vector<std::string>{"old/h.asp", "none"}));
}

TEST(PageDiscovery, FindsEveryFileOfTheProjectWithTheSameFoldersLeftOut) {
  TempFolder site;
  for (const char* file :
       {"default.asp", "inc/menu.inc", "inc/notes.txt", ".git/config", "_vti_cnf/default.asp",
        "inc/_vti_cnf/menu.inc", "old/a.inc", "inc/skip.bak"}) {
    site.Write(file, "");
  }
  const PageDiscovery discovery({"old", "*.bak"});
  EXPECT_EQ(discovery.FindFiles(site.Path()),
            (std::vector<Text>{u"default.asp", u"inc/menu.inc", u"inc/notes.txt"}));
  EXPECT_EQ(discovery.UnmatchedExcludes(), std::vector<std::string>{});
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
  EXPECT_EQ(discovery.UnmatchedExcludes(), std::vector<std::string>{});
  const PageDiscovery unused({"old", "new"});
  EXPECT_FALSE(unused.Excluded(u"z/a.asp"));
  EXPECT_EQ(unused.UnmatchedExcludes(), (std::vector<std::string>{"old", "new"}));
}

}  // namespace lintra
