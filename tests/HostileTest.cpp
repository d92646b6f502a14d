#include <gtest/gtest.h>
#include <pthread.h>

#include <functional>
#include <random>

#include "analysis/File.h"
#include "analysis/Files.h"
#include "platform/ErrorRecord.h"
#include "support/MemoryHost.h"
#include "support/ScriptedMessageBox.h"

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

Text Include(const Text& path) {
  return u"<!-- #include file=\"" + path + u"\" -->";
}

Text ChainName(int level) {
  return u"c" + text::FromNumber(level) + u".inc";
}

// site/page.asp includes c1.inc, which includes c2.inc, and so on down to c<depth>.inc, which
// holds the text "end".
void AddChain(MemoryHost& host, int depth) {
  host.Files[u"site/page.asp"] = Include(ChainName(1));
  for (int level = 1; level < depth; ++level) {
    host.Files[u"site/" + ChainName(level)] = Include(ChainName(level + 1));
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

std::shared_ptr<File> FileOf(const std::shared_ptr<Node>& node) {
  return std::dynamic_pointer_cast<File>(node->Tag());
}

TextArray MatchList(const Text& entry) {
  TextArray list(0, 0, 0, 1);
  list.At(0, 1) = entry;
  return list;
}

}  // namespace

TEST(Hostile, TenThousandDeepChainIsShownCommandedReportedClearedAndReleased) {
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
    const std::weak_ptr<File> deepest = FileOf(nodes.Item(kDepth + 1));
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

    const Text complete = host.Control->GetCompleteFile();
    EXPECT_EQ(Occurrences(complete, u"INCLUDE FILE START"), size_t{kDepth});
    EXPECT_EQ(Occurrences(complete, u"INCLUDE FILE END"), size_t{kDepth});
    EXPECT_NE(complete.find(u"\r\nend\r\n"), Text::npos);
    EXPECT_EQ(host.Control->GetWarnings(),
              u"File : site/page.asp\r\n\r\nNo critical errors\r\n\r\nNo warnings\r\n");

    host.Control->DisplayIfDependant(u"", u"site/page.asp", MatchList(u"ELSEWHERE.INC"));
    EXPECT_EQ(nodes.size(), size_t{kDepth + 1});
    host.Control->ClearTree();
    EXPECT_EQ(nodes.size(), 0u);
    EXPECT_TRUE(deepest.expired());
    EXPECT_TRUE(boxes.Boxes().empty());
  });
}

// Built through the collections directly: the analysis of a chain this deep is slow for reasons
// of its own (each file is compared with all its ancestors), which is no concern here.
TEST(Hostile, FiftyThousandDeepTreeIsReportedAndReleasedWithOrWithoutDelete) {
  constexpr int kDepth = 50000;
  auto chain = [] {
    auto root = std::make_shared<File>();
    root->FullPath(u"page.asp");
    auto node = root;
    for (int level = 1; level <= kDepth; ++level)
      node = node->Includes()->Add(node, ChainName(level));
    return root;
  };
  OnSmallStack([&] {
    ScriptedMessageBox boxes;
    auto root = chain();
    std::weak_ptr<File> deepest = Deepest(root);
    ASSERT_EQ(deepest.lock()->Name(), ChainName(kDepth));
    EXPECT_EQ(Occurrences(root->OutputComplete(), u"INCLUDE FILE END"), size_t{kDepth});
    EXPECT_EQ(root->OutputWarnings(), u"");
    EXPECT_EQ(root->OutputCriticalErrors(), u"");
    root.reset();
    EXPECT_TRUE(deepest.expired());

    root = chain();
    const std::shared_ptr<File> kept = Deepest(root);
    deepest = (*root->Includes())[0];
    root->Delete();
    EXPECT_TRUE(deepest.expired());
    EXPECT_EQ(kept->Parent(), nullptr);
    EXPECT_EQ(kept->BaseFile(), nullptr);
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
