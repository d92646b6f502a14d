#include <gtest/gtest.h>

#include "analysis/File.h"
#include "analysis/Files.h"
#include "support/MemoryHost.h"
#include "support/ScriptedMessageBox.h"

namespace {

Text Include(const Text& path) {
  return u"<!-- #include file=\"" + path + u"\" -->\r\n";
}

std::shared_ptr<File> FileOf(const std::shared_ptr<Node>& node) {
  return std::dynamic_pointer_cast<File>(node->Tag());
}

std::vector<std::pair<Text, Text>> TextsAndPictures(TreeView& view) {
  std::vector<std::pair<Text, Text>> shown;
  for (const auto& node : view.GetNodes()) shown.emplace_back(node->Text(), node->Image());
  return shown;
}

}  // namespace

TEST(LintraDisplay, PicturesShowWhatIsWrongWithEachFile) {
  MemoryHost host;
  host.Files[u"/site/default.asp"] = Include(u"ok.inc") + Include(u"dup.inc") +
                                     Include(u"dup.inc") + Include(u"gone.inc") +
                                     Include(u"gone.inc") + Include(u"self.inc");
  host.Files[u"/site/ok.inc"] = u"ok";
  host.Files[u"/site/dup.inc"] = u"dup";
  host.Files[u"/site/self.inc"] = Include(u"self.inc");
  host.Files[u"/site/odd.asp"] = u"<!-- #include -->";
  host.Control->ParseFile(u"/site", u"/site/default.asp");
  host.Control->ParseFile(u"/site", u"/site/lost.asp");
  host.Control->ParseFile(u"/site", u"/site/odd.asp");

  const std::vector<std::pair<Text, Text>> expected{
      {u"default.asp", u"ASPFile"},          {u"ok.inc", u"IncludeFile"},
      {u"dup.inc", u"IncludeFileWarning"},   {u"dup.inc", u"IncludeFileWarning"},
      {u"gone.inc", u"IncludeFileCritical"}, {u"gone.inc", u"IncludeFileCritical"},
      {u"self.inc", u"IncludeFile"},         {u"self.inc", u"IncludeFileCritical"},
      {u"lost.asp", u"ASPFileCritical"},     {u"odd.asp", u"ASPFileCritical"}};
  TreeView& view = host.Control->tvLintra();
  EXPECT_EQ(TextsAndPictures(view), expected);
  const auto inner = FileOf(view.GetNodes().Item(8));
  EXPECT_TRUE(inner->CircularInclude() && inner->DuplicateInclude());
  EXPECT_TRUE(FileOf(view.GetNodes().Item(5))->DuplicateInclude());
}

TEST(LintraDisplay, NodesMirrorTheTreeInPreOrderAndLaterPagesFollow) {
  MemoryHost host;
  host.Files[u"/site/root.asp"] = Include(u"A.inc") + Include(u"B.inc");
  host.Files[u"/site/A.inc"] = Include(u"A1.inc");
  host.Files[u"/site/A1.inc"] = u"a1";
  host.Files[u"/site/B.inc"] = u"b";
  host.Files[u"/site/next.asp"] = Include(u"B.inc");
  TreeView& view = host.Control->tvLintra();
  host.Control->ParseFile(u"/site", u"/site/root.asp");
  host.Control->ParseFile(u"/site", u"/site/next.asp");

  std::vector<Text> texts;
  for (const auto& node : view.GetNodes()) texts.push_back(node->Text());
  EXPECT_EQ(texts,
            (std::vector<Text>{u"root.asp", u"A.inc", u"A1.inc", u"B.inc", u"next.asp", u"B.inc"}));
  const Nodes& nodes = view.GetNodes();
  EXPECT_EQ(nodes.Item(3)->Parent(), nodes.Item(2));
  EXPECT_EQ(nodes.Item(4)->Parent(), nodes.Item(1));
  EXPECT_EQ(nodes.Item(5)->Parent(), nullptr);
  EXPECT_EQ(nodes.Item(6)->Parent(), nodes.Item(5));
  EXPECT_EQ(nodes.Item(1)->Next(), nodes.Item(5));

  for (const auto& node : nodes) {
    const auto file = FileOf(node);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->Name(), node->Text());
    EXPECT_TRUE(node->Expanded()) << text::ToUtf8(node->Text());
    if (node->Parent()) {
      EXPECT_EQ(file->Parent(), FileOf(node->Parent()));
    } else {
      EXPECT_TRUE(file->RootFile());
    }
  }
  EXPECT_EQ(FileOf(nodes.Item(2)), FileOf(nodes.Item(1))->Includes()->Item(1));
  EXPECT_EQ(FileOf(nodes.Item(4)), FileOf(nodes.Item(1))->Includes()->Item(2));
}

TEST(LintraDisplay, TwentyThousandIncludesAreShownAndOpened) {
  MemoryHost host;
  Text page;
  for (int i = 0; i < 20000; ++i) {
    const Text name = u"f" + text::FromNumber(i) + u".inc";
    page += Include(name);
    host.Files[u"/site/" + name] = u"x";
  }
  host.Files[u"/site/big.asp"] = page;
  ScriptedMessageBox boxes;
  host.Control->ParseFile(u"/site", u"/site/big.asp");

  const Nodes& nodes = host.Control->tvLintra().GetNodes();
  ASSERT_EQ(nodes.Count(), 20001);
  EXPECT_EQ(nodes.Item(1)->Children(), 20000);
  EXPECT_EQ(nodes.Item(20001)->Text(), u"f19999.inc");
  size_t open = 0;
  size_t plain = 0;
  for (const auto& node : nodes) {
    open += node->Expanded();
    plain += node->Image() == u"IncludeFile";
  }
  EXPECT_EQ(open, 20001u);
  EXPECT_EQ(plain, 20000u);
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(LintraDisplay, ExpandWholeTreeOpensEveryNodeOfADeepChain) {
  MemoryHost host;
  constexpr int kDepth = 2000;
  host.Files[u"/site/deep.asp"] = Include(u"c1.inc");
  for (int i = 1; i < kDepth; ++i) {
    host.Files[u"/site/c" + text::FromNumber(i) + u".inc"] =
        Include(u"c" + text::FromNumber(i + 1) + u".inc");
  }
  host.Files[u"/site/c" + text::FromNumber(kDepth) + u".inc"] = u"end";
  ScriptedMessageBox boxes;
  host.Control->ParseFile(u"/site", u"/site/deep.asp");
  TreeView& view = host.Control->tvLintra();
  ASSERT_EQ(view.GetNodes().size(), static_cast<size_t>(kDepth + 1));

  host.Control->CollapseAll();
  for (const auto& node : view.GetNodes()) ASSERT_FALSE(node->Expanded());
  host.Control->ExpandWholeTree();
  for (const auto& node : view.GetNodes()) ASSERT_TRUE(node->Expanded());
  EXPECT_EQ(view.GetNodes().Item(kDepth + 1)->Text(), u"c2000.inc");
  EXPECT_TRUE(boxes.Boxes().empty());
}
