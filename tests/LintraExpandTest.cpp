#include <gtest/gtest.h>

#include <string>

#include "support/MemoryHost.h"
#include "support/ScriptedMessageBox.h"

namespace lintra {

namespace {

using Command = void (Lintra::*)();

// The commands on the page of ServeExampleTree, r.asp, as a host runs them.
class ExpandCollapse : public testing::Test {
 protected:
  ExpandCollapse() { ServeExampleTree(host.Files); }

  ~ExpandCollapse() override { EXPECT_TRUE(boxes.Boxes().empty()); }

  TreeView& View() { return host.Control->tvLintra(); }
  Node& At(int32_t position) { return *View().GetNodes().Item(position); }

  void SetAll(bool open) {
    for (const auto& node : View().GetNodes()) node->Expanded(open);
  }

  std::string States() { return NodeStates(View()); }

  // Runs a command as a host would, checks that it hid and showed the view once, and gives the
  // states it left.
  std::string Run(Command command) {
    const int32_t hides = View().HideCount();
    const int32_t shows = View().ShowCount();
    (*host.Control.*command)();
    EXPECT_EQ(View().HideCount() - hides, 1);
    EXPECT_EQ(View().ShowCount() - shows, 1);
    EXPECT_TRUE(View().Visible());
    return States();
  }

  ScriptedMessageBox boxes;
  MemoryHost host;
};

}  // namespace

TEST_F(ExpandCollapse, CollapseClosesTheLowestOpenLevelEachTime) {
  host.Control->ParseFile(u"", u"r.asp");
  EXPECT_EQ(States(), "r.asp+ a.inc+ a1.inc+ a1a.inc+ b.inc+ b1.inc+");
  View().SelectedItem(&At(1));

  EXPECT_EQ(Run(&Lintra::Collapse), "r.asp+ a.inc+ a1.inc- a1a.inc+ b.inc- b1.inc+");
  EXPECT_EQ(Run(&Lintra::Collapse), "r.asp+ a.inc- a1.inc- a1a.inc+ b.inc- b1.inc+");
  EXPECT_EQ(Run(&Lintra::Collapse), "r.asp- a.inc- a1.inc- a1a.inc+ b.inc- b1.inc+");
  EXPECT_EQ(Run(&Lintra::Collapse), "r.asp- a.inc- a1.inc- a1a.inc+ b.inc- b1.inc+");
}

TEST_F(ExpandCollapse, ExpandOpensTheTargetThenTheLowestClosedLevels) {
  host.Control->ParseFile(u"", u"r.asp");
  SetAll(false);
  View().SelectedItem(&At(1));

  EXPECT_EQ(Run(&Lintra::Expand), "r.asp+ a.inc- a1.inc- a1a.inc- b.inc- b1.inc-");
  EXPECT_EQ(Run(&Lintra::Expand), "r.asp+ a.inc- a1.inc+ a1a.inc- b.inc+ b1.inc-");
  EXPECT_EQ(Run(&Lintra::Expand), "r.asp+ a.inc+ a1.inc+ a1a.inc- b.inc+ b1.inc-");
  EXPECT_EQ(Run(&Lintra::Expand), "r.asp+ a.inc+ a1.inc+ a1a.inc- b.inc+ b1.inc-");

  // Only closed nodes lead further down: below the open A, the closed A1 is not reached.
  At(3).Expanded(false);
  EXPECT_EQ(Run(&Lintra::Expand), "r.asp+ a.inc+ a1.inc- a1a.inc- b.inc+ b1.inc-");
}

TEST_F(ExpandCollapse, CommandsStayInsideTheSelectedSubtree) {
  host.Control->ParseFile(u"", u"r.asp");
  SetAll(false);
  View().SelectedItem(&At(4));
  EXPECT_EQ(Run(&Lintra::Expand), "r.asp- a.inc- a1.inc- a1a.inc+ b.inc- b1.inc-");
  EXPECT_EQ(Run(&Lintra::Collapse), "r.asp- a.inc- a1.inc- a1a.inc- b.inc- b1.inc-");
  EXPECT_EQ(Run(&Lintra::ExpandAll), "r.asp- a.inc- a1.inc- a1a.inc+ b.inc- b1.inc-");

  View().SelectedItem(&At(2));
  EXPECT_EQ(Run(&Lintra::ExpandAll), "r.asp- a.inc+ a1.inc+ a1a.inc+ b.inc- b1.inc-");
  SetAll(true);
  EXPECT_EQ(Run(&Lintra::CollapseAll), "r.asp+ a.inc- a1.inc- a1a.inc- b.inc+ b1.inc+");
  EXPECT_EQ(View().SelectedItem().get(), &At(2));
}

TEST_F(ExpandCollapse, WithNothingSelectedCommandsActOnNodeOne) {
  host.Control->ParseFile(u"", u"r.asp");
  struct Case {
    Command command;
    bool startOpen;
    const char* expected;
  };
  const Case cases[] = {
      {&Lintra::Collapse, true, "r.asp+ a.inc+ a1.inc- a1a.inc+ b.inc- b1.inc+"},
      {&Lintra::Expand, false, "r.asp+ a.inc- a1.inc- a1a.inc- b.inc- b1.inc-"},
      {&Lintra::CollapseAll, true, "r.asp- a.inc- a1.inc- a1a.inc- b.inc- b1.inc-"},
      {&Lintra::ExpandAll, false, "r.asp+ a.inc+ a1.inc+ a1a.inc+ b.inc+ b1.inc+"},
  };
  for (const Case& each : cases) {
    SetAll(each.startOpen);
    View().SelectedItem(nullptr);
    EXPECT_EQ(Run(each.command), each.expected);
    EXPECT_EQ(View().SelectedItem().get(), &At(1));
  }
}

TEST_F(ExpandCollapse, ExpandWholeTreeOpensEveryRootAndLeavesTheSelection) {
  host.Files[u"s.asp"] = IncludeDirective(u"b.inc") + IncludeDirective(u"missing.inc");
  host.Control->ParseFile(u"", u"r.asp");
  host.Control->ParseFile(u"", u"s.asp");
  for (Node* selected : {&At(5), static_cast<Node*>(nullptr)}) {
    SetAll(false);
    View().SelectedItem(selected);
    EXPECT_EQ(Run(&Lintra::ExpandWholeTree),
              "r.asp+ a.inc+ a1.inc+ a1a.inc+ b.inc+ b1.inc+ s.asp+ b.inc+ b1.inc+ missing.inc+");
    EXPECT_EQ(View().SelectedItem().get(), selected);
  }
}

TEST_F(ExpandCollapse, AnEmptyViewIsLeftAlone) {
  for (Command command :
       {&Lintra::Expand, &Lintra::Collapse, &Lintra::ExpandAll, &Lintra::CollapseAll}) {
    (*host.Control.*command)();
  }
  EXPECT_EQ(View().HideCount(), 0);
  EXPECT_EQ(View().ShowCount(), 0);
  EXPECT_EQ(View().SelectedItem(), nullptr);

  Run(&Lintra::ExpandWholeTree);
  EXPECT_EQ(View().GetNodes().Count(), 0);
}

}  // namespace lintra
