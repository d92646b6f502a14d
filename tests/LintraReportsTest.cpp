#include <gtest/gtest.h>

#include "analysis/File.h"
#include "analysis/FileSupply.h"
#include "platform/ErrorRecord.h"
#include "support/MemoryHost.h"
#include "support/ScriptedMessageBox.h"

namespace {

const Text kCleanReport =
    Lines({u"File : /site/first.asp", u"", u"No critical errors", u"", u"No warnings"});

// Two pages: first.asp, clean, with a nested include; second.asp with a missing include.
void ShowTwoPages(MemoryHost& host) {
  host.Files[u"/site/first.asp"] = u"A\r\n" + IncludeDirective(u"a.inc") + u"\r\nC";
  host.Files[u"/site/a.inc"] = u"B" + IncludeDirective(u"b.inc");
  host.Files[u"/site/b.inc"] = u"b";
  host.Files[u"/site/second.asp"] = u"X" + IncludeDirective(u"footer.inc");
  host.Control->ParseFile(u"/site", u"/site/first.asp");
  host.Control->ParseFile(u"/site", u"/site/second.asp");
}

Text Marker(const char16_t* which, const Text& directive) {
  return u"\r\n<%' === INCLUDE FILE " + Text(which) + u" ( " + directive + u" ) === %>\r\n";
}

}  // namespace

TEST(LintraReports, ReportsCoverThePageOfTheSelectedNode) {
  MemoryHost host;
  ShowTwoPages(host);
  TreeView& view = host.Control->tvLintra();
  const size_t requests = host.Requests.size();

  const Text firstComplete = u"A\r\n" + Marker(u"START", IncludeDirective(u"a.inc")) + u"B" +
                             Marker(u"START", IncludeDirective(u"b.inc")) + u"b" +
                             Marker(u"END", IncludeDirective(u"b.inc")) +
                             Marker(u"END", IncludeDirective(u"a.inc")) + u"\r\nC";
  view.SelectedItem(view.GetNodes().Item(3).get());
  EXPECT_EQ(view.GetNodes().Item(3)->Text(), u"b.inc");
  EXPECT_EQ(host.Control->GetWarnings(), kCleanReport);
  EXPECT_EQ(host.Control->GetCompleteFile(), firstComplete);

  const Text secondComplete = u"X" + Marker(u"START", IncludeDirective(u"footer.inc")) +
                              u"   *** ERROR : Error opening file : footer.inc ***" +
                              Marker(u"END", IncludeDirective(u"footer.inc"));
  const Text secondWarnings =
      Lines({u"File : /site/second.asp", u"", u"Critical Errors", u"===============", u"",
             u"footer.inc (footer.inc)", u"   Error opening file. ", u"", u"", u"No warnings"});
  view.SelectedItem(view.GetNodes().Item(5).get());
  EXPECT_EQ(view.GetNodes().Item(5)->Text(), u"footer.inc");
  EXPECT_EQ(host.Control->GetWarnings(), secondWarnings);
  EXPECT_EQ(host.Control->GetCompleteFile(), secondComplete);
  view.SelectedItem(view.GetNodes().Item(4).get());
  EXPECT_EQ(host.Control->GetWarnings(), secondWarnings);
  EXPECT_EQ(host.Control->GetCompleteFile(), secondComplete);

  EXPECT_EQ(host.Requests.size(), requests);
}

TEST(LintraReports, WithNothingSelectedTheFirstPageIsReportedAndSelected) {
  MemoryHost host;
  ScriptedMessageBox boxes;
  EXPECT_EQ(host.Control->GetWarnings(), u"");
  EXPECT_EQ(host.Control->GetCompleteFile(), u"");
  EXPECT_TRUE(boxes.Boxes().empty());

  ShowTwoPages(host);
  TreeView& view = host.Control->tvLintra();
  ASSERT_EQ(view.SelectedItem(), nullptr);
  EXPECT_EQ(host.Control->GetWarnings(), kCleanReport);
  EXPECT_EQ(view.SelectedItem(), view.GetNodes().Item(1));

  MemoryHost other;
  ShowTwoPages(other);
  EXPECT_EQ(other.Control->GetCompleteFile().substr(0, 3), u"A\r\n");
  EXPECT_EQ(other.Control->tvLintra().SelectedItem(), other.Control->tvLintra().GetNodes().Item(1));
}

TEST(LintraReports, WarningsReportListsDuplicatesUnderItsOwnHeading) {
  MemoryHost host;
  host.Files[u"/site/dups.asp"] = IncludeDirective(u"inc/a.inc") + IncludeDirective(u"inc/a.inc");
  host.Files[u"/site/inc/a.inc"] = u"a";
  host.Control->ParseFile(u"/site", u"/site/dups.asp");

  const Text duplicate = Lines({u"dups.asp (/site/dups.asp)",
                                u"   Duplicate include warning : File a.inc is included more "
                                u"than once in 'dups.asp'",
                                u""});
  EXPECT_EQ(host.Control->GetWarnings(),
            Lines({u"File : /site/dups.asp", u"", u"No critical errors", u"", u"Warnings",
                   u"========", u""}) +
                duplicate + duplicate);
}

TEST(LintraReports, APageAnalysedWithoutShowingItHasTheSameWarnings) {
  MemoryHost host;
  host.Files[u"/site/second.asp"] = u"X" + IncludeDirective(u"footer.inc");
  const std::shared_ptr<File> page = host.Control->ParseFileTree(u"/site", u"/site/second.asp");
  EXPECT_EQ(host.Control->tvLintra().GetNodes().size(), 0u);
  const Text warnings = host.Control->PageWarnings(*page);
  host.Control->ParseFile(u"/site", u"/site/second.asp");
  EXPECT_EQ(warnings, host.Control->GetWarnings());
  EXPECT_TRUE(warnings.starts_with(u"File : /site/second.asp\r\n\r\nCritical Errors"));

  host.Errors[u"/site/third.asp"] = FileSupply::Abort;
  try {
    host.Control->ParseFileTree(u"/site", u"/site/third.asp");
    ADD_FAILURE() << "the abort answer raised nothing";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.Record().Source, u"Lintra.Lintra.ParseFile");
  }
}
