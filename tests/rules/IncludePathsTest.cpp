#include "rules/IncludePaths.h"

#include <gtest/gtest.h>

#include "rules/PageCommands.h"

namespace lintra {

TEST(IncludePaths, AParentFolderIsADotDotSegmentOfTheDirectivesPath) {
  for (const char16_t* directive :
       {u"<!--#include file=\"../a.inc\"-->", u"<!--#include virtual=\"/shop/../a.inc\"-->",
        u"<!-- #include file = '..\\a.inc' -->", u"<!--#include file=..-->",
        u"<!--#include file=\"inc/..\"-->"}) {
    EXPECT_TRUE(NamesParentFolder(directive)) << text::ToUtf8(directive);
  }
  for (const char16_t* directive :
       {u"<!--#include file=\"a.inc\"-->", u"<!--#include file=\"v1..2.inc\"-->",
        u"<!--#include file=\"...inc\"-->", u"<!--#include file=\"inc/..a.inc\"-->",
        u"<!--#include file=\"./a.inc\"-->"}) {
    EXPECT_FALSE(NamesParentFolder(directive)) << text::ToUtf8(directive);
  }
}

TEST(IncludePaths, ACaseMismatchIsTheSameSegmentsInOtherLetterCase) {
  EXPECT_TRUE(DiffersOnlyInCase(u"Inc/Menu.inc", u"inc/menu.inc"));
  EXPECT_TRUE(DiffersOnlyInCase(u"./INC//menu.inc", u"inc/menu.inc"));
  EXPECT_TRUE(DiffersOnlyInCase(u"inc\\Menu.inc", u"inc/menu.inc"));
  EXPECT_FALSE(DiffersOnlyInCase(u"inc/menu.inc", u"inc/menu.inc"));
  EXPECT_FALSE(DiffersOnlyInCase(u"./inc\\menu.inc", u"inc/menu.inc"));
  EXPECT_FALSE(DiffersOnlyInCase(u"inc/menu.inc", u"lib/menu.inc"));
  EXPECT_FALSE(DiffersOnlyInCase(u"menu.inc", u"inc/menu.inc"));
}

TEST(IncludePaths, ExtensionsMatchTheLastDotOfTheNameInAnyCase) {
  const std::vector<std::string> extensions = {".inc", ".txt"};
  EXPECT_TRUE(HasExtension(u"inc/menu.inc", extensions));
  EXPECT_TRUE(HasExtension(u"inc/README.TXT", extensions));
  EXPECT_FALSE(HasExtension(u"inc/menu.inc.asp", extensions));
  EXPECT_FALSE(HasExtension(u"inc.inc/menu", extensions));
  EXPECT_FALSE(HasExtension(u"inc/menu.incl", extensions));
  EXPECT_FALSE(HasExtension(u"inc/menu", extensions));
}

TEST(PageCommands, FindsDirectivesTheirCodePageAndTheFirstCode) {
  const Text text =
      u"<p>\n<%@ Language=\"VBScript\" CODEPAGE = \"65001\" %>\n<%= title %>\n"
      u"<% x = \"<%@ in a block\" %><% @codepage=1252%>";
  const PageCommands commands = ScanPageCommands(text);
  ASSERT_EQ(commands.directives.size(), 2u);
  EXPECT_EQ(commands.directives[0].begin, 4u);
  EXPECT_EQ(commands.directives[0].end, 49u);
  EXPECT_EQ(commands.directives[0].codePage, 65001);
  EXPECT_EQ(commands.directives[1].codePage, 1252);
  EXPECT_EQ(commands.firstCode, 50u);
  const PageCommands open = ScanPageCommands(u"<%@ Language=VBScript");
  ASSERT_EQ(open.directives.size(), 1u);
  EXPECT_EQ(open.directives[0].end, 21u);
  EXPECT_EQ(open.directives[0].codePage, 0);
  EXPECT_EQ(open.firstCode, Text::npos);
}

}  // namespace lintra
