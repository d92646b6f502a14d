#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <regex>
#include <string>
#include <vector>

#include "tests/apps/CliRun.h"

namespace lintra {

using Json = nlohmann::json;
using namespace std::string_view_literals;

TEST(LintraCli, TreePrintsTheControlsDrawingOfEveryPageInOrder) {
  const Outcome run = Lintra({"tree", "--root", Site, "default.asp", "account/login.asp"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "default.asp                             \r\n"
            "|    \r\n"
            "+--- header.inc                         inc\r\n"
            "|    |    \r\n"
            "|    \\--- menu.inc !                    inc\r\n"
            "|    \r\n"
            "+--- menu.inc !                         inc\r\n"
            "|    \r\n"
            "\\--- footer.inc                         inc\r\n"
            "\r\n\r\n"
            "login.asp                               account/\r\n"
            "|    \r\n"
            "+--- connection.inc                     ../inc\r\n"
            "|    |    \r\n"
            "|    \\--- config.inc                    ../inc\r\n"
            "|    \r\n"
            "+--- security.inc                       ../inc\r\n"
            "|    |    \r\n"
            "|    \\--- session.inc                   ../inc\r\n"
            "|         |    \r\n"
            "|         \\--- security.inc !  *ERROR*  \r\n"
            "|    \r\n"
            "+--- header.inc                         ../inc\r\n"
            "|    |    \r\n"
            "|    \\--- menu.inc                      ../inc\r\n"
            "|    \r\n"
            "\\--- footer.inc                         ../inc\r\n"
            "\r\n\r\n");
}

TEST(LintraCli, CompleteAndWarningsPrintOnePagesReportsAsTheControlMakesThem) {
  TempFolder site;
  site.Write("p.asp",
             "\xFF\xFE"
             "A\0\r\0\n\0<\0!\0-\0-\0#\0i\0n\0c\0l\0u\0d\0e\0 \0f\0i\0l\0e\0=\0x\0 \0-\0-\0>\0"sv);
  site.Write("x", "caf\xE9");
  const Outcome complete = Lintra({"complete", "--root", site.Path().string(), "p.asp"});
  EXPECT_EQ(complete.status, 0);
  EXPECT_EQ(complete.out,
            "A\r\n\r\n<%' === INCLUDE FILE START ( <!--#include file=x --> ) === %>\r\n"
            "caf\xE9\r\n<%' === INCLUDE FILE END ( <!--#include file=x --> ) === %>\r\n");
  const Outcome warnings = Lintra({"warnings", "--root", Site, "shop/cart.asp"});
  EXPECT_EQ(warnings.status, 0);
  EXPECT_EQ(warnings.out,
            "File : shop/cart.asp\r\n\r\nCritical Errors\r\n===============\r\n\r\n"
            "cart_totals.inc (cart_totals.inc)\r\n   Error opening file. \r\n\r\n"
            "\r\nNo warnings\r\n");
}

TEST(LintraCli, DependsListsThePagesThatIncludeAChangedFile) {
  EXPECT_EQ(Lintra({"depends", "--root", Site, "--changed", "inc/menu.inc"}).out,
            "about.asp\naccount/login.asp\ndefault.asp\nshop/cart.asp\nshop/product.asp\n");
  EXPECT_EQ(Lintra({"depends", "--root", Site, "--changed", "/INC\\Config.inc"}).out,
            "account/login.asp\nshop/cart.asp\nshop/product.asp\n");
  EXPECT_EQ(Lintra({"depends", "--root", Site, "--changed", "inc/session.inc"}).out,
            "account/login.asp\n");
  EXPECT_EQ(Lintra({"depends", "--root", Site, "--changed", "shop/../about.asp", "--changed",
                    "./inc/functions.inc", "--exclude", "*/cart.asp"})
                .out,
            "about.asp\nshop/product.asp\n");
  EXPECT_EQ(Lintra({"depends", "--root", Site, "--changed", "inc/footer.inc", "--exclude", "shop",
                    "--", "default.asp", "shop/cart.asp"})
                .out,
            "default.asp\n");
  const Outcome tree = Lintra({"depends", "--root", Site, "--changed", "inc/config.inc", "--tree",
                               "--", "default.asp", "shop/product.asp"});
  EXPECT_EQ(tree.status, 0);
  EXPECT_EQ(tree.out.substr(0, 47), "product.asp                             shop/\r\n");
  EXPECT_EQ(tree.out.find("default.asp"), std::string::npos);
}

TEST(LintraCli, DependsKnowsAChangedFileByAnyNameThatLeadsToIt) {
  TempFolder site;
  site.Write("inc/a.inc", "");
  site.Write("p.asp", "<!-- #include file=\"inc/a.inc\" -->");
  std::filesystem::create_directory_symlink("inc", site.Path() / "alias");
  for (const char* changed : {"alias/a.inc", "alias/../inc/a.inc", "INC/A.INC"}) {
    EXPECT_EQ(Lintra({"depends", "--root", site.Path().string(), "--changed", changed}).out,
              "p.asp\n")
        << changed;
  }
}

TEST(LintraCli, VersionPrintsTheProjectVersionAndTheCheckoutItWasBuiltFrom) {
  const Outcome run = Lintra({"--version"});
  EXPECT_EQ(run.status, 0);
  const std::string name = "lintra " LINTRA_VERSION;
  ASSERT_EQ(run.out.substr(0, name.size()), name);
  EXPECT_TRUE(
      std::regex_match(run.out.substr(name.size()), std::regex(R"(( \(git [0-9a-z.-]+\))?\n)")))
      << run.out;
  EXPECT_EQ(run.err, "");
}

TEST(LintraCli, UsageErrorsEndWithStatusTwo) {
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {},
           {"tree", "--root", Site},
           {"complete", "--root", Site, "default.asp", "about.asp"},
           {"depends", "--root", Site},
           {"depends", "--root", Site, "--changed", "inc/menu.inc", "--why", "--tree"},
           {"check", "--root", Site, "--format", "xml"},
           {"tree", "--root", Site, "--encoding", "no-such-code-page", "default.asp"},
           {"tree", "--root", Site + "/nothere", "default.asp"},
           {"tree", "--root", Site + "/default.asp", "default.asp"}}) {
    const Outcome run = Lintra(arguments);
    EXPECT_EQ(run.status, 2) << testing::PrintToString(arguments);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err, "");
  }
}

TEST(LintraCli, APageOverTheFileLimitIsReportedAbortedOnceTheOtherPagesAreReported) {
  TempFolder site;
  // page.asp asks for 7 files: itself, a.inc twice and b.inc four times; small.asp for 2.
  site.Write("page.asp", Include("a.inc") + Include("a.inc"));
  site.Write("small.asp", Include("b.inc"));
  site.Write("a.inc", Include("b.inc") + Include("b.inc"));
  site.Write("b.inc", "<% x = 1 %>");
  const std::string root = site.Path().string();
  // The limit holds for each page on its own.
  EXPECT_EQ(Lintra({"check", "--root", root, "--max-files", "7"}).status, 0);
  const std::string message =
      "analysis of page.asp aborted after 6 file requests (an include explosion?); raise "
      "--max-files to go on";
  const std::string aborted = "lintra: " + message + "\n";
  // a.inc, which only the page that failed includes, is not reported unused.
  for (const auto& [command, out] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"check"},
            "b.inc: note: exposed include: b.inc holds server code; IIS 6 and later refuse .inc "
            "files, but IIS 5 and a server that sends any extension show its source "
            "[exposed-include] (1 page: small.asp)\n"
            "by rule: 1 exposed-include\n"
            "checked 1 page: 0 errors, 0 warnings, 1 note\n"},
           {{"tree", "page.asp", "small.asp"},
            Padded("small.asp") + "\r\n|    \r\n" + Padded("\\--- b.inc") + ".\r\n\r\n\r\n"},
           {{"complete", "page.asp"}, ""},
           {{"depends", "--changed", "b.inc"}, "small.asp\n"},
           {{"includers", "b.inc"}, "small.asp:1\n\nsmall.asp\n"}}) {
    std::vector<std::string> arguments = command;
    arguments.insert(arguments.end(), {"--root", root, "--max-files", "6"});
    const Outcome outcome = Lintra(arguments);
    EXPECT_EQ(outcome.status, 3) << command[0];
    EXPECT_EQ(outcome.out, out) << command[0];
    EXPECT_EQ(outcome.err, aborted) << command[0];
  }
  // JSON and SARIF are written all the same, with the page that failed.
  const Outcome json = Lintra({"check", "--root", root, "--max-files", "6", "--format", "json"});
  EXPECT_EQ(json.status, 3);
  const Json document = Json::parse(json.out);
  EXPECT_EQ(document["summary"]["pages"], 1u);
  EXPECT_EQ(document["aborted"],
            Json::parse(R"([{"page": "page.asp", "message": ")" + message + R"("}])"));
  const Outcome sarif = Lintra({"check", "--root", root, "--max-files", "6", "--format", "sarif"});
  EXPECT_EQ(sarif.status, 3);
  EXPECT_EQ(Json::parse(sarif.out)["runs"][0]["invocations"], Json::parse(R"([{
    "executionSuccessful": false,
    "toolExecutionNotifications": [{"level": "error", "message": {"text": ")" +
                                                                          message + R"("},
      "locations": [{"physicalLocation": {
        "artifactLocation": {"uri": "page.asp", "uriBaseId": "SRCROOT"}}}]}]}])"));
  // An explosion of 2^40 includes stops at the limit as well.
  TempFolder explosion;
  explosion.Write("page.asp", Include("f1.inc") + Include("f1.inc"));
  for (int i = 1; i < 40; ++i) {
    const std::string next = "f" + std::to_string(i + 1) + ".inc";
    explosion.Write("f" + std::to_string(i) + ".inc", Include(next) + Include(next));
  }
  explosion.Write("f40.inc", "");
  const Outcome run =
      Lintra({"tree", "--root", explosion.Path().string(), "--max-files", "5000", "page.asp"});
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err,
            "lintra: analysis of page.asp aborted after 5000 file requests (an include "
            "explosion?); raise --max-files to go on\n");
}

TEST(LintraCli, AFileIncludingItselfUnderAnotherNameIsCircularOnlyWithCanonicalPaths) {
  TempFolder site;
  site.Write("x.asp", "<!-- #include file=\"./x.inc\" -->");
  site.Write("x.inc", "<!-- #include file=\"./x.inc\" --><!-- #include file=\"loop/x.inc\" -->");
  std::filesystem::create_directory_symlink(".", site.Path() / "loop");
  const Outcome run =
      Lintra({"tree", "--root", site.Path().string(), "--canonical-paths", "x.asp"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "x.asp                                   \r\n"
            "|    \r\n"
            "\\--- x.inc                              .\r\n"
            "     |    \r\n"
            "     +--- x.inc !  *ERROR*              \r\n"
            "     |    \r\n"
            "     \\--- x.inc !  *ERROR*              \r\n"
            "\r\n\r\n");
  // As requested, every spelling is another file: the paths grow until the page is stopped.
  const Outcome runAway = Lintra({"tree", "--root", site.Path().string(), "x.asp"});
  EXPECT_EQ(runAway.status, 3);
  EXPECT_EQ(runAway.out, "");
  EXPECT_EQ(runAway.err,
            "lintra: analysis of x.asp aborted after 100000 file requests (an include "
            "explosion?); raise --max-files to go on\n");
}

TEST(LintraCli, DependsWhyAndIncludersTellHowPagesReachAFile) {
  const Outcome why = Lintra({"depends", "--root", Site, "--changed", "inc/menu.inc", "--why"});
  EXPECT_EQ(why.status, 0);
  EXPECT_EQ(why.out,
            "about.asp:2 -> inc/header.inc:4 -> inc/menu.inc\n"
            "account/login.asp:5 -> inc/header.inc:4 -> inc/menu.inc\n"
            "default.asp:6 -> inc/menu.inc\n"
            "shop/cart.asp:4 -> inc/header.inc:4 -> inc/menu.inc\n"
            "shop/product.asp:3 -> inc/header.inc:4 -> inc/menu.inc\n");
  EXPECT_EQ(Lintra({"depends", "--root", Site, "--changed", "about.asp", "--why"}).out,
            "about.asp\n");
  // inc/functions.inc:1 is listed once, though two pages reach it.
  const Outcome includers = Lintra({"includers", "--root", Site, "INC/Config.inc"});
  EXPECT_EQ(includers.status, 0);
  EXPECT_EQ(includers.out,
            "inc/connection.inc:1\ninc/functions.inc:1\n\n"
            "account/login.asp\nshop/cart.asp\nshop/product.asp\n");
}

TEST(LintraCli, MessagesOnStandardErrorNeverLandInsideALineOfOutput) {
  const std::vector<std::string> check = {"check", "--root", Site, "--exclude", "none"};
  const Outcome apart = Lintra(check);
  EXPECT_EQ(LintraMerged(check), "lintra: warning: --exclude none leaves out no file or folder\n" +
                                     apart.out + "lintra: 4 errors found\n");
}

}  // namespace lintra
