#include <gtest/gtest.h>

#include <random>

#include "support/MemoryHost.h"
#include "support/ScriptedMessageBox.h"

namespace lintra {

TEST(Parser, BuildsMultiFolderTreeDepthFirstInTextOrder) {
  MemoryHost host;
  host.Files[u"shop/default.asp"] =
      u"<html>\r\n<!-- #include file=\"inc/a.inc\" -->\r\n<!--#include virtual=\"/inc/b.inc\"-->";
  host.Files[u"shop/inc/a.inc"] = u"x<!-- #include file='c.inc' -->";
  host.Files[u"shop/inc/c.inc"] = u"C";
  host.Files[u"inc/b.inc"] = u"<!-- #include file=\"../shop/inc/c.inc\" -->";
  auto root = host.Control->AnalysePage(u"/site", u"shop/default.asp");

  EXPECT_EQ(Outline(*root, true),
            u"shop/inc/a.inc [9,43)\n"
            u"  shop/inc/c.inc [2,32) duplicate\n"
            u"inc/b.inc [45,81)\n"
            u"  shop/inc/c.inc [1,43) duplicate\n");
  EXPECT_EQ(host.Requests, (std::vector<Text>{u"shop/default.asp", u"shop/inc/a.inc",
                                              u"shop/inc/c.inc", u"inc/b.inc", u"shop/inc/c.inc"}));

  auto a = root->Includes()->Item(1);
  auto c = a->Includes()->Item(1);
  EXPECT_EQ(c->ProjectPath(), u"/site");
  EXPECT_EQ(c->Container(), host.Control);
  EXPECT_EQ(c->Parent(), a);
  EXPECT_EQ(c->BaseFile(), root);
  EXPECT_FALSE(c->RootFile());
}

TEST(Parser, ResolvesFileAgainstFolderAndVirtualAgainstRoot) {
  MemoryHost host;
  host.Files[u"shop/p.asp"] =
      u"<!-- #include file=\"inc/a.inc\" -->"
      u"<!-- #include file=\"../inc/a.inc\" -->"
      u"<!-- #include file=\"/inc/a.inc\" -->"
      u"<!-- #include virtual=\"/inc/a.inc\" -->"
      u"<!-- #include virtual=\"inc/a.inc\" -->"
      u"<!-- #include virtual=\"../inc/a.inc\" -->"
      u"<!-- #include virtual='..x.inc' -->"
      u"<!-- #INCLUDE virtual='/v.inc' file='f.inc' -->"
      u"<!-- note #Include Virtual=/includes/file.asp -->"
      u"<!--#include file=u.inc-->";
  host.Control->AnalysePage(u"", u"shop/p.asp");
  EXPECT_EQ(host.Requests,
            (std::vector<Text>{u"shop/p.asp", u"shop/inc/a.inc", u"inc/a.inc", u"shop//inc/a.inc",
                               u"inc/a.inc", u"inc/a.inc", u"inc/a.inc", u"x.inc", u"shop/f.inc",
                               u"includes/file.asp", u"shop/u.inc"}));
}

TEST(Parser, ScriptBlocksAndCommentsHideEachOthersOpeners) {
  MemoryHost host;
  host.Files[u"p.asp"] =
      u"<% s = \"<!-- #include file='in-script.inc' -->\" %>"
      u"<!-- a comment with <% inside -->"
      u"<!-- #include file='after.inc' -->"
      u"<!--> #include file='overlap1.inc' -->"
      u"<!---> #include file='overlap2.inc' -->"
      u"<!-- no keyword file='plain.inc' -->";
  host.Files[u"after.inc"] = u"A";
  auto root = host.Control->AnalysePage(u"", u"p.asp");
  EXPECT_EQ(Outline(*root, true), u"after.inc [84,118)\n");
  EXPECT_EQ(host.Requests, (std::vector<Text>{u"p.asp", u"after.inc"}));
  EXPECT_FALSE(root->MissingFile());

  // A directive inside a comment left open spans from the outer opener.
  host.Files[u"q.asp"] = u"ab<!-- old <!-- #include file='after.inc' --> tail -->";
  EXPECT_EQ(Outline(*host.Control->AnalysePage(u"", u"q.asp"), true), u"after.inc [3,46)\n");
}

TEST(Parser, KeywordWithoutUsableAttributeMarksIncludingNodeMissing) {
  MemoryHost host;
  host.Files[u"p.asp"] = u"<!-- #include -->";
  host.Files[u"q.asp"] = u"<!-- #include file\r\n='a.inc' --><!-- #include file='b.inc' -->";
  host.Files[u"b.inc"] = u"B";
  auto p = host.Control->AnalysePage(u"", u"p.asp");
  EXPECT_TRUE(p->MissingFile());
  EXPECT_EQ(p->Content(), u"<!-- #include -->");
  EXPECT_EQ(p->Includes()->Count(), u"0");

  auto q = host.Control->AnalysePage(u"", u"q.asp");
  EXPECT_TRUE(q->MissingFile());
  EXPECT_EQ(Outline(*q, true), u"b.inc [33,63)\n");
}

TEST(Parser, HostMayReplaceThePathOfAnInclude) {
  MemoryHost host;
  host.Redirects = {{u"old/a.inc", u"new/a.inc"}, {u"old/b.inc", u"new/b.inc"}};
  host.Files[u"p.asp"] = u"<!-- #include file='old/a.inc' --><!-- #include file='old/b.inc' -->";
  host.Files[u"new/a.inc"] = u"<!-- #include file='c.inc' -->";
  host.Files[u"new/c.inc"] = u"C";
  auto root = host.Control->AnalysePage(u"", u"p.asp");
  EXPECT_EQ(Outline(*root, true),
            u"new/a.inc [1,35)\n"
            u"  new/c.inc [1,31)\n"
            u"b.inc [35,69) missing\n");
  EXPECT_EQ(host.Requests, (std::vector<Text>{u"p.asp", u"old/a.inc", u"new/a.inc", u"new/c.inc",
                                              u"old/b.inc", u"new/b.inc"}));
}

TEST(Parser, SurvivesHostileTexts) {
  MemoryHost host;
  ScriptedMessageBox boxes;

  // An opener without its closer ends the scan of that text.
  host.Files[u"p.asp"] =
      u"<!-- #include file='a.inc' --><!-- #include file='b.inc' <!-- #include file='c.inc'";
  host.Files[u"q.asp"] = u"<% x <!-- #include file='a.inc' -->";
  EXPECT_EQ(Outline(*host.Control->AnalysePage(u"", u"p.asp"), true), u"a.inc [1,31) missing\n");
  EXPECT_EQ(Outline(*host.Control->AnalysePage(u"", u"q.asp"), true), u"");
  EXPECT_EQ(host.Requests, (std::vector<Text>{u"p.asp", u"a.inc", u"q.asp"}));

  host.Files[u"openers.asp"] = Repeat(u"<!--", 20000) + Repeat(u"<%", 20000);
  EXPECT_EQ(host.Control->AnalysePage(u"", u"openers.asp")->Includes()->Count(), u"0");

  host.Files[u"long.asp"] = u"<!-- #include file='a.inc' " + Text(2'500'000, u'x') + u" -->" +
                            Text(2'500'000, u'y') + u"<!-- #include file='b.inc' -->";
  EXPECT_EQ(Outline(*host.Control->AnalysePage(u"", u"long.asp"), true),
            u"a.inc [1,2500032) missing\nb.inc [5000032,5000062) missing\n");

  std::mt19937 random(7);
  std::uniform_int_distribution<int> unit(0, 0xFFFF);
  const TextView pieces[] = {u"<!--", u"-->", u"<%", u"%>", u"#include file=", u"'", u"\""};
  Text junk;
  for (int i = 0; i < 100000; ++i) {
    junk += unit(random) % 5 == 0 ? Text(pieces[unit(random) % 7])
                                  : Text(1, static_cast<char16_t>(unit(random)));
  }
  host.Files[u"junk.asp"] = junk;
  host.Control->AnalysePage(u"", u"junk.asp");
  EXPECT_TRUE(boxes.Boxes().empty());
}

}  // namespace lintra
