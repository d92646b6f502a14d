#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/MemoryHost.h"
#include "support/ScriptedMessageBox.h"

namespace lintra {

namespace {

Node& At(Lintra& control, int32_t position) {
  return *control.tvLintra().GetNodes().Item(position);
}

}  // namespace

// Buttons 1 to 4 run Collapse All, Collapse, Expand and Expand All on the selected subtree;
// 6 to 8 hand the text tree, the complete file and the warnings of the selected page to the host.
TEST(LintraShell, ToolbarButtonsRunTheTreeCommandsAndHandReportsToTheHost) {
  ScriptedMessageBox boxes;
  MemoryHost host;
  ServeExampleTree(host.Files);
  host.Files[u"s.asp"] = IncludeDirective(u"b.inc") + IncludeDirective(u"gone.inc");
  Lintra& control = *host.Control;
  control.ParseFile(u"", u"r.asp");
  control.tvLintra().SelectedItem(&At(control, 2));

  const std::pair<int32_t, const char*> clicks[] = {
      {1, "r.asp+ a.inc- a1.inc- a1a.inc- b.inc+ b1.inc+"},
      {4, "r.asp+ a.inc+ a1.inc+ a1a.inc+ b.inc+ b1.inc+"},
      {2, "r.asp+ a.inc+ a1.inc- a1a.inc+ b.inc+ b1.inc+"},
      {3, "r.asp+ a.inc+ a1.inc+ a1a.inc+ b.inc+ b1.inc+"}};
  for (const auto& [button, states] : clicks) {
    control.tbrLintra().Click(button);
    EXPECT_EQ(NodeStates(control.tvLintra()), states) << "button " << button;
  }
  control.tbrLintra().Click(5);
  EXPECT_TRUE(host.Displayed.empty());

  control.ParseFile(u"", u"s.asp");
  control.tvLintra().SelectedItem(&At(control, 9));
  for (int32_t position : {6, 7, 8}) control.tbrLintra().Click(position);
  EXPECT_EQ(host.Displayed, (std::vector<Text>{control.TextTree(), control.GetCompleteFile(),
                                               control.GetWarnings()}));
  EXPECT_TRUE(host.Displayed[2].starts_with(u"File : s.asp\r\n"));

  host.Displayed.clear();
  control.ClearTree();
  for (int32_t position : {6, 7, 8}) control.tbrLintra().Click(position);
  EXPECT_EQ(host.Displayed, (std::vector<Text>{u"", u"", u""}));
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(LintraShell, DoubleClickOpensTheNodeAndShowsItsFile) {
  ScriptedMessageBox boxes;
  MemoryHost host;
  host.Files[u"shop/r.asp"] = IncludeDirective(u"inc/a.inc") + IncludeDirective(u"foot.inc");
  host.Files[u"shop/inc/a.inc"] = IncludeDirective(u"b.inc");
  host.Files[u"shop/inc/b.inc"] = u"leaf";
  Lintra& control = *host.Control;
  control.ParseFile(u"", u"shop/r.asp");
  TreeView& view = control.tvLintra();
  At(control, 2).Expanded(false);

  view.DoubleClick(&At(control, 2));
  EXPECT_TRUE(At(control, 2).Expanded());
  view.DoubleClick(&At(control, 2));
  EXPECT_TRUE(At(control, 2).Expanded());
  EXPECT_EQ(host.OpenedFiles, (std::vector<Text>{u"shop/inc/a.inc", u"shop/inc/a.inc"}));
  EXPECT_TRUE(boxes.Boxes().empty());

  At(control, 4).Expanded(false);
  view.DoubleClick(&At(control, 4));
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].Prompt, u"Error : Couldn't find the file foot.inc");
  EXPECT_EQ(boxes.Boxes()[0].Style, 48);
  EXPECT_EQ(boxes.Boxes()[0].Title, u"Corvane");
  EXPECT_TRUE(At(control, 4).Expanded());
  EXPECT_EQ(host.OpenedFiles.size(), 2u);
  EXPECT_TRUE(host.Displayed.empty());

  At(control, 1).Expanded(false);
  view.SelectedItem(nullptr);
  view.DoubleClick(nullptr);
  EXPECT_EQ(view.SelectedItem().get(), &At(control, 1));
  EXPECT_TRUE(At(control, 1).Expanded());
  EXPECT_EQ(host.OpenedFiles.back(), u"shop/r.asp");

  control.ClearTree();
  view.DoubleClick(nullptr);
  EXPECT_EQ(host.OpenedFiles.size(), 3u);
  EXPECT_EQ(boxes.Boxes().size(), 1u);
}

TEST(LintraShell, ResizeAppliesTheToolbarSetting) {
  const auto shared = std::make_shared<Lintra>();
  Lintra& control = *shared;
  const TreeView& view = control.tvLintra();
  auto geometry = [&] {
    return std::vector<float>{view.Left(), view.Top(), view.Width(), view.Height()};
  };

  control.Container().Resize(3705, 4110);
  EXPECT_EQ(geometry(), (std::vector<float>{0, 0, 3705, 4110}));
  EXPECT_FALSE(control.tbrLintra().Visible());

  control.ToolbarVisible(true);
  EXPECT_TRUE(control.ToolbarVisible());
  EXPECT_EQ(geometry(), (std::vector<float>{0, 0, 3705, 4110}));
  EXPECT_FALSE(control.tbrLintra().Visible());

  control.Container().Resize(3705, 4110);
  EXPECT_EQ(geometry(), (std::vector<float>{0, 330, 3705, 3780}));
  EXPECT_TRUE(control.tbrLintra().Visible());
}

TEST(LintraShell, DestroyingTheControlReleasesItsTrees) {
  ScriptedMessageBox boxes;
  MemoryHost host;
  ServeExampleTree(host.Files);
  auto control = std::make_shared<Lintra>();
  control->Events(&host);
  control->ParseFile(u"", u"r.asp");
  const std::weak_ptr<Object> page = At(*control, 1).Tag();
  const std::weak_ptr<Object> leaf = At(*control, 6).Tag();
  ASSERT_FALSE(page.expired());

  control.reset();
  EXPECT_TRUE(page.expired());
  EXPECT_TRUE(leaf.expired());
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(LintraShell, FailuresAreReportedByTheProcedureThatMeetsThem) {
  ScriptedMessageBox boxes;
  MemoryHost host;
  ServeExampleTree(host.Files);
  host.Files[u"s.asp"] = IncludeDirective(u"b.inc");
  Lintra& control = *host.Control;
  control.ParseFile(u"", u"r.asp");
  const Text firstPage = control.TextTree();
  control.ParseFile(u"", u"s.asp");
  Node& second = At(control, 7);
  const std::shared_ptr<Object> file = second.Tag();
  second.Tag(std::make_shared<Stranger>());
  second.Expanded(false);

  control.tbrLintra().Click(6);
  control.tvLintra().DoubleClick(&second);
  second.Tag(file);

  EXPECT_EQ(boxes.Reports(), (std::vector<Text>{u"13 Lintra.Lintra.TextTree",
                                                u"13 Lintra.Lintra.tvLintra_DblClick"}));
  EXPECT_EQ(host.Displayed, (std::vector<Text>{firstPage}));
  EXPECT_FALSE(second.Expanded());
  EXPECT_TRUE(host.OpenedFiles.empty());
}

}  // namespace lintra
