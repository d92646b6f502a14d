#include "site/ProjectFiles.h"

#include <gtest/gtest.h>

#include "tests/apps/TempFolder.h"

namespace lintra {

namespace fs = std::filesystem;

TEST(ProjectFiles, ListsEveryFileOutsideHiddenAndVtiFoldersInByteOrder) {
  TempFolder site;
  for (const char* file : {"b.asp", "B.inc", "inc/menu.inc", "caf\xE9.txt", ".hidden/a.inc",
                           "inc/.b.inc", "_vti_cnf/c.inc", "inc/_vti_pvt/d.inc", "x_vti_/e.inc"}) {
    site.Write(file, "");
  }
  fs::create_directory(site.Path() / "empty");
  fs::create_directory_symlink(site.Path() / "inc", site.Path() / "linked");
  fs::create_symlink(site.Path() / "b.asp", site.Path() / "link.asp");
  EXPECT_EQ(ListProjectFiles(site.Path()),
            (std::vector<Text>{u"B.inc", u"b.asp", u"caf" + Text(1, u'\xDCE9') + u".txt",
                               u"inc/menu.inc", u"link.asp", u"x_vti_/e.inc"}));
}

}  // namespace lintra
