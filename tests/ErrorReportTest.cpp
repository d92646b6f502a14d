#include <gtest/gtest.h>

#include <memory>

#include "analysis/File.h"
#include "analysis/Files.h"
#include "errors/modPendryError.h"
#include "support/ScriptedMessageBox.h"

namespace {

const Text kItemFailure =
    u"An error has occured.\r\nError No: 9 - Subscript out of range\r\nSource : Lintra.Files.Item";

// Reports `error` as the error being handled, then clears it again.
int32_t Report(ErrorRecord error, const Text& module, const Text& procedure) {
  Err() = std::move(error);
  const int32_t answer = gfnReportError(module, procedure);
  Err() = ErrorRecord();
  return answer;
}

}  // namespace

TEST(ReportError, ShowsNumberDescriptionAndSourceAndReturnsTheAnswer) {
  ScriptedMessageBox boxes({MessageBox::Retry, MessageBox::Ignore, 7});
  EXPECT_EQ(Report({5, u"Lintra", u"Invalid procedure call or argument", u"", 0}, u"File",
                   u"OutputComplete"),
            MessageBox::Retry);
  EXPECT_EQ(Report({-2147220504, u"Lintra.fsGetFile", u"Could not find the file : a.inc", u"", 0},
                   u"Lintra", u"fsGetFile"),
            MessageBox::Ignore);
  EXPECT_EQ(Report({91, u"Lintra", u"", u"", 0}, u"Files", u"Add"), 7);
  ASSERT_EQ(boxes.Boxes().size(), 3u);
  EXPECT_EQ(boxes.Boxes()[0].Prompt,
            u"An error has occured.\r\nError No: 5 - Invalid procedure call or argument\r\n"
            u"Source : Lintra.File.OutputComplete");
  EXPECT_EQ(boxes.Boxes()[1].Prompt,
            u"An error has occured.\r\nError No: -2147220504 - Could not find the file : a.inc"
            u"\r\nSource : Lintra.Lintra.fsGetFile");
  EXPECT_EQ(boxes.Boxes()[2].Prompt,
            u"An error has occured.\r\nError No: 91 - \r\nSource : Lintra.Files.Add");
  for (const auto& box : boxes.Boxes()) {
    EXPECT_EQ(box.Style, 50);
    EXPECT_EQ(box.Title, u"Corvane");
  }
}

TEST(ReportError, AbortLeavesAFailedLookupAfterOneMessage) {
  ScriptedMessageBox boxes({MessageBox::Abort});
  Files files;
  EXPECT_EQ(files.Item(1), nullptr);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].Prompt, kItemFailure);
  EXPECT_EQ(Err().Number, 0);
}

TEST(ReportError, RetryRunsTheFailedStepAgainUntilAbort) {
  ScriptedMessageBox boxes({MessageBox::Retry, MessageBox::Retry, MessageBox::Abort});
  Files files;
  EXPECT_EQ(files.Item(u"1"), nullptr);
  ASSERT_EQ(boxes.Boxes().size(), 3u);
  for (const auto& box : boxes.Boxes()) {
    EXPECT_EQ(box.Prompt,
              u"An error has occured.\r\nError No: 5 - Invalid procedure call or argument\r\n"
              u"Source : Lintra.Files.Item");
  }
}

TEST(ReportError, RetrySucceedsOnceTheCauseIsRemoved) {
  auto parent = std::make_shared<File>();
  Files files;
  int shown = 0;
  MessageBox::Handler previous = MessageBox::SetHandler([&](const Text&, int32_t, const Text&) {
    ++shown;
    files.Add(parent, u"late.inc");
    return MessageBox::Retry;
  });
  const std::shared_ptr<File> item = files.Item(1);
  MessageBox::SetHandler(std::move(previous));
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->Name(), u"late.inc");
  EXPECT_EQ(shown, 1);
}

TEST(ReportError, IgnoreGoesOnWithTheResultStillNull) {
  ScriptedMessageBox boxes({MessageBox::Ignore});
  auto parent = std::make_shared<File>();
  Files files;
  files.Add(parent, u"a.inc");
  EXPECT_EQ(files.Item(2), nullptr);
  EXPECT_EQ(files.Item(0), nullptr);
  EXPECT_EQ(files.Item(1)->Name(), u"a.inc");
  ASSERT_EQ(boxes.Boxes().size(), 2u);
  EXPECT_EQ(boxes.Boxes()[0].Prompt, kItemFailure);
}

TEST(ReportError, DefaultHandlerAnswersWithoutWaitingAndWritesToStandardError) {
  MessageBox::Handler previous = MessageBox::SetHandler(nullptr);
  testing::internal::CaptureStderr();
  Files files;
  const std::shared_ptr<File> item = files.Item(3);
  const int32_t okAnswer =
      MessageBox::Show(u"Nothing to show.", MessageBox::OKOnly + MessageBox::Exclamation, u"T");
  const int32_t abortAnswer = MessageBox::Show(
      u"Stop?", MessageBox::AbortRetryIgnore + MessageBox::Exclamation, u"Corvane");
  const std::string written = testing::internal::GetCapturedStderr();
  MessageBox::SetHandler(std::move(previous));
  EXPECT_EQ(item, nullptr);
  EXPECT_EQ(okAnswer, MessageBox::OK);
  EXPECT_EQ(abortAnswer, MessageBox::Abort);
  EXPECT_NE(written.find("Error No: 9 - Subscript out of range"), std::string::npos);
  EXPECT_NE(written.find("Source : Lintra.Files.Item"), std::string::npos);
  EXPECT_NE(written.find("Nothing to show."), std::string::npos);
  EXPECT_NE(written.find("Stop?"), std::string::npos);
}
