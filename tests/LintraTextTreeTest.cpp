#include <gtest/gtest.h>

#include "support/MemoryHost.h"
#include "support/ScriptedMessageBox.h"

namespace lintra {

// Each page is drawn with a connector line before each include, "!" after a duplicate, *ERROR*
// instead of the folder of a missing or circular file, and the folder of each file relative to
// its page's; two empty lines end each page.
TEST(LintraTextTree, DrawsEachPageWithConnectorsMarkersAndRelativeFolders) {
  MemoryHost host;
  host.Files[u"default.asp"] = IncludeLine(u"header.inc") + IncludeLine(u"inc/menu.inc") +
                               IncludeLine(u"gone.inc") + IncludeLine(u"gone.inc");
  host.Files[u"header.inc"] = IncludeLine(u"default.asp");
  host.Files[u"inc/menu.inc"] = IncludeLine(u"sub/x.inc");
  host.Files[u"inc/sub/x.inc"] = u"";
  // A name that reaches the folder column gets no blanks before the folder.
  const Text exact = u"an-include-thirty-five-chars-01.inc";
  const Text longer = u"an-include-name-longer-than-the-column.inc";
  host.Files[u"shop/cart.asp"] = IncludeLine(u"../inc/Menu.inc") + IncludeLine(u"../inc/Menu.inc") +
                                 IncludeLine(exact) + IncludeLine(longer);
  host.Files[u"inc/Menu.inc"] = u"";
  host.Files[u"shop/" + exact] = u"";
  host.Files[u"shop/" + longer] = u"";
  EXPECT_EQ(host.Control->TextTree(), u"");
  for (const char16_t* page : {u"default.asp", u"shop/cart.asp", u"/site/gone.asp"})
    host.Control->ParseFile(u"", page);

  const Text expected = Lines({u"default.asp                             ",
                               u"|    ",
                               u"+--- header.inc                         .",
                               u"|    |    ",
                               u"|    \\--- default.asp *ERROR*           ",
                               u"|    ",
                               u"+--- menu.inc                           inc",
                               u"|    |    ",
                               u"|    \\--- x.inc                         inc/sub",
                               u"|    ",
                               u"+--- gone.inc !  *ERROR*                ",
                               u"|    ",
                               u"\\--- gone.inc !  *ERROR*                ",
                               u"",
                               u"",
                               u"cart.asp                                shop/",
                               u"|    ",
                               u"+--- Menu.inc !                         ../inc",
                               u"|    ",
                               u"+--- Menu.inc !                         ../inc",
                               u"|    ",
                               u"+--- an-include-thirty-five-chars-01.inc.",
                               u"|    ",
                               u"\\--- an-include-name-longer-than-the-column.inc.",
                               u"",
                               u"",
                               u"gone.asp *ERROR*                        ",
                               u"",
                               u""});
  EXPECT_EQ(host.Control->TextTree(), expected);

  // The drawing does not depend on which nodes are open, and reads no file again.
  const size_t requests = host.Requests.size();
  host.Control->CollapseAll();
  EXPECT_EQ(host.Control->TextTree(), expected);
  EXPECT_EQ(host.Requests.size(), requests);
  host.Control->ClearTree();
  EXPECT_EQ(host.Control->TextTree(), u"");
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
  const Text ending = last + Text(40 - last.size(), u' ') + u"\r\n\r\n\r\n";
  ASSERT_GE(drawing.size(), ending.size());
  EXPECT_EQ(drawing.substr(drawing.size() - ending.size()), ending);
  EXPECT_TRUE(boxes.Boxes().empty());
}

}  // namespace lintra
