#include <gtest/gtest.h>

#include "analysis/File.h"
#include "analysis/PageReport.h"
#include "errors/modPendryError.h"
#include "support/MemoryHost.h"
#include "support/ScriptedMessageBox.h"

namespace lintra {

namespace {

// The warnings report of `page` as the control makes it for the selected page.
Text WarningsOf(File& page) {
  ErrorTrap trap(u"Lintra", u"GetWarnings");
  return WarningsReport(trap, page);
}

// Two pages: first.asp, clean, with a nested include (nodes 1 to 3); second.asp with a missing
// include (nodes 4 and 5).
void ShowTwoPages(MemoryHost& host) {
  host.Files[u"/site/first.asp"] = u"A\r\n" + IncludeDirective(u"a.inc") + u"\r\nC";
  host.Files[u"/site/a.inc"] = u"B" + IncludeDirective(u"b.inc");
  host.Files[u"/site/b.inc"] = u"b";
  host.Files[u"/site/second.asp"] = u"X" + IncludeDirective(u"footer.inc");
  host.Control->ParseFile(u"/site", u"/site/first.asp");
  host.Control->ParseFile(u"/site", u"/site/second.asp");
}

}  // namespace

// With nothing selected the reports are those of node 1's page, which they select.
TEST(LintraReports, ReportsCoverThePageOfTheSelectedNodeOrOfNodeOneWithoutReadingAgain) {
  MemoryHost host;
  ScriptedMessageBox boxes;
  EXPECT_EQ(host.Control->GetWarnings(), u"");
  EXPECT_EQ(host.Control->GetCompleteFile(), u"");
  EXPECT_TRUE(boxes.Boxes().empty());

  ShowTwoPages(host);
  TreeView& view = host.Control->tvLintra();
  const size_t requests = host.Requests.size();
  ASSERT_EQ(view.SelectedItem(), nullptr);
  EXPECT_EQ(host.Control->GetCompleteFile(), FileAt(view, 1)->OutputComplete());
  EXPECT_EQ(view.SelectedItem(), view.GetNodes().Item(1));
  view.SelectedItem(nullptr);
  EXPECT_EQ(host.Control->GetWarnings(), WarningsOf(*FileAt(view, 1)));
  EXPECT_EQ(view.SelectedItem(), view.GetNodes().Item(1));

  for (int32_t position = 1; position <= 5; ++position) {
    view.SelectedItem(view.GetNodes().Item(position).get());
    const std::shared_ptr<File> page = FileAt(view, position <= 3 ? 1 : 4);
    EXPECT_EQ(host.Control->GetWarnings(), WarningsOf(*page)) << position;
    EXPECT_EQ(host.Control->GetCompleteFile(), page->OutputComplete()) << position;
  }
  EXPECT_TRUE(host.Control->GetWarnings().starts_with(u"File : /site/second.asp\r\n"));
  EXPECT_EQ(host.Requests.size(), requests);
}

}  // namespace lintra
