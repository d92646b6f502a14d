#include "site/ShownTrees.h"

#include <gtest/gtest.h>

#include "analysis/File.h"
#include "site/SiteAnalysis.h"
#include "support/MemoryHost.h"
#include "support/ScriptedMessageBox.h"

namespace {

// What showing pages one after the other and then drawing them gives: the pages shown, the
// drawing, and the source of every error box on the way, one per line.
struct Shown {
  std::vector<Text> pages;
  Text drawing;
  std::string reported;

  bool operator==(const Shown&) const = default;
};

std::string Reported(const ScriptedMessageBox& boxes) {
  std::string sources;
  for (const ScriptedMessageBox::Shown& box : boxes.Boxes()) {
    sources += text::ToUtf8(box.Prompt.substr(box.Prompt.find(u"Source : ") + 9)) + "\n";
  }
  return sources;
}

// Through the control's own tree view.
Shown InTheTreeView(MemoryHost& host, const std::vector<Text>& pages) {
  ScriptedMessageBox boxes;
  host.Control->ClearTree();
  for (const Text& page : pages) host.Control->ParseFile(u"", page);
  Shown shown{{}, host.Control->TextTree(), Reported(boxes)};
  for (const std::shared_ptr<Node>& node : host.Control->tvLintra().GetNodes()) {
    if (!node->ParentNode()) shown.pages.push_back(node->Text());
  }
  return shown;
}

// Through ShownTrees.
Shown InShownTrees(MemoryHost& host, const std::vector<Text>& pages) {
  ScriptedMessageBox boxes;
  SiteAnalysis site(host, u"");
  ShownTrees trees;
  for (const Text& page : pages) trees.Show(site.Tree(page));
  Shown shown{{}, trees.TextTree(), Reported(boxes)};
  for (const std::shared_ptr<File>& page : trees.Pages()) shown.pages.push_back(page->Name());
  return shown;
}

// Pages at and beyond what the tree view counts: wide.asp includes x.inc 33,000 times, full.asp
// 32,766 times (32,767 nodes), half.asp 20,000 times, and deep.asp includes a file that includes
// it 33,000 times, then r.asp.
void ServeCrowdedPages(MemoryHost& host) {
  ServeExampleTree(host);
  host.Files[u"x.inc"] = u"";
  host.Files[u"wide.inc"] = Repeat(IncludeDirective(u"x.inc"), 33000);
  host.Files[u"wide.asp"] = host.Files[u"wide.inc"];
  host.Files[u"full.asp"] = Repeat(IncludeDirective(u"x.inc"), 32766);
  host.Files[u"half.asp"] = Repeat(IncludeDirective(u"x.inc"), 20000);
  host.Files[u"deep.asp"] = IncludeDirective(u"wide.inc") + IncludeDirective(u"r.asp");
}

}  // namespace

TEST(ShownTrees, HoldsAndDrawsThePagesAsTheControlsTreeViewDoes) {
  MemoryHost host;
  ServeExampleTree(host);
  const Shown shown = InShownTrees(host, {u"r.asp", u"gone.asp", u"r.asp"});
  EXPECT_EQ(shown, InTheTreeView(host, {u"r.asp", u"gone.asp", u"r.asp"}));
  EXPECT_EQ(shown.pages, (std::vector<Text>{u"r.asp", u"gone.asp", u"r.asp"}));
  EXPECT_EQ(shown.reported, "");
  EXPECT_EQ(InShownTrees(host, {}), (Shown{}));
}

TEST(ShownTrees, KeepsTheBoundsOfTheTreeViewAndReportsWhereTheyAreMet) {
  MemoryHost host;
  ServeCrowdedPages(host);
  struct Run {
    std::vector<Text> pages;
    size_t shown;
    std::string reported;
  };
  const std::vector<Run> runs = {
      {{u"half.asp", u"half.asp", u"r.asp"}, 2, "Lintra.Lintra.DisplayTree\n"},
      {{u"full.asp", u"r.asp", u"r.asp"}, 2, "Lintra.Lintra.DisplayTree\n"},
      {{u"wide.asp", u"r.asp"},
       1,
       "Lintra.Lintra.ExpandWholeTree\nLintra.Lintra.DisplayTree\n"
       "Lintra.Lintra.ExpandWholeTree\nLintra.Lintra.fsTextTree\n"},
      {{u"r.asp", u"deep.asp"},
       2,
       "Lintra.Lintra.ExpandAllNodes\nLintra.Lintra.ExpandWholeTree\nLintra.Lintra.fsTextTree\n"},
  };
  for (const Run& run : runs) {
    const Shown shown = InShownTrees(host, run.pages);
    EXPECT_EQ(shown, InTheTreeView(host, run.pages));
    EXPECT_EQ(shown.reported, run.reported);
    EXPECT_EQ(shown.pages.size(), run.shown);
  }
}
