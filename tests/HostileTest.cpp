#include <gtest/gtest.h>
#include <pthread.h>

#include <functional>

#include "analysis/Dependency.h"
#include "analysis/FileSupply.h"
#include "analysis/PageAnalysis.h"
#include "analysis/PageReport.h"
#include "platform/ErrorRecord.h"
#include "support/MemoryHost.h"
#include "support/ScriptedMessageBox.h"

namespace lintra {

namespace {

// Runs `body` on a thread whose stack is far smaller than a main thread's, so that any walk that
// recursed once per level of a deep tree would overflow it whatever the build's frame sizes.
void OnSmallStack(const std::function<void()>& body) {
  constexpr size_t kStackBytes = size_t{256} << 10;
  pthread_attr_t attributes;
  ASSERT_EQ(pthread_attr_init(&attributes), 0);
  ASSERT_EQ(pthread_attr_setstacksize(&attributes, kStackBytes), 0);
  pthread_t thread;
  auto run = [](void* call) -> void* {
    (*static_cast<const std::function<void()>*>(call))();
    return nullptr;
  };
  ASSERT_EQ(pthread_create(&thread, &attributes, run, const_cast<std::function<void()>*>(&body)),
            0);
  pthread_attr_destroy(&attributes);
  pthread_join(thread, nullptr);
}

Text ChainName(int level) {
  return u"c" + text::FromNumber(level) + u".inc";
}

// site/page.asp includes c1.inc, which includes c2.inc, and so on down to c<depth>.inc, which
// holds the text "end".
void AddChain(MemoryHost& host, int depth) {
  host.Files[u"site/page.asp"] = IncludeDirective(ChainName(1));
  for (int level = 1; level < depth; ++level) {
    host.Files[u"site/" + ChainName(level)] = IncludeDirective(ChainName(level + 1));
  }
  host.Files[u"site/" + ChainName(depth)] = u"end";
}

size_t Occurrences(const Text& text, TextView piece) {
  size_t count = 0;
  for (size_t at = text.find(piece); at != Text::npos; at = text.find(piece, at + 1)) ++count;
  return count;
}

// The file at the end of the first includes below `file`.
std::shared_ptr<File> Deepest(std::shared_ptr<File> file) {
  while (file->Includes()->size() > 0) file = (*file->Includes())[0];
  return file;
}

TextArray MatchList(const Text& entry) {
  TextArray list(0, 0, 0, 1);
  list.At(0, 1) = entry;
  return list;
}

}  // namespace

TEST(Hostile, TenThousandDeepChainIsShownCommandedClearedAndReleased) {
  constexpr int kDepth = 10000;
  OnSmallStack([] {
    ScriptedMessageBox boxes;
    MemoryHost host;
    AddChain(host, kDepth);
    host.Control->ParseFile(u"", u"site/page.asp");
    TreeView& view = host.Control->tvLintra();
    const Nodes& nodes = view.GetNodes();
    ASSERT_EQ(nodes.size(), size_t{kDepth + 1});
    for (const auto& node : nodes) ASSERT_TRUE(node->Expanded());
    const std::weak_ptr<File> deepest = FileAt(view, kDepth + 1);
    ASSERT_EQ(deepest.lock()->FullPath(), u"site/" + ChainName(kDepth));

    host.Control->Collapse();
    EXPECT_FALSE(nodes.Item(kDepth)->Expanded());
    EXPECT_TRUE(nodes.Item(kDepth - 1)->Expanded());
    host.Control->CollapseAll();
    for (const auto& node : nodes) ASSERT_FALSE(node->Expanded());
    host.Control->Expand();
    host.Control->Expand();
    EXPECT_TRUE(nodes.Item(kDepth)->Expanded());
    EXPECT_FALSE(nodes.Item(kDepth - 1)->Expanded());
    host.Control->ExpandAll();
    for (const auto& node : nodes) ASSERT_TRUE(node->Expanded());
    host.Control->CollapseAll();
    host.Control->ExpandWholeTree();
    for (const auto& node : nodes) ASSERT_TRUE(node->Expanded());

    host.Control->ClearTree();
    EXPECT_EQ(nodes.size(), 0u);
    EXPECT_TRUE(deepest.expired());
    EXPECT_TRUE(boxes.Boxes().empty());
  });
}

// Analysing the page, each of its reports, its match against a list and its release each walk the
// whole depth (ClearTree's Delete does so in the test above).
TEST(Hostile, AHundredThousandDeepPageIsAnalysedReportedMatchedAndReleased) {
  constexpr int kDepth = 100000;
  OnSmallStack([] {
    ScriptedMessageBox boxes;
    MemoryHost host;
    AddChain(host, kDepth);
    auto root = AnalysePage(host.Control, u"", u"site/page.asp");
    const std::weak_ptr<File> deepest = Deepest(root);
    ASSERT_EQ(deepest.lock()->FullPath(), u"site/" + ChainName(kDepth));
    const Text complete = root->OutputComplete();
    EXPECT_EQ(Occurrences(complete, u"INCLUDE FILE END"), size_t{kDepth});
    EXPECT_NE(complete.find(u"\r\nend\r\n"), Text::npos);
    ErrorTrap trap(u"Lintra", u"GetWarnings");
    EXPECT_EQ(WarningsReport(trap, *root),
              u"File : site/page.asp\r\n\r\nNo critical errors\r\n\r\nNo warnings\r\n");
    EXPECT_TRUE(fbContainsMatch(*root, MatchList(u"SITE/C100000.INC")));
    EXPECT_FALSE(fbContainsMatch(*root, MatchList(u"ELSEWHERE.INC")));
    root.reset();
    EXPECT_TRUE(deepest.expired());
    EXPECT_TRUE(boxes.Boxes().empty());
  });
}

TEST(Hostile, TextTreeOfADeepChainIsDrawnInFull) {
  constexpr int kDepth = 2000;
  OnSmallStack([] {
    ScriptedMessageBox boxes;
    MemoryHost host;
    AddChain(host, kDepth);
    host.Control->ParseFile(u"", u"site/page.asp");
    auto padded = [](Text line) {
      if (line.size() < 40) line.resize(40, u' ');
      return line;
    };
    Text expected = padded(u"page.asp") + u"site/\r\n";
    Text prefix;
    for (int level = 1; level <= kDepth; ++level) {
      expected += prefix + u"|    \r\n" + padded(prefix + u"\\--- " + ChainName(level)) + u".\r\n";
      prefix += u"     ";
    }
    expected += u"\r\n\r\n";
    EXPECT_TRUE(host.Control->TextTree() == expected);
    EXPECT_TRUE(boxes.Boxes().empty());
  });
}

// Past 32,767 nodes the tree view's 16-bit count overflows; the selected node must still be the
// one that double-clicks and reports act on.
TEST(Hostile, PastTheLargestNodeCountTheSelectedNodeIsStillTheOneActedOn) {
  constexpr size_t kIncludes = 16400;
  ScriptedMessageBox boxes;
  MemoryHost host;
  host.Files[u"first.asp"] = Repeat(IncludeDirective(u"a.inc"), kIncludes);
  host.Files[u"second.asp"] = Repeat(IncludeDirective(u"b.inc"), kIncludes);
  host.Files[u"a.inc"] = u"";
  host.Files[u"b.inc"] = u"";
  Lintra& control = *host.Control;
  control.ParseFile(u"", u"first.asp");
  control.ParseFile(u"", u"second.asp");
  TreeView& view = control.tvLintra();
  ASSERT_EQ(view.GetNodes().size(), 2 * (kIncludes + 1));
  const std::shared_ptr<Node> last = view.GetNodes().Item(static_cast<int32_t>(2 * kIncludes + 2));

  view.DoubleClick(last.get());
  EXPECT_EQ(host.OpenedFiles, std::vector<Text>{u"b.inc"});
  EXPECT_EQ(view.SelectedItem().get(), last.get());
  EXPECT_TRUE(control.GetWarnings().starts_with(u"File : second.asp\r\n"));
  EXPECT_TRUE(control.GetCompleteFile().starts_with(u"\r\n<%' === INCLUDE FILE START ( " +
                                                    IncludeDirective(u"b.inc")));
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(Hostile, AnIncludeExplosionStoppedByTheHostFailsCleanlyAndTheControlGoesOn) {
  ScriptedMessageBox boxes;
  MemoryHost host;
  host.Files[u"ok.asp"] = IncludeDirective(u"a.inc");
  host.Files[u"a.inc"] = u"A";
  host.Files[u"boom.asp"] = IncludeDirective(u"f1.inc") + IncludeDirective(u"f1.inc");
  for (int i = 1; i < 40; ++i) {
    const Text next = u"f" + text::FromNumber(i + 1) + u".inc";
    host.Files[u"f" + text::FromNumber(i) + u".inc"] =
        IncludeDirective(next) + IncludeDirective(next);
  }
  host.Files[u"f40.inc"] = u"";
  Lintra& control = *host.Control;
  control.ParseFile(u"", u"ok.asp");
  control.tvLintra().SelectedItem(control.tvLintra().GetNodes().Item(2).get());
  control.Collapse();
  const std::string before = NodeStates(control.tvLintra());
  const Text treeBefore = control.TextTree();

  host.Requests.clear();
  host.Limit = 1000;
  try {
    control.ParseFile(u"", u"boom.asp");
    ADD_FAILURE() << "the explosion was not stopped";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.Record().Number, FileSupply::Abort);
    EXPECT_EQ(error.Record().Source, u"Lintra.Lintra.ParseFile");
    EXPECT_EQ(error.Record().Description, u"Could not find the file : " + host.Requests.back());
  }
  EXPECT_EQ(host.Requests.size(), 1001u);
  EXPECT_EQ(NodeStates(control.tvLintra()), before);
  EXPECT_EQ(control.TextTree(), treeBefore);

  host.Requests.clear();
  try {
    control.DisplayIfDependant(u"", u"boom.asp", MatchList(u"F40.INC"));
    ADD_FAILURE() << "the explosion was not stopped";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.Record().Source, u"Lintra.fsGetFile");
  }
  EXPECT_EQ(NodeStates(control.tvLintra()), before);
  EXPECT_EQ(control.tvLintra().SelectedItem(), control.tvLintra().GetNodes().Item(2));

  host.Limit = 0;
  control.ParseFile(u"", u"ok.asp");
  EXPECT_EQ(control.TextTree(), treeBefore + treeBefore);
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(Hostile, OddPathsInDirectivesReachTheHostAsWrittenOnlyWithSlashesAndParentsResolved) {
  ScriptedMessageBox boxes;
  MemoryHost host;
  Text climb;
  for (int i = 0; i < 100000; ++i) climb += u"a/../";
  const Text longName(300, u'n');
  host.Files[u"p.asp"] = IncludeDirective(Text(u"a\0b.inc", 7)) + IncludeDirective(u"C:\\x.inc") +
                         IncludeDirective(u"\\\\server\\share\\x.inc") +
                         IncludeDirective(u"....//x.inc") + IncludeDirective(u"%2e%2e/x.inc") +
                         IncludeDirective(climb + u"x.inc") + IncludeDirective(longName);
  auto root = host.Control->AnalysePage(u"", u"p.asp");
  EXPECT_EQ(host.Requests,
            (std::vector<Text>{u"p.asp", Text(u"a\0b.inc", 7), u"C:/x.inc", u"//server/share/x.inc",
                               u"....//x.inc", u"%2e%2e/x.inc", u"x.inc", longName}));
  EXPECT_EQ(root->Includes()->size(), 7u);
  for (const auto& include : *root->Includes()) EXPECT_TRUE(include->MissingFile());
  EXPECT_TRUE(boxes.Boxes().empty());
}

}  // namespace lintra
