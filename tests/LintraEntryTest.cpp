#include <gtest/gtest.h>

#include "analysis/File.h"
#include "analysis/Files.h"
#include "platform/ErrorRecord.h"
#include "platform/PendingMessages.h"
#include "support/MemoryHost.h"
#include "support/ScriptedMessageBox.h"

namespace {

constexpr int32_t kAbort = static_cast<int32_t>(0x800403E9u);

std::vector<Text> NodeTexts(TreeView& view) {
  std::vector<Text> texts;
  for (const auto& node : view.GetNodes()) texts.push_back(node->Text());
  return texts;
}

std::shared_ptr<File> FileAt(TreeView& view, int32_t index) {
  return std::dynamic_pointer_cast<File>(view.GetNodes().Item(index)->Tag());
}

Text Include(const char16_t* path) {
  return u"<!-- #include file=\"" + Text(path) + u"\" -->\r\n";
}

// A page three levels deep: default.asp includes a.inc, which includes b.inc, which includes
// c.inc; d.inc follows a.inc in the page.
void AddDeepPage(MemoryHost& host) {
  host.Files[u"/site/default.asp"] = Include(u"a.inc") + Include(u"d.inc");
  host.Files[u"/site/a.inc"] = Include(u"b.inc");
  host.Files[u"/site/b.inc"] = Include(u"c.inc");
  host.Files[u"/site/c.inc"] = u"c";
  host.Files[u"/site/d.inc"] = u"d";
}

// Replaces every requested path that it knows by another one before serving it.
class RedirectingHost : public MemoryHost {
 public:
  std::map<Text, Text> Redirects;

  void GetFile(Text& FilePath, int32_t& nError, Text& FileText) override {
    if (auto redirect = Redirects.find(FilePath); redirect != Redirects.end()) {
      Requests.push_back(FilePath);
      FilePath = redirect->second;
    }
    MemoryHost::GetFile(FilePath, nError, FileText);
  }
};

}  // namespace

TEST(LintraEntry, SuccessivePagesAccumulateAsSeparateTrees) {
  MemoryHost host;
  host.Files[u"/site/one.asp"] = Include(u"a.inc");
  host.Files[u"/site/a.inc"] = u"a";
  host.Files[u"/site/two.asp"] = u"two";
  host.Control->ParseFile(u"/site", u"/site/one.asp");
  host.Control->ParseFile(u"/site", u"/site/two.asp");

  TreeView& view = host.Control->tvLintra();
  EXPECT_EQ(NodeTexts(view), (std::vector<Text>{u"one.asp", u"a.inc", u"two.asp"}));
  EXPECT_EQ(view.GetNodes().Item(3)->Parent(), nullptr);
  EXPECT_EQ(view.GetNodes().Item(1)->Next(), view.GetNodes().Item(3));
  EXPECT_TRUE(FileAt(view, 3)->RootFile());
  EXPECT_EQ(FileAt(view, 3)->ProjectPath(), u"/site");
  EXPECT_EQ(host.Requests, (std::vector<Text>{u"/site/one.asp", u"/site/a.inc", u"/site/two.asp"}));
}

TEST(LintraEntry, EmptyTextIsAnEmptyPageAndAnyErrorCodeAMissingOne) {
  MemoryHost host;
  host.Files[u"/site/empty.asp"] = u"";
  host.Errors[u"/site/gone.asp"] = 5;
  host.Control->ParseFile(u"/site", u"/site/empty.asp");
  EXPECT_NO_THROW(host.Control->ParseFile(u"/site", u"/site/gone.asp"));

  TreeView& view = host.Control->tvLintra();
  ASSERT_EQ(view.GetNodes().size(), 2u);
  const auto empty = FileAt(view, 1);
  EXPECT_EQ(empty->Name(), u"empty.asp");
  EXPECT_EQ(empty->Content(), u"");
  EXPECT_EQ(empty->Includes()->Count(), u"0");
  EXPECT_FALSE(empty->MissingFile() || empty->CircularInclude() || empty->DuplicateInclude());
  const auto gone = FileAt(view, 2);
  EXPECT_EQ(gone->FullPath(), u"/site/gone.asp");
  EXPECT_TRUE(gone->MissingFile());
}

TEST(LintraEntry, AbortAnswerDeepDownFailsTheCallAndLeavesTheViewAsItWas) {
  MemoryHost host;
  host.Files[u"/site/first.asp"] = Include(u"menu.inc");
  host.Files[u"/site/menu.inc"] = u"menu";
  host.Control->ParseFile(u"/site", u"/site/first.asp");
  AddDeepPage(host);
  host.Errors[u"/site/c.inc"] = kAbort;
  TreeView& view = host.Control->tvLintra();
  const std::vector<Text> before = NodeTexts(view);

  try {
    host.Control->ParseFile(u"/site", u"/site/default.asp");
    ADD_FAILURE() << "ParseFile returned";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.Record().Number, kAbort);
    EXPECT_EQ(error.Record().Source, u"Lintra.Lintra.ParseFile");
    EXPECT_EQ(error.Record().Description, u"Could not find the file : /site/c.inc");
    EXPECT_EQ(error.Record().HelpContext, 0);
  }
  EXPECT_EQ(host.Requests.back(), u"/site/c.inc");
  EXPECT_EQ(NodeTexts(view), before);

  TextArray list(0, 0, 0, 1);
  list.At(0, 1) = u"/SITE/DEFAULT.ASP";
  try {
    host.Control->DisplayIfDependant(u"/site", u"/site/default.asp", list);
    ADD_FAILURE() << "DisplayIfDependant returned";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.Record().Number, kAbort);
    EXPECT_EQ(error.Record().Source, u"Lintra.fsGetFile");
    EXPECT_EQ(error.Record().Description, u"Could not find the file : /site/c.inc");
  }
  EXPECT_EQ(NodeTexts(view), before);
}

TEST(LintraEntry, HostReplacementOfThePagePathBecomesThePagePath) {
  RedirectingHost host;
  host.Redirects[u"site\\Default.asp"] = u"moved\\pages\\Home.asp";
  host.Files[u"moved\\pages\\Home.asp"] = Include(u"nav.inc");
  host.Files[u"moved/pages/nav.inc"] = u"nav";
  host.Control->ParseFile(u"", u"site\\Default.asp");

  const auto page = FileAt(host.Control->tvLintra(), 1);
  EXPECT_EQ(page->FullPath(), u"moved/pages/Home.asp");
  EXPECT_EQ(page->Name(), u"Home.asp");
  EXPECT_EQ(page->Path(), u"moved/pages/");
  EXPECT_EQ(host.Requests.front(), u"site\\Default.asp");
  EXPECT_EQ(host.Requests.back(), u"moved/pages/nav.inc");

  // A page that is replaced and then not supplied keeps the path it was asked for.
  host.Redirects[u"site\\Lost.asp"] = u"elsewhere/Found.asp";
  host.Control->ParseFile(u"", u"site\\Lost.asp");
  const auto lost = FileAt(host.Control->tvLintra(), 3);
  EXPECT_TRUE(lost->MissingFile());
  EXPECT_EQ(lost->FullPath(), u"site/Lost.asp");
}

TEST(LintraEntry, DisplayIfDependantShowsOnlyPagesThatUseAListedFile) {
  MemoryHost host;
  host.Files[u"/site/default.asp"] = Include(u"inc/a.inc");
  host.Files[u"/site/inc/a.inc"] = Include(u"b.inc");
  host.Files[u"/site/inc/b.inc"] = u"b";
  std::vector<size_t> shownWhenMessagesRan;
  TreeView& view = host.Control->tvLintra();
  const auto previous =
      PendingMessages::SetHook([&] { shownWhenMessagesRan.push_back(view.GetNodes().size()); });

  TextArray list(0, 1, 0, 1);
  list.At(0, 1) = u"/SITE/OTHER.INC";
  list.At(1, 0) = u"/SITE/DEFAULT.ASP";
  list.At(1, 1) = u"/SITE/INC/B.INC";
  host.Control->DisplayIfDependant(u"/site", u"/site/default.asp", list);
  EXPECT_EQ(NodeTexts(view), (std::vector<Text>{u"default.asp", u"a.inc", u"b.inc"}));
  for (const auto& node : view.GetNodes()) EXPECT_TRUE(node->Expanded());
  EXPECT_EQ(shownWhenMessagesRan, std::vector<size_t>{3});

  list.At(1, 1) = u"/site/inc/b.inc";
  host.Control->DisplayIfDependant(u"/site", u"/site/default.asp", list);
  EXPECT_EQ(view.GetNodes().size(), 3u);
  EXPECT_EQ(shownWhenMessagesRan.size(), 1u);
  EXPECT_EQ(host.Requests.size(), 6u);

  PendingMessages::SetHook(previous);
}

TEST(LintraEntry, MalformedMatchListIsReportedAndShowsNothing) {
  MemoryHost host;
  host.Files[u"/site/default.asp"] = Include(u"a.inc") + Include(u"b.inc");
  host.Files[u"/site/a.inc"] = u"a";
  host.Files[u"/site/b.inc"] = u"b";
  ScriptedMessageBox boxes;
  TextArray oneDimension(0, 0);
  oneDimension.At(0) = u"/SITE/DEFAULT.ASP";
  host.Control->DisplayIfDependant(u"/site", u"/site/default.asp", oneDimension);

  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].Prompt,
            u"An error has occured.\r\nError No: 9 - Subscript out of range\r\n"
            u"Source : Lintra.Lintra.fbContainsMatch");
  EXPECT_EQ(boxes.Boxes()[0].Style, 50);
  EXPECT_EQ(boxes.Boxes()[0].Title, u"Corvane");
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

TEST(LintraEntry, ClearTreeDeletesEveryTreeAndEmptiesTheView) {
  MemoryHost host;
  TreeView& view = host.Control->tvLintra();
  const int32_t hides = view.HideCount();
  const int32_t shows = view.ShowCount();
  host.Control->ClearTree();
  EXPECT_EQ(view.HideCount(), hides + 1);
  EXPECT_EQ(view.ShowCount(), shows + 1);
  EXPECT_TRUE(view.Visible());

  AddDeepPage(host);
  host.Files[u"/site/two.asp"] = Include(u"d.inc");
  host.Control->ParseFile(u"/site", u"/site/default.asp");
  host.Control->ParseFile(u"/site", u"/site/two.asp");
  const std::weak_ptr<File> page = FileAt(view, 1);
  const std::weak_ptr<File> deepest = FileAt(view, 4);
  const std::shared_ptr<File> kept = FileAt(view, 7);
  ASSERT_EQ(kept->Name(), u"d.inc");
  ScriptedMessageBox boxes;

  host.Control->ClearTree();
  EXPECT_EQ(view.GetNodes().size(), 0u);
  EXPECT_TRUE(page.expired());
  EXPECT_TRUE(deepest.expired());
  EXPECT_EQ(kept->Parent(), nullptr);
  EXPECT_EQ(kept->BaseFile(), nullptr);
  EXPECT_EQ(kept->Container(), nullptr);
  EXPECT_TRUE(view.Visible());
  EXPECT_TRUE(boxes.Boxes().empty());

  host.Control->ParseFile(u"/site", u"/site/two.asp");
  EXPECT_EQ(NodeTexts(view), (std::vector<Text>{u"two.asp", u"d.inc"}));
}
