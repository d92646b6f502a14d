#include <gtest/gtest.h>

#include <memory>

#include "analysis/File.h"
#include "analysis/Files.h"
#include "errors/modPendryError.h"
#include "support/ScriptedMessageBox.h"

namespace lintra {

namespace {

// Reports `error` as the error being handled, then clears it again.
int32_t Report(ErrorRecord error, const Text& module, const Text& procedure) {
  Err() = std::move(error);
  const int32_t answer = gfnReportError(module, procedure);
  Err() = ErrorRecord();
  return answer;
}

}  // namespace

TEST(ReportError, ShowsNumberDescriptionAndSourceAndReturnsTheAnswer) {
  ScriptedMessageBox boxes({MessageBox::Ignore, 7});
  EXPECT_EQ(Report({-2147220504, u"Lintra.fsGetFile", u"Could not find the file : a.inc", u"", 0},
                   u"Lintra", u"fsGetFile"),
            MessageBox::Ignore);
  EXPECT_EQ(Report({91, u"Lintra", u"", u"", 0}, u"Files", u"Add"), 7);
  ASSERT_EQ(boxes.Boxes().size(), 2u);
  EXPECT_EQ(boxes.Boxes()[0].Prompt,
            u"An error has occured.\r\nError No: -2147220504 - Could not find the file : a.inc"
            u"\r\nSource : Lintra.Lintra.fsGetFile");
  EXPECT_EQ(boxes.Boxes()[1].Prompt,
            u"An error has occured.\r\nError No: 91 - \r\nSource : Lintra.Files.Add");
  for (const auto& box : boxes.Boxes()) {
    EXPECT_EQ(box.Style, 50);
    EXPECT_EQ(box.Title, u"Corvane");
  }
}

TEST(ReportError, AnswerDecidesWhetherAFailedLookupIsLeftRepeatedOrSkipped) {
  ScriptedMessageBox boxes({MessageBox::Abort, MessageBox::Retry, MessageBox::Retry,
                            MessageBox::Abort, MessageBox::Ignore});
  auto parent = std::make_shared<File>();
  Files files;
  files.Add(parent, u"a.inc");
  EXPECT_EQ(files.Item(2), nullptr);
  EXPECT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(Err().Number, 0);
  EXPECT_EQ(files.Item(0), nullptr);
  EXPECT_EQ(boxes.Boxes().size(), 4u);
  EXPECT_EQ(files.Item(u"1"), nullptr);
  EXPECT_EQ(files.Item(1)->Name(), u"a.inc");
  EXPECT_EQ(boxes.Reports(), (std::vector<Text>{u"9 Lintra.Files.Item", u"9 Lintra.Files.Item",
                                                u"9 Lintra.Files.Item", u"9 Lintra.Files.Item",
                                                u"5 Lintra.Files.Item"}));
}

TEST(ReportError, DefaultHandlerAnswersWithoutWaitingAndWritesToStandardError) {
  MessageBox::Handler previous = MessageBox::SetHandler(nullptr);
  testing::internal::CaptureStderr();
  Files files;
  const std::shared_ptr<File> item = files.Item(3);
  const int32_t answer =
      MessageBox::Show(u"Nothing to show.", MessageBox::OKOnly + MessageBox::Exclamation, u"T");
  const int32_t choice = MessageBox::Show(u"Go on?", 50, u"T");
  const std::string written = testing::internal::GetCapturedStderr();
  MessageBox::SetHandler(std::move(previous));
  EXPECT_EQ(item, nullptr);
  EXPECT_EQ(answer, MessageBox::OK);
  EXPECT_EQ(choice, MessageBox::Abort);
  EXPECT_NE(written.find("Error No: 9 - Subscript out of range"), std::string::npos);
  EXPECT_NE(written.find("Source : Lintra.Files.Item"), std::string::npos);
  EXPECT_NE(written.find("Nothing to show."), std::string::npos);
}

}  // namespace lintra
