#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/FailingView.h"
#include "support/MemoryHost.h"
#include "support/ScriptedMessageBox.h"

namespace lintra {

namespace {

// A command that hides the tree view for its change, run on the example tree with node 1
// selected: the report it gives when hiding or showing the view fails, and the states it leaves
// when the user goes on (Retry or Ignore) and when the user leaves at the hide.
struct Command {
  const char* name;
  bool startOpen;
  std::function<void(Lintra&)> run;
  const char16_t* report;
  const char* afterChange;
  const char* afterLeavingAtHide;
};

const char* const kAllOpen = "r.asp+ a.inc+ a1.inc+ a1a.inc+ b.inc+ b1.inc+";
const char* const kAllClosed = "r.asp- a.inc- a1.inc- a1a.inc- b.inc- b1.inc-";

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"Expand", false, [](Lintra& c) { c.Expand(); }, u"5 Lintra.Lintra.Expand",
       "r.asp+ a.inc- a1.inc- a1a.inc- b.inc- b1.inc-", kAllClosed},
      {"toolbar Expand", false, [](Lintra& c) { c.tbrLintra().Click(3); },
       u"5 Lintra.Lintra.Expand", "r.asp+ a.inc- a1.inc- a1a.inc- b.inc- b1.inc-", kAllClosed},
      {"Collapse", true, [](Lintra& c) { c.Collapse(); }, u"5 Lintra.Lintra.Collapse",
       "r.asp+ a.inc+ a1.inc- a1a.inc+ b.inc- b1.inc+", kAllOpen},
      {"ExpandAll", false, [](Lintra& c) { c.ExpandAll(); }, u"5 Lintra.Lintra.ExpandAll", kAllOpen,
       kAllClosed},
      {"CollapseAll", true, [](Lintra& c) { c.CollapseAll(); }, u"5 Lintra.Lintra.CollapseAll",
       kAllClosed, kAllOpen},
      {"ExpandWholeTree", false, [](Lintra& c) { c.ExpandWholeTree(); },
       u"5 Lintra.Lintra.ExpandWholeTree", kAllOpen, kAllClosed},
      {"ClearTree", true, [](Lintra& c) { c.ClearTree(); }, u"5 Lintra.Lintra.ClearTree", "",
       kAllOpen},
      {"ParseFile", false, [](Lintra& c) { c.ParseFile(u"", u"s.asp"); },
       u"5 Lintra.Lintra.ExpandWholeTree", "r.asp+ a.inc+ a1.inc+ a1a.inc+ b.inc+ b1.inc+ s.asp+",
       "r.asp- a.inc- a1.inc- a1a.inc- b.inc- b1.inc- s.asp-"},
  };
  return commands;
}

// Runs `command` on a fresh control whose view fails once at `call`, answering the report with
// `answer`; checks the one report and that the view is shown, and gives the states left.
std::string RunFailing(const Command& command, FailingView::Call call, int32_t answer) {
  MemoryHost host;
  ServeExampleTree(host.Files);
  host.Files[u"s.asp"] = u"page";
  Lintra& control = *host.Control;
  control.ParseFile(u"", u"r.asp");
  TreeView& view = control.tvLintra();
  for (const auto& node : view.GetNodes()) node->Expanded(command.startOpen);
  view.SelectedItem(view.GetNodes().Item(1).get());

  ScriptedMessageBox boxes({answer});
  {
    FailingView failing(view, call);
    command.run(control);
  }
  EXPECT_EQ(boxes.Reports(), std::vector<Text>{command.report});
  EXPECT_TRUE(view.Visible());
  return NodeStates(view);
}

}  // namespace

TEST(HiddenView, AFailingHideIsReportedByTheCommandThatHides) {
  for (const Command& command : Commands()) {
    for (const int32_t answer : {MessageBox::Abort, MessageBox::Retry, MessageBox::Ignore}) {
      SCOPED_TRACE(testing::Message() << command.name << ", answer " << answer);
      EXPECT_EQ(RunFailing(command, FailingView::Call::Hide, answer),
                answer == MessageBox::Abort ? command.afterLeavingAtHide : command.afterChange);
    }
  }
}

TEST(HiddenView, AFailingShowIsReportedAfterTheChange) {
  for (const Command& command : Commands()) {
    for (const int32_t answer : {MessageBox::Abort, MessageBox::Retry, MessageBox::Ignore}) {
      SCOPED_TRACE(testing::Message() << command.name << ", answer " << answer);
      EXPECT_EQ(RunFailing(command, FailingView::Call::Show, answer), command.afterChange);
    }
  }
}

}  // namespace lintra
