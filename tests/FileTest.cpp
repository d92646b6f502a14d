#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

#include "analysis/File.h"
#include "analysis/Files.h"
#include "support/MemoryHost.h"
#include "support/ScriptedMessageBox.h"

namespace lintra {

namespace {

// What Delete must leave alone.
auto Kept(File& f) {
  return std::make_tuple(f.Name(), f.Path(), f.ProjectPath(), f.Content(), f.RootFile(),
                         f.DuplicateInclude(), f.CircularInclude(), f.MissingFile(),
                         f.BaseFileStart(), f.BaseFileEnd());
}

}  // namespace

TEST(File, FullPathSplitsAfterTheLastSeparator) {
  File f;
  for (const auto& [full, path, name] :
       {std::make_tuple(u"shop\\inc/a.inc", u"shop/inc/", u"a.inc"),
        std::make_tuple(u"b.inc", u"", u"b.inc"),
        std::make_tuple(u"shop\\inc\\", u"shop/inc/", u"")}) {
    f.FullPath(full);
    EXPECT_EQ(f.Path() + u"|" + f.Name(), Text(path) + u"|" + name);
    EXPECT_EQ(f.FullPath(), Text(path) + name);
  }
}

TEST(File, ContainerRefusesAnObjectThatIsNotAControl) {
  ScriptedMessageBox boxes;
  MemoryHost host;
  auto f = std::make_shared<File>();
  f->Container(host.Control);
  EXPECT_EQ(f->Container(), host.Control);
  f->Container(std::make_shared<Files>());
  EXPECT_EQ(f->Container(), host.Control);
  EXPECT_EQ(boxes.Reports(), std::vector<Text>{u"13 Lintra.File.Container"});
}

TEST(Files, ItemAndDeleteTakeNumericPositionsOnly) {
  ScriptedMessageBox boxes;
  auto parent = std::make_shared<File>();
  Files files;
  for (const char16_t* name : {u"a.inc", u"b.inc", u"c.inc"}) files.Add(parent, name);
  EXPECT_EQ(files.Item(1)->Name(), u"a.inc");
  EXPECT_EQ(files.Item(u"1"), nullptr);
  files.Delete(1);
  EXPECT_EQ(files.Count(), u"2");
  EXPECT_EQ(files.Item(1)->Name(), u"b.inc");
  EXPECT_EQ(files.Item(2)->Name(), u"c.inc");
  files.Delete(3);
  files.Delete(u"1");
  EXPECT_EQ(files.Count(), u"2");
  EXPECT_EQ(files.Add(nullptr, u"d.inc"), nullptr);
  EXPECT_EQ(files.Count(), u"2");
  EXPECT_EQ(boxes.Reports(), (std::vector<Text>{u"5 Lintra.Files.Item", u"9 Lintra.Files.Delete",
                                                u"5 Lintra.Files.Delete", u"91 Lintra.Files.Add"}));
}

TEST(File, DeleteOnTheRootBreaksEveryLinkAndKeepsTheData) {
  MemoryHost host;
  host.Files[u"page.asp"] =
      IncludeDirective(u"a.inc") + IncludeDirective(u"a.inc") + IncludeDirective(u"gone.inc");
  host.Files[u"a.inc"] = u"A" + IncludeDirective(u"b.inc");
  host.Files[u"b.inc"] = u"B";
  const std::shared_ptr<File> root = host.Control->AnalysePage(u"", u"page.asp");
  std::vector<std::shared_ptr<File>> nodes{root};
  for (size_t i = 0; i < nodes.size(); ++i) {
    for (const auto& child : *nodes[i]->Includes()) nodes.push_back(child);
  }
  ASSERT_EQ(nodes.size(), 6u);
  EXPECT_EQ(root->Container(), host.Control);
  std::vector<decltype(Kept(*root))> before;
  for (const auto& node : nodes) before.push_back(Kept(*node));

  root->Delete();
  for (size_t i = 0; i < nodes.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "node " << i);
    EXPECT_EQ(nodes[i]->Parent(), nullptr);
    EXPECT_EQ(nodes[i]->BaseFile(), nullptr);
    EXPECT_EQ(nodes[i]->Container(), nullptr);
    EXPECT_EQ(nodes[i]->Includes()->Count(), u"0");
    EXPECT_EQ(Kept(*nodes[i]), before[i]);
  }
}

}  // namespace lintra
