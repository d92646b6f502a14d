#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/ErrorRecord.h"
#include "platform/PendingMessages.h"
#include "support/MemoryHost.h"
#include "support/ScriptedMessageBox.h"
#include "support/ViewLog.h"

namespace lintra {

namespace {

// Sets nError and FileText for one path and then fails, as a faulty host might, until it has
// failed Failures times; then serves the path as MemoryHost does.
class FailingHost : public MemoryHost {
 public:
  Text FailingPath;
  int32_t ErrorBeforeFailing = 0;
  Text TextBeforeFailing;
  int Failures = 1;

  void GetFile(Text& FilePath, int32_t& nError, Text& FileText) override {
    if (FilePath == FailingPath && Failures > 0) {
      --Failures;
      nError = ErrorBeforeFailing;
      FileText = TextBeforeFailing;
      throw std::runtime_error("host failed");
    }
    MemoryHost::GetFile(FilePath, nError, FileText);
  }
};

std::vector<std::pair<Text, Text>> TextsAndPictures(TreeView& view) {
  std::vector<std::pair<Text, Text>> shown;
  for (const auto& node : view.GetNodes()) shown.emplace_back(node->Text(), node->Image());
  return shown;
}

}  // namespace

TEST(LintraEntry, NodesMirrorTheTreeInPreOrderAndLaterPagesFollow) {
  MemoryHost host;
  host.Files[u"/site/root.asp"] = IncludeLine(u"A.inc") + IncludeLine(u"B.inc");
  host.Files[u"/site/A.inc"] = IncludeLine(u"A1.inc");
  host.Files[u"/site/A1.inc"] = u"a1";
  host.Files[u"/site/B.inc"] = u"b";
  host.Files[u"/site/next.asp"] = IncludeLine(u"B.inc");
  TreeView& view = host.Control->tvLintra();
  host.Control->ParseFile(u"/site", u"/site/root.asp");
  host.Control->ParseFile(u"/site", u"/site/next.asp");

  EXPECT_EQ(NodeStates(view), "root.asp+ A.inc+ A1.inc+ B.inc+ next.asp+ B.inc+");
  const Nodes& nodes = view.GetNodes();
  EXPECT_EQ(nodes.Item(3)->Parent(), nodes.Item(2));
  EXPECT_EQ(nodes.Item(4)->Parent(), nodes.Item(1));
  EXPECT_EQ(nodes.Item(1)->Next(), nodes.Item(5));
  EXPECT_EQ(FileAt(view, 5)->ProjectPath(), u"/site");

  for (const auto& node : nodes) {
    const auto file = std::dynamic_pointer_cast<File>(node->Tag());
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->Name(), node->Text());
    if (node->Parent()) {
      EXPECT_EQ(file->Parent(), std::dynamic_pointer_cast<File>(node->Parent()->Tag()));
    } else {
      EXPECT_TRUE(file->RootFile());
    }
  }
  EXPECT_EQ(FileAt(view, 4), FileAt(view, 1)->Includes()->Item(2));
}

TEST(LintraEntry, PicturesShowWhatIsWrongWithEachFile) {
  MemoryHost host;
  host.Files[u"/site/default.asp"] = IncludeLine(u"ok.inc") + IncludeLine(u"dup.inc") +
                                     IncludeLine(u"dup.inc") + IncludeLine(u"gone.inc") +
                                     IncludeLine(u"gone.inc") + IncludeLine(u"self.inc");
  host.Files[u"/site/ok.inc"] = u"ok";
  host.Files[u"/site/dup.inc"] = u"dup";
  host.Files[u"/site/self.inc"] = IncludeLine(u"self.inc");
  host.Files[u"/site/odd.asp"] = u"<!-- #include -->";
  host.Files[u"/site/empty.asp"] = u"";
  host.Errors[u"/site/gone.asp"] = 5;  // any error code is a missing file
  for (const char16_t* page : {u"default.asp", u"lost.asp", u"odd.asp", u"empty.asp", u"gone.asp"})
    host.Control->ParseFile(u"/site", u"/site/" + Text(page));

  const std::vector<std::pair<Text, Text>> expected{{u"default.asp", u"ASPFile"},
                                                    {u"ok.inc", u"IncludeFile"},
                                                    {u"dup.inc", u"IncludeFileWarning"},
                                                    {u"dup.inc", u"IncludeFileWarning"},
                                                    {u"gone.inc", u"IncludeFileCritical"},
                                                    {u"gone.inc", u"IncludeFileCritical"},
                                                    {u"self.inc", u"IncludeFile"},
                                                    {u"self.inc", u"IncludeFileCritical"},
                                                    {u"lost.asp", u"ASPFileCritical"},
                                                    {u"odd.asp", u"ASPFileCritical"},
                                                    {u"empty.asp", u"ASPFile"},
                                                    {u"gone.asp", u"ASPFileCritical"}};
  TreeView& view = host.Control->tvLintra();
  EXPECT_EQ(TextsAndPictures(view), expected);
}

TEST(LintraEntry, HostReplacementOfThePagePathBecomesThePagePath) {
  MemoryHost host;
  host.Redirects[u"site\\Default.asp"] = u"moved\\pages\\Home.asp";
  host.Files[u"moved\\pages\\Home.asp"] = IncludeLine(u"nav.inc");
  host.Files[u"moved/pages/nav.inc"] = u"nav";
  host.Control->ParseFile(u"", u"site\\Default.asp");

  const auto page = FileAt(host.Control->tvLintra(), 1);
  EXPECT_EQ(page->FullPath(), u"moved/pages/Home.asp");
  EXPECT_EQ(host.Requests.front(), u"site\\Default.asp");
  EXPECT_EQ(host.Requests.back(), u"moved/pages/nav.inc");

  // A page that is replaced and then not supplied keeps the path it was asked for.
  host.Redirects[u"site\\Lost.asp"] = u"elsewhere/Found.asp";
  host.Control->ParseFile(u"", u"site\\Lost.asp");
  const auto lost = FileAt(host.Control->tvLintra(), 3);
  EXPECT_TRUE(lost->MissingFile());
  EXPECT_EQ(lost->FullPath(), u"site/Lost.asp");
}

// A page is shown, whole and open, when it or a file it includes is in column 1 of the list, in
// upper case: a missing page by its own path, a missing include by its bare name.
TEST(LintraEntry, DisplayIfDependantShowsOnlyPagesThatUseAListedFile) {
  MemoryHost host;
  host.Files[u"/site/p.asp"] = IncludeLine(u"inc/a.inc") + IncludeLine(u"inc/lost.inc");
  host.Files[u"/site/inc/a.inc"] = IncludeLine(u"b.inc");
  host.Files[u"/site/inc/b.inc"] = u"b";
  TreeView& view = host.Control->tvLintra();
  std::vector<size_t> shownWhenMessagesRan;
  const auto previous =
      PendingMessages::SetHook([&] { shownWhenMessagesRan.push_back(view.GetNodes().size()); });
  auto shownFor = [&](const Text& page, const Text& entry) {
    TextArray list(0, 1, 0, 1);
    list.At(0, 1) = u"/SITE/OTHER.INC";
    list.At(1, 0) = u"/SITE/P.ASP";
    list.At(1, 1) = entry;
    host.Control->ClearTree();
    host.Control->DisplayIfDependant(u"/site", page, list);
    return NodeStates(view);
  };
  EXPECT_EQ(shownFor(u"/site/p.asp", u"/SITE/INC/B.INC"), "p.asp+ a.inc+ b.inc+ lost.inc+");
  EXPECT_EQ(shownFor(u"/site/p.asp", u"/site/inc/b.inc"), "");
  EXPECT_EQ(shownFor(u"/site/Gone.asp", u"/SITE/GONE.ASP"), "Gone.asp+");
  EXPECT_EQ(shownFor(u"/site/Gone.asp", u"GONE.ASP"), "");
  EXPECT_EQ(shownFor(u"/site/p.asp", u"/SITE/INC/LOST.INC"), "");
  EXPECT_EQ(shownFor(u"/site/p.asp", u"LOST.INC"), "p.asp+ a.inc+ b.inc+ lost.inc+");
  EXPECT_EQ(shownWhenMessagesRan, (std::vector<size_t>{4, 1, 4}));
  PendingMessages::SetHook(previous);
}

TEST(LintraEntry, MalformedMatchListIsReportedAndShowsNothing) {
  MemoryHost host;
  host.Files[u"/site/default.asp"] = IncludeLine(u"a.inc") + IncludeLine(u"b.inc");
  host.Files[u"/site/a.inc"] = u"a";
  host.Files[u"/site/b.inc"] = u"b";
  ScriptedMessageBox boxes;
  TextArray oneDimension(0, 0);
  oneDimension.At(0) = u"/SITE/DEFAULT.ASP";
  host.Control->DisplayIfDependant(u"/site", u"/site/default.asp", oneDimension);

  EXPECT_EQ(boxes.Reports(), std::vector<Text>{u"9 Lintra.Lintra.fbContainsMatch"});
  EXPECT_EQ(host.Control->tvLintra().GetNodes().size(), 0u);

  // Rows must start at 0. Ignoring the page's own failure goes on to its includes, and giving up
  // on one include goes on to the next.
  TextArray fromOne(1, 1, 0, 1);
  fromOne.At(1, 1) = u"/SITE/OTHER.INC";
  boxes.Answer(MessageBox::Ignore);
  boxes.Answer(MessageBox::Abort);
  boxes.Answer(MessageBox::Abort);
  host.Control->DisplayIfDependant(u"/site", u"/site/default.asp", fromOne);
  EXPECT_EQ(boxes.Boxes().size(), 4u);
  EXPECT_EQ(host.Control->tvLintra().GetNodes().size(), 0u);
}

TEST(LintraEntry, ALaterPageReopensEarlierTreesAndHidesTheViewOnlyToExpand) {
  MemoryHost host;
  ServeExampleTree(host.Files);
  host.Files[u"two.asp"] = IncludeLine(u"b1.inc");
  TreeView& view = host.Control->tvLintra();
  host.Control->ParseFile(u"", u"r.asp");
  view.GetNodes().Item(2)->Expanded(false);
  view.GetNodes().Item(5)->Expanded(false);

  ViewLog log(view);
  host.Control->ParseFile(u"", u"two.asp");
  EXPECT_EQ(log.Log,
            u"add two.asp-\nadd b1.inc-\nhide\nopen a.inc\nopen b.inc\nopen two.asp\n"
            u"open b1.inc\nshow\n");
}

// ClearTree deletes every tree. A node whose Tag it cannot read is reported, and removed all the
// same unless the user aborts.
TEST(LintraEntry, ClearTreeDeletesEveryTreeAndANodeItCannotReadUnlessTheUserAborts) {
  struct Case {
    bool stranger;
    std::deque<int32_t> answers;
    size_t boxes;
    size_t nodesLeft;
  };
  const Case cases[] = {{false, {}, 0, 0},
                        {true, {MessageBox::Abort}, 1, 8},
                        {true, {MessageBox::Ignore}, 1, 0},
                        {true, {MessageBox::Retry, MessageBox::Ignore}, 2, 0}};
  for (const Case& each : cases) {
    MemoryHost host;
    ServeExampleTree(host.Files);
    host.Files[u"two.asp"] = IncludeLine(u"b1.inc");
    host.Control->ParseFile(u"", u"r.asp");
    host.Control->ParseFile(u"", u"two.asp");
    TreeView& view = host.Control->tvLintra();
    const std::weak_ptr<File> deepest = FileAt(view, 4);
    const std::shared_ptr<File> kept = FileAt(view, 8);
    if (each.stranger) view.GetNodes().Item(1)->Tag(std::make_shared<Stranger>());

    ScriptedMessageBox boxes(each.answers);
    host.Control->ClearTree();
    SCOPED_TRACE(testing::Message()
                 << "stranger " << each.stranger << ", answers " << each.answers.size());
    EXPECT_EQ(boxes.Reports(), std::vector<Text>(each.boxes, u"13 Lintra.Lintra.ClearTree"));
    EXPECT_EQ(view.GetNodes().size(), each.nodesLeft);
    const bool cleared = each.nodesLeft == 0;
    EXPECT_EQ(deepest.expired(), cleared);
    EXPECT_EQ(!kept->Parent() && !kept->BaseFile() && !kept->Container(), cleared);
    EXPECT_TRUE(view.Visible());
  }
}

// The host sets nError and then fails; the user's answer to the report decides what the file is.
TEST(LintraEntry, AHostThatFailsAfterSettingAnErrorCodeIsReadAsTheAnswerSays) {
  constexpr int32_t kAbort = static_cast<int32_t>(0x800403E9u);
  struct Case {
    int32_t answer;
    int32_t errorBeforeFailing;
    const char16_t* outcome;
  };
  const Case cases[] = {
      {MessageBox::Abort, kAbort, u"f.inc []"},  {MessageBox::Abort, 5, u"f.inc []"},
      {MessageBox::Abort, 0, u"f.inc []"},       {MessageBox::Ignore, kAbort, u"error -2147220503"},
      {MessageBox::Ignore, 5, u"f.inc missing"}, {MessageBox::Ignore, 0, u"f.inc []"},
      {MessageBox::Retry, kAbort, u"f.inc [F]"}, {MessageBox::Retry, 5, u"f.inc [F]"},
      {MessageBox::Retry, 0, u"f.inc [F]"},
  };
  for (const Case& each : cases) {
    FailingHost host;
    host.Files[u"p.asp"] = IncludeDirective(u"f.inc");
    host.Files[u"f.inc"] = u"F";
    host.FailingPath = u"f.inc";
    host.ErrorBeforeFailing = each.errorBeforeFailing;
    ScriptedMessageBox boxes({each.answer});
    Text outcome;
    try {
      host.Control->ParseFile(u"", u"p.asp");
      const std::shared_ptr<File> include = FileAt(host.Control->tvLintra(), 2);
      outcome = include->FullPath() +
                (include->MissingFile() ? u" missing" : u" [" + include->Content() + u"]");
    } catch (const RuntimeError& error) {
      outcome = u"error " + text::FromNumber(error.Record().Number);
    }
    EXPECT_EQ(outcome, each.outcome)
        << "answer " << each.answer << ", nError " << each.errorBeforeFailing;
    EXPECT_EQ(boxes.Reports(), std::vector<Text>{u"5 Lintra.Lintra.fsGetFile"});
    EXPECT_NE(boxes.Boxes()[0].Prompt.find(u"(host failed)"), Text::npos);
  }
}

// The host sets the text and then fails: Ignore goes on with the text as the host left it, for an
// include and for the page itself.
TEST(LintraEntry, AHostThatFailsAfterSettingTheTextKeepsItOnIgnore) {
  struct Case {
    const char16_t* failing;
    int32_t answer;
    const char16_t* shown;
  };
  const Case cases[] = {
      {u"f.inc", MessageBox::Abort, u"p.asp [<!-- #include file=\"f.inc\" -->] f.inc []"},
      {u"f.inc", MessageBox::Retry, u"p.asp [<!-- #include file=\"f.inc\" -->] f.inc [F]"},
      {u"f.inc", MessageBox::Ignore, u"p.asp [<!-- #include file=\"f.inc\" -->] f.inc [half]"},
      {u"p.asp", MessageBox::Abort, u"p.asp []"},
      {u"p.asp", MessageBox::Retry, u"p.asp [<!-- #include file=\"f.inc\" -->] f.inc [F]"},
      {u"p.asp", MessageBox::Ignore, u"p.asp [half]"},
  };
  for (const Case& each : cases) {
    FailingHost host;
    host.Files[u"p.asp"] = u"<!-- #include file=\"f.inc\" -->";
    host.Files[u"f.inc"] = u"F";
    host.FailingPath = each.failing;
    host.TextBeforeFailing = u"half";
    ScriptedMessageBox boxes({each.answer});
    host.Control->ParseFile(u"", u"p.asp");
    Text shown;
    const TreeView& view = host.Control->tvLintra();
    for (int32_t position = 1; position <= view.GetNodes().Count(); ++position) {
      const std::shared_ptr<File> file = FileAt(view, position);
      shown += (position > 1 ? u" " : u"") + file->Name() + u" [" + file->Content() + u"]";
    }
    EXPECT_EQ(shown, each.shown) << "failing " << &each - cases;
    EXPECT_EQ(boxes.Reports(), std::vector<Text>{u"5 Lintra.Lintra.fsGetFile"});
  }
}

}  // namespace lintra
