#include "site/PageArguments.h"

#include <gtest/gtest.h>

#include "platform/Utf8.h"
#include "tests/apps/TempFolder.h"

namespace lintra {

namespace fs = std::filesystem;

TEST(PageArguments, PagesDropLeadingDotFoldersAndAbsolutePathsInsideTheRoot) {
  TempFolder temp;
  temp.Write("site/about.asp", "");
  fs::create_directory_symlink(temp.Path() / "site", temp.Path() / "alias");
  const fs::path root = temp.Path() / "alias";
  const PageArguments arguments(root, fs::canonical(root));
  EXPECT_EQ(arguments.Page("./.\\shop\\product.asp"), u"shop\\product.asp");
  EXPECT_EQ(arguments.Page("shop/./cart.asp"), u"shop/./cart.asp");
  EXPECT_EQ(arguments.Page((root / "about.asp").string()), u"about.asp");
  EXPECT_EQ(arguments.Page((temp.Path() / "site/x/../about.asp").string()), u"about.asp");
  const std::string outside = (temp.Path() / "other.asp").string();
  EXPECT_EQ(arguments.Page(outside), text::FromUtf8(outside));
  EXPECT_EQ(arguments.Page("caf\xE9.asp"), u"caf" + Text(1, u'\xDCE9') + u".asp");
}

TEST(PageArguments, ParentsAreResolvedByNameAndOtherPathsKeptForTheHost) {
  const PageArguments arguments("/srv/site", "/srv/site");
  EXPECT_EQ(arguments.Page("shop/../about.asp"), u"about.asp");
  EXPECT_EQ(arguments.Page("shop\\..\\..\\x.asp"), u"../x.asp");
  EXPECT_EQ(arguments.Page("/srv/site/inc/../a.inc"), u"a.inc");
  // The host takes a leading "/" for the root.
  EXPECT_EQ(arguments.Page("/INC\\Config.inc"), u"/INC\\Config.inc");
}

}  // namespace lintra
