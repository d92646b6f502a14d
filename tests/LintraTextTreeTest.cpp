#include <gtest/gtest.h>

#include "analysis/TextTree.h"
#include "support/MemoryHost.h"
#include "support/ScriptedMessageBox.h"

namespace {

Text Blanks(size_t count) {
  return Text(count, u' ');
}

}  // namespace

TEST(LintraTextTree, DrawsThePageWithConnectorsMarkersAndFolders) {
  MemoryHost host;
  host.Files[u"/site/default.asp"] =
      IncludeLine(u"header.inc") + IncludeLine(u"menu.inc") + IncludeLine(u"footer.inc");
  host.Files[u"/site/header.inc"] = IncludeLine(u"menu.inc");
  host.Files[u"/site/menu.inc"] = u"<ul></ul>";
  EXPECT_EQ(host.Control->TextTree(), u"");
  host.Control->ParseFile(u"/site", u"/site/default.asp");

  const Text expected = u"default.asp" + Blanks(29) + u"/site/\r\n" + u"|    \r\n" +
                        u"+--- header.inc" + Blanks(25) + u".\r\n" + u"|    |    \r\n" +
                        u"|    \\--- menu.inc ! " + Blanks(19) + u".\r\n" + u"|    \r\n" +
                        u"+--- menu.inc ! " + Blanks(24) + u".\r\n" + u"|    \r\n" +
                        u"\\--- footer.inc *ERROR* " + Blanks(16) + u"\r\n" + u"\r\n" + u"\r\n";
  EXPECT_EQ(host.Control->TextTree(), expected);

  // The drawing does not depend on which nodes are open.
  host.Control->CollapseAll();
  EXPECT_EQ(host.Control->TextTree(), expected);
  EXPECT_EQ(host.Requests.size(), 5u);
}

TEST(LintraTextTree, PagesFollowOneAnotherEachWithTwoEmptyLines) {
  MemoryHost host;
  host.Files[u"solo.asp"] = u"no includes";
  host.Control->ParseFile(u"", u"/site/gone.asp");
  host.Control->ParseFile(u"", u"solo.asp");

  EXPECT_EQ(host.Control->TextTree(), u"gone.asp *ERROR* " + Blanks(23) + u"\r\n\r\n\r\n" +
                                          u"solo.asp" + Blanks(32) + u"\r\n\r\n\r\n");
  host.Control->ClearTree();
  EXPECT_EQ(host.Control->TextTree(), u"");
}

TEST(LintraTextTree, APageAnalysedWithoutShowingItIsDrawnTheSame) {
  MemoryHost host;
  host.Files[u"shop/cart.asp"] = IncludeLine(u"../inc/a.inc") + IncludeLine(u"gone.inc");
  host.Files[u"inc/a.inc"] = u"";
  const std::shared_ptr<File> page = host.Control->ParseFileTree(u"", u"shop/cart.asp");
  Text drawing = u"kept";
  AppendTextTree(*page, drawing);

  host.Control->ParseFile(u"", u"shop/cart.asp");
  EXPECT_EQ(drawing, u"kept" + host.Control->TextTree());
  EXPECT_EQ(drawing, u"kept" + Text(u"cart.asp") + Blanks(32) + u"shop/\r\n" + u"|    \r\n" +
                         u"+--- a.inc" + Blanks(30) + u"../inc\r\n" + u"|    \r\n" +
                         u"\\--- gone.inc *ERROR* " + Blanks(18) + u"\r\n\r\n\r\n");
}

TEST(LintraTextTree, LongLinesGetNoBlanksBeforeTheFolder) {
  MemoryHost host;
  const Text page = u"a-page-name-of-exactly-forty-chars-1.asp";
  const Text exact = u"an-include-thirty-five-chars-01.inc";
  const Text longer = u"an-include-name-longer-than-the-column.inc";
  ASSERT_EQ(page.size(), 40u);
  ASSERT_EQ(exact.size() + 5, 40u);
  host.Files[u"/s/" + page] = IncludeLine(exact) + IncludeLine(longer) + IncludeLine(longer);
  host.Files[u"/s/" + exact] = u"";
  host.Files[u"/s/" + longer] = u"";
  host.Control->ParseFile(u"", u"/s/" + page);

  EXPECT_EQ(host.Control->TextTree(), page + u"/s/\r\n" + u"|    \r\n" + u"+--- " + exact +
                                          u".\r\n" + u"|    \r\n" + u"+--- " + longer +
                                          u" ! .\r\n" + u"|    \r\n" + u"\\--- " + longer +
                                          u" ! .\r\n" + u"\r\n\r\n");
}

TEST(LintraTextTree, CircularAndMissingIncludesShowErrorInsteadOfFolder) {
  MemoryHost host;
  host.Files[u"/site/a.asp"] =
      IncludeLine(u"b.inc") + IncludeLine(u"gone.inc") + IncludeLine(u"gone.inc");
  host.Files[u"/site/b.inc"] = IncludeLine(u"a.asp");
  host.Control->ParseFile(u"/site", u"/site/a.asp");

  EXPECT_EQ(host.Control->TextTree(),
            u"a.asp" + Blanks(35) + u"/site/\r\n" + u"|    \r\n" + u"+--- b.inc" + Blanks(30) +
                u".\r\n" + u"|    |    \r\n" + u"|    \\--- a.asp *ERROR* " + Blanks(16) + u"\r\n" +
                u"|    \r\n" + u"+--- gone.inc !  *ERROR* " + Blanks(15) + u"\r\n" + u"|    \r\n" +
                u"\\--- gone.inc !  *ERROR* " + Blanks(15) + u"\r\n" + u"\r\n\r\n");
}

TEST(LintraTextTree, IncludeFoldersAreShownRelativeToThePage) {
  MemoryHost host;
  host.Files[u"default.asp"] = IncludeLine(u"top.inc") + IncludeLine(u"inc/menu.inc");
  host.Files[u"top.inc"] = u"";
  host.Files[u"inc/menu.inc"] = IncludeLine(u"sub/x.inc");
  host.Files[u"inc/sub/x.inc"] = u"";
  host.Files[u"shop/cart.asp"] = IncludeLine(u"../inc/Menu.inc");
  host.Files[u"inc/Menu.inc"] = u"";
  host.Control->ParseFile(u"", u"default.asp");
  host.Control->ParseFile(u"", u"shop/cart.asp");

  EXPECT_EQ(host.Control->TextTree(),
            u"default.asp" + Blanks(29) + u"\r\n" + u"|    \r\n" + u"+--- top.inc" + Blanks(28) +
                u".\r\n" + u"|    \r\n" + u"\\--- menu.inc" + Blanks(27) + u"inc\r\n" +
                u"     |    \r\n" + u"     \\--- x.inc" + Blanks(25) + u"inc/sub\r\n" +
                u"\r\n\r\n" + u"cart.asp" + Blanks(32) + u"shop/\r\n" + u"|    \r\n" +
                u"\\--- Menu.inc" + Blanks(27) + u"../inc\r\n" + u"\r\n\r\n");
}

TEST(LintraTextTree, FileWithTheLargestIncludeCountIsShownOpenAndDrawnInFull) {
  MemoryHost host;
  constexpr int kIncludes = 32767;
  Text page;
  for (int i = 0; i < kIncludes; ++i) page += IncludeLine(u"i" + text::FromNumber(i) + u".inc");
  host.Files[u"wide.asp"] = page;
  ScriptedMessageBox boxes;
  host.Control->ParseFile(u"", u"wide.asp");

  const Nodes& nodes = host.Control->tvLintra().GetNodes();
  ASSERT_EQ(nodes.size(), size_t{kIncludes + 1});
  EXPECT_EQ(nodes.Item(1)->Children(), kIncludes);
  for (const auto& node : nodes) ASSERT_TRUE(node->Expanded());

  const Text drawing = host.Control->TextTree();
  const Text last = u"\\--- i32766.inc *ERROR* ";
  const Text ending = last + Blanks(40 - last.size()) + u"\r\n\r\n\r\n";
  ASSERT_GE(drawing.size(), ending.size());
  EXPECT_EQ(drawing.substr(drawing.size() - ending.size()), ending);
  EXPECT_TRUE(boxes.Boxes().empty());
}
