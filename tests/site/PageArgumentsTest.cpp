#include "site/PageArguments.h"

#include <gtest/gtest.h>

#include "tests/apps/TempFolder.h"

namespace fs = std::filesystem;

namespace {

// Spells bytes as UTF-8, marking the text so that a test sees the argument was decoded.
const NameCodec MarkedNames{[](std::string_view bytes) { return u"~" + text::FromUtf8(bytes); },
                            [](TextView text) { return text::ToUtf8(text.substr(1)); }};

}  // namespace

TEST(PageArguments, PagesDropLeadingDotFoldersAndAbsolutePathsInsideTheRoot) {
  TempFolder temp;
  temp.Write("site/about.asp", "");
  fs::create_directory_symlink(temp.Path() / "site", temp.Path() / "alias");
  const fs::path root = temp.Path() / "alias";
  const PageArguments arguments(root, fs::canonical(root), MarkedNames);
  EXPECT_EQ(arguments.Page("./.\\shop\\product.asp"), u"~shop\\product.asp");
  EXPECT_EQ(arguments.Page("shop/./cart.asp"), u"~shop/./cart.asp");
  EXPECT_EQ(arguments.Page((root / "about.asp").string()), u"~about.asp");
  EXPECT_EQ(arguments.Page((temp.Path() / "site/x/../about.asp").string()), u"~about.asp");
  const std::string outside = (temp.Path() / "other.asp").string();
  EXPECT_EQ(arguments.Page(outside), u"~" + text::FromUtf8(outside));
}

TEST(PageArguments, ParentsAreResolvedByNameAndOtherPathsKeptForTheHost) {
  const PageArguments arguments("/srv/site", "/srv/site", NameCodec{text::FromUtf8, text::ToUtf8});
  EXPECT_EQ(arguments.Page("shop/../about.asp"), u"about.asp");
  EXPECT_EQ(arguments.Page("shop\\..\\..\\x.asp"), u"../x.asp");
  EXPECT_EQ(arguments.Page("/srv/site/inc/../a.inc"), u"a.inc");
  // The host takes a leading "/" for the root.
  EXPECT_EQ(arguments.Page("/INC\\Config.inc"), u"/INC\\Config.inc");
}
