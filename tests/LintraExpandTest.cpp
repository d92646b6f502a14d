#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/FailingView.h"
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

// A walk whose setting of one node fails once, on r.asp with the includes x, y and z, each with
// one leaf, and on q.asp, whose only include with children is x. The nodes start as `start`
// gives them, "+" open, in position order, with node 1 selected. After Retry or Ignore the walk
// goes on from the step after the failed one, as the user's answer says.
TEST(ExpandCollapseWalks, AFailedStepLeavesTheNodesItsAnswerSays) {
  struct Case {
    const char16_t* page;
    const char* start;
    Command command;
    const char16_t* failing;
    const char16_t* procedure;
    const char* afterAbort;
    const char* afterGoingOn;
  };
  const char* const allOpen = "r.asp+ x.inc+ x1.inc+ y.inc+ y1.inc+ z.inc+ z1.inc+";
  const Case cases[] = {
      {u"r.asp", "-------", &Lintra::ExpandAll, u"x.inc", u"ExpandAllNodes",
       "r.asp+ x.inc+ x1.inc- y.inc- y1.inc- z.inc- z1.inc-", allOpen},
      {u"r.asp", "+++++++", &Lintra::CollapseAll, u"y.inc", u"ExpandAllNodes",
       "r.asp- x.inc- x1.inc- y.inc- y1.inc+ z.inc+ z1.inc+",
       "r.asp- x.inc- x1.inc- y.inc- y1.inc- z.inc- z1.inc-"},
      {u"r.asp", "-------", &Lintra::ExpandWholeTree, u"r.asp", u"ExpandWholeTree",
       "r.asp+ x.inc- x1.inc- y.inc- y1.inc- z.inc- z1.inc-", allOpen},
      {u"r.asp", "+++++++", &Lintra::Collapse, u"x.inc", u"fbExpandChildNodes",
       "r.asp- x.inc- x1.inc+ y.inc+ y1.inc+ z.inc+ z1.inc+",
       "r.asp+ x.inc- x1.inc+ y.inc- y1.inc+ z.inc- z1.inc+"},
      {u"r.asp", "+------", &Lintra::Expand, u"y.inc", u"fbExpandChildNodes",
       "r.asp+ x.inc+ x1.inc- y.inc+ y1.inc- z.inc- z1.inc-",
       "r.asp+ x.inc+ x1.inc- y.inc+ y1.inc- z.inc+ z1.inc-"},
      {u"q.asp", "++++", &Lintra::Collapse, u"x.inc", u"fbExpandChildNodes",
       "q.asp- x.inc- x1.inc+ w.inc+", "q.asp+ x.inc- x1.inc+ w.inc+"},
  };
  for (const Case& each : cases) {
    for (const int32_t answer : {MessageBox::Abort, MessageBox::Retry, MessageBox::Ignore}) {
      MemoryHost host;
      host.Files[u"r.asp"] =
          IncludeDirective(u"x.inc") + IncludeDirective(u"y.inc") + IncludeDirective(u"z.inc");
      host.Files[u"q.asp"] = IncludeDirective(u"x.inc") + IncludeDirective(u"w.inc");
      for (const Text name : {u"x", u"y", u"z"}) {
        host.Files[name + u".inc"] = IncludeDirective(name + u"1.inc");
        host.Files[name + u"1.inc"] = u"leaf";
      }
      host.Files[u"w.inc"] = u"leaf";
      host.Control->ParseFile(u"", each.page);
      TreeView& view = host.Control->tvLintra();
      for (int32_t position = 1; each.start[position - 1] != '\0'; ++position) {
        view.GetNodes().Item(position)->Expanded(each.start[position - 1] == '+');
      }
      view.SelectedItem(view.GetNodes().Item(1).get());

      ScriptedMessageBox boxes({answer});
      {
        FailingView failing(view, FailingView::Call::SetNode, each.failing);
        (*host.Control.*each.command)();
      }
      SCOPED_TRACE(testing::Message() << "case " << &each - cases << ", answer " << answer);
      EXPECT_EQ(boxes.Reports(), std::vector<Text>{u"5 Lintra.Lintra." + Text(each.procedure)});
      EXPECT_EQ(NodeStates(view),
                answer == MessageBox::Abort ? each.afterAbort : each.afterGoingOn);
    }
  }
}

}  // namespace lintra
