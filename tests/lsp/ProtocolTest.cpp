#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "apps/lsp/Connection.h"
#include "apps/lsp/FileKey.h"
#include "apps/lsp/LocationList.h"
#include "apps/lsp/MessageJson.h"
#include "apps/lsp/OpenDocuments.h"
#include "tests/apps/TempFolder.h"
#include "tests/lsp/LspClient.h"

namespace lintra {
namespace {

TEST(MessageReader, TakesFramedBodiesAndReportsBrokenHeadersWithoutLosingTheNextMessage) {
  std::istringstream in(
      "Content-Length: 2\r\n\r\n{}"
      "content-length:3\r\nContent-Type: x\r\n\r\n[1]"
      "Content-Length: two\r\n\r\n"
      "Content-Length: 4\r\n\r\nnull"
      "Content-Length: 10\r\n\r\nshort");
  lsp::MessageReader reader(in);
  EXPECT_EQ(reader.Next()->body, "{}");
  EXPECT_EQ(reader.Next()->body, "[1]");
  EXPECT_EQ(reader.Next()->error, "the message has no valid Content-Length header");
  EXPECT_EQ(reader.Next()->body, "null");
  EXPECT_FALSE(reader.Next()) << "a truncated body ends the input";
}

TEST(JsonText, WritesStringsAsNlohmannJsonDoes) {
  const std::string strings[] = {"",
                                 "file:///a%20b/caf%C3%A9.asp",
                                 "say \"hi\"",
                                 "back\\slash",
                                 "tab\t",
                                 "line\r\n",
                                 "\x01\x1f\x7f",
                                 "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80",
                                 "bad \xFF\xC3 end"};
  for (const std::string& value : strings) {
    std::string written = "x";
    lsp::AppendJsonString(written, value);
    EXPECT_EQ(written, "x" + lsp::JsonText(Json(value)).Str()) << value;
  }
  EXPECT_EQ(lsp::JsonText(Json("bad \xFF")).Str(), "\"bad \xEF\xBF\xBD\"");
}

TEST(MessageJson, TakesALoneSurrogateEscapeAsOneReplacementCharacter) {
  const std::string replacement = "\xEF\xBF\xBD";
  const std::string smiley = "\xF0\x9F\x98\x80";
  EXPECT_EQ(lsp::ParseMessage(R"(["\ud800x", "\udc00", "a\uDBFF", "\ud800\ud83d\ude00"])"),
            Json({replacement + "x", replacement, "a" + replacement, replacement + smiley}));
  EXPECT_EQ(lsp::ParseMessage(R"(["\ud83d\ude00", "\\ud800", "\\\ud800", "\u00e9\u0041"])"),
            Json({smiley, "\\ud800", "\\" + replacement, std::string("\xC3\xA9") + "A"}));
  EXPECT_TRUE(lsp::ParseMessage(R"(["\ud8"])").is_discarded());
  EXPECT_TRUE(lsp::ParseMessage(R"(["\ud800)").is_discarded());
  EXPECT_TRUE(lsp::ParseMessage("\\").is_discarded());
}

TEST(LocationList, WritesWhatNlohmannJsonWritesOfTheSameLocations) {
  lsp::LocationList locations(1);
  EXPECT_EQ(lsp::LocationList(0).Take().Str(), "[]");
  locations.Add("file:///q\".asp", lsp::ZeroBased(12, 3, 14, 10));
  locations.Add("file:///b\\.asp", lsp::ZeroBased(0, 0, 0, 0));
  const Json expected =
      Json::array({{{"uri", "file:///q\".asp"}, {"range", lsp::RangeOf(12, 3, 14, 10)}},
                   {{"uri", "file:///b\\.asp"}, {"range", lsp::RangeOf(0, 0, 0, 0)}}});
  EXPECT_EQ(std::move(locations).Take().Str(), expected.dump());
}

TEST(Connection, FramesEachResponseWithTheLengthOfItsWholeBody) {
  std::istringstream in;
  std::ostringstream out;
  {
    lsp::Connection connection(in, out);
    connection.Respond(7, lsp::JsonText::Written("[1,2]"));
    connection.Respond("a\"b", Json{{"k", "caf\xC3\xA9"}});
    connection.RespondError(nullptr, -32700, "bad");
  }
  EXPECT_EQ(
      out.str(),
      "Content-Length: 39\r\n\r\n{\"id\":7,\"jsonrpc\":\"2.0\",\"result\":[1,2]}"
      "Content-Length: 52\r\n\r\n{\"id\":\"a\\\"b\",\"jsonrpc\":\"2.0\",\"result\":{\"k\":"
      "\"caf\xC3\xA9\"}}"
      "Content-Length: 67\r\n\r\n{\"error\":{\"code\":-32700,\"message\":\"bad\"},\"id\":null,"
      "\"jsonrpc\":\"2.0\"}");
}

TEST(FileUris, EscapeAndUnescapeWhatPathsHold) {
  EXPECT_EQ(lsp::UriOfPath("/sites/my shop/caf\xC3\xA9#1.asp"),
            "file:///sites/my%20shop/caf%C3%A9%231.asp");
  EXPECT_EQ(lsp::PathOfUri("file:///sites/my%20shop/caf%C3%A9%231.asp"),
            std::filesystem::path("/sites/my shop/caf\xC3\xA9#1.asp"));
  EXPECT_EQ(lsp::PathOfUri("file://localhost/a/../b.asp"), std::filesystem::path("/b.asp"));
  EXPECT_FALSE(lsp::PathOfUri("http://host/a.asp"));
  EXPECT_FALSE(lsp::PathOfUri("file://server/share/a.asp"));
  EXPECT_FALSE(lsp::PathOfUri("file:///a%2"));
  EXPECT_FALSE(lsp::PathOfUri("file:///a%00b"));
}

TEST(OpenDocuments, ApplyIncrementalChangesInUtf16UnitsAndAreFoundInTheirLetterCase) {
  lsp::OpenDocuments documents;
  documents.Open(
      {"file:///s/a.asp", u"a.asp", 1, std::make_shared<SourceText>(u"ab\r\nc\u00e9d\rx")});
  const std::vector<lsp::TextChange> changes = {
      {std::make_pair(lsp::Position{1, 2}, lsp::Position{2, 0}), u"-"},
      {std::make_pair(lsp::Position{0, 1}, lsp::Position{0, 99}), u"Z"},
      {std::make_pair(lsp::Position{9, 0}, lsp::Position{9, 0}), u"!"}};
  ASSERT_TRUE(documents.Change(u"a.asp", 2, changes));
  EXPECT_EQ(documents.Find(u"a.asp")->text->Value(), u"aZ\r\nc\u00e9-x!");
  EXPECT_EQ(documents.Find(u"a.asp")->version, 2);
  // A.asp is another file, which a case-sensitive disk may hold beside a.asp.
  EXPECT_FALSE(documents.Change(u"A.asp", 2, changes));
  EXPECT_EQ(documents.Find(u"A.asp"), nullptr);
  EXPECT_EQ(documents.Match(u"/a.asp"), documents.Find(u"a.asp"));
  EXPECT_EQ(documents.Match(u"\\a.asp"), documents.Find(u"a.asp"));
  EXPECT_EQ(documents.Match(u"A.asp"), nullptr);
  EXPECT_EQ(documents.Match(u"a.as"), nullptr);
}

TEST(FileKey, IsThePathFromTheRootWithSlashesInItsLetterCaseAndIsKnownWithoutMakingIt) {
  const Text key = u"inc/Caf\u00e9.inc";
  EXPECT_EQ(lsp::FileKey(u"//inc\\Caf\u00e9.inc"), key);
  EXPECT_TRUE(lsp::HasFileKey(u"\\inc/Caf\u00e9.inc", key));
  EXPECT_TRUE(lsp::HasFileKey(u"inc\\Caf\u00e9.inc", key));
  EXPECT_FALSE(lsp::HasFileKey(u"inc/caf\u00e9.inc", key));
  EXPECT_FALSE(lsp::HasFileKey(u"inc/Caf\u00e9.in", key));
  EXPECT_FALSE(lsp::HasFileKey(u"inc/Caf\u00e9.inc", u"inc\\Caf\u00e9.inc"));
}

// One page that includes a file that is not there.
class ServerErrors : public ::testing::Test {
 protected:
  void SetUp() override { site_.Write("default.asp", "<!-- #include file=\"gone.inc\" -->\r\n"); }

  TempFolder site_;
  LspClient client_;
};

TEST_F(ServerErrors, AnswerEachBrokenMessageWithItsErrorAndGoOn) {
  EXPECT_EQ(client_.Call("textDocument/hover", {})["error"]["code"], -32002);
  client_.Start(site_.Path());
  client_.SendRaw("Content-Length: 6\r\n\r\n{\"a\": ");
  EXPECT_EQ(client_.ResponseTo(nullptr)["error"]["code"], -32700);
  client_.SendRaw("Content-Length: 3\r\n\r\n[1]");
  EXPECT_EQ(client_.ResponseTo(nullptr)["error"]["code"], -32600);
  EXPECT_EQ(client_.Call("lintra/unknown", {})["error"]["code"], -32601);
  EXPECT_EQ(client_.Call("textDocument/definition", {{"textDocument", 5}})["error"]["code"],
            -32602);
  const Json outside = client_.Call("lintra/includeTree",
                                    {{"textDocument", {{"uri", "file:///etc/passwd"}}}})["error"];
  EXPECT_EQ(outside["code"], -32602);
  EXPECT_EQ(outside["message"], "the document file:///etc/passwd is outside the workspace folder " +
                                    site_.Path().string());
  EXPECT_EQ(client_.Result("lintra/includeTree",
                           {{"textDocument",
                             client_.Document("default.asp")}})["roots"][0]["children"][0]["kind"],
            "missing");
}

TEST_F(ServerErrors, KeepADocumentWhoseTextHoldsALoneSurrogateWithItsColumns) {
  client_.Start(site_.Path());
  // What an editor sends of a buffer holding a broken character: a lone surrogate's escape,
  // which stands for one UTF-16 unit, before a pair, which stands for two.
  const std::string directive = R"(<!-- #include file=\"gone.inc\" -->)";
  const std::string body = R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":)"
                           R"({"textDocument":{"uri":")" +
                           client_.Uri("default.asp") +
                           R"(","languageId":"asp","version":2,"text":"\ud800\ud83d\ude00)" +
                           directive + R"(\r\n"}}})";
  client_.SendRaw("Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body);
  const Json diagnostics = client_.DiagnosticsOf(client_.Uri("default.asp"), [](const Json& all) {
    return all.size() == 1 && all[0]["code"] == "missing-include";
  });
  EXPECT_EQ(diagnostics[0]["range"]["start"], Json({{"line", 0}, {"character", 3}}));
}

TEST_F(ServerErrors, EndWithZeroOnlyAfterShutdownThenExit) {
  client_.Start(site_.Path());
  EXPECT_EQ(client_.Result("shutdown", nullptr), nullptr);
  EXPECT_EQ(client_.Call("textDocument/documentLink", {})["error"]["code"], -32600);
  client_.Notify("exit", nullptr);
  EXPECT_EQ(client_.Finish(), 0);
}

TEST_F(ServerErrors, AnswerEachRequestOnceWhileStillReadingMore) {
  client_.Start(site_.Path());
  constexpr int requests = 150;
  for (int id = 1000; id < 1000 + requests; ++id) {
    client_.Post(id, "textDocument/documentSymbol",
                 {{"textDocument", client_.Document("default.asp")}});
  }
  client_.Post(999, "shutdown", nullptr);
  client_.ResponseTo(999);
  EXPECT_EQ(client_.ResponsesSkipped(), requests);
}

TEST_F(ServerErrors, SurviveTenThousandRandomAndTruncatedMessages) {
  client_.Start(site_.Path());
  const std::string valid = Json{{"jsonrpc", "2.0"},
                                 {"id", 7},
                                 {"method", "textDocument/documentSymbol"},
                                 {"params", {{"textDocument", client_.Document("default.asp")}}}}
                                .dump();
  std::mt19937 random(15);
  for (int i = 0; i < 10000; ++i) {
    std::string body = valid.substr(0, random() % (valid.size() + 1));
    for (int flips = static_cast<int>(random() % 4); flips > 0; --flips) {
      if (!body.empty()) body[random() % body.size()] = static_cast<char>(random() % 128);
    }
    client_.SendRaw("Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body);
  }
  const Json symbols = client_.Result("textDocument/documentSymbol",
                                      {{"textDocument", client_.Document("default.asp")}});
  ASSERT_EQ(symbols.size(), 1u);
  EXPECT_EQ(symbols[0]["name"], "gone.inc");
}

}  // namespace
}  // namespace lintra
