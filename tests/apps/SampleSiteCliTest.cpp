#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <set>
#include <string>

#include "tests/apps/CliRun.h"

using Json = nlohmann::json;

// Every command on the bundled sample site, which shows a missing, a circular and a duplicate
// include among pages at the root and in subfolders.

TEST(SampleSite, TreeDrawsTheSignInPageWithItsCircularInclude) {
  const Outcome run = Lintra({"tree", "--root", Site, "account/login.asp"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
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

TEST(SampleSite, CompleteExpandsEveryIncludeInPlace) {
  const Outcome run = Lintra({"complete", "--root", Site, "about.asp"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(
      run.out,
      "<%@ Language=\"VBScript\" %>\r\n\r\n"
      "<%' === INCLUDE FILE START ( <!-- #include virtual=\"/inc/header.inc\" --> ) === %>\r\n"
      "<html>\r\n<head><title>Corner shop</title></head>\r\n<body>\r\n\r\n"
      "<%' === INCLUDE FILE START ( <!-- #include file=\"menu.inc\" --> ) === %>\r\n"
      "<ul class=\"menu\">\r\n"
      "  <li><a href=\"/default.asp\">Home</a></li>\r\n"
      "  <li><a href=\"/shop/cart.asp\">Cart</a></li>\r\n"
      "  <li><a href=\"/about.asp\">About</a></li>\r\n"
      "</ul>\r\n\r\n"
      "<%' === INCLUDE FILE END ( <!-- #include file=\"menu.inc\" --> ) === %>\r\n\r\n\r\n"
      "<%' === INCLUDE FILE END ( <!-- #include virtual=\"/inc/header.inc\" --> ) === %>\r\n"
      "\r\n<h1>About us</h1>\r\n<p>Family run since 1952.</p>\r\n\r\n"
      "<%' === INCLUDE FILE START ( <!-- #include virtual=\"/inc/footer.inc\" --> ) === %>\r\n"
      "<p class=\"footer\">&copy; Corner shop</p>\r\n</body>\r\n</html>\r\n\r\n"
      "<%' === INCLUDE FILE END ( <!-- #include virtual=\"/inc/footer.inc\" --> ) === %>\r\n"
      "\r\n");
}

TEST(SampleSite, WarningsAndDependsNameTheCircularIncludeAndItsPage) {
  const Outcome warnings = Lintra({"warnings", "--root", Site, "account/login.asp"});
  EXPECT_EQ(warnings.status, 0);
  EXPECT_EQ(warnings.out,
            "File : account/login.asp\r\n\r\nCritical Errors\r\n===============\r\n\r\n"
            "security.inc (inc/security.inc)\r\n   Circular include error. \r\n\r\n"
            "\r\nNo warnings\r\n");
  const Outcome depends = Lintra({"depends", "--root", Site, "--changed", "inc/session.inc"});
  EXPECT_EQ(depends.status, 0);
  EXPECT_EQ(depends.out, "account/login.asp\n");
}

TEST(SampleSite, CheckFindsOneMissingOneCircularAndOneDuplicateInclude) {
  const Outcome text = Lintra({"check", "--root", Site});
  EXPECT_EQ(text.status, 1);
  EXPECT_EQ(text.err, "lintra: checked 5 pages: 1 missing, 1 circular, 2 duplicate includes\n");
  EXPECT_TRUE(text.out.starts_with(
      "File : account/login.asp\r\n\r\nCritical Errors\r\n===============\r\n\r\n"
      "security.inc (inc/security.inc)\r\n   Circular include error. \r\n\r\n"
      "\r\nNo warnings\r\n\r\nFile : default.asp\r\n"));
  EXPECT_TRUE(
      text.out.ends_with("File : shop/cart.asp\r\n\r\nCritical Errors\r\n"
                         "===============\r\n\r\ncart_totals.inc (cart_totals.inc)\r\n"
                         "   Error opening file. \r\n\r\n\r\nNo warnings\r\n"));

  const Outcome json = Lintra({"check", "--root", Site, "--format", "json"});
  EXPECT_EQ(json.status, 1);
  const Json document = Json::parse(json.out);
  Json findings = Json::array();
  for (const Json& page : document["pages"]) {
    for (const Json& finding : page["findings"]) findings.push_back(finding);
  }
  EXPECT_EQ(findings, Json::parse(R"([
    {"kind": "circular", "path": "inc/security.inc", "file": "inc/session.inc",
     "line": 1, "column": 1,
     "message": "Circular include: inc/security.inc is already among the files that include it"},
    {"kind": "duplicate", "path": "inc/menu.inc", "file": "inc/header.inc", "line": 4, "column": 1,
     "message": "Duplicate include: inc/menu.inc is included more than once in default.asp"},
    {"kind": "duplicate", "path": "inc/menu.inc", "file": "default.asp", "line": 6, "column": 1,
     "message": "Duplicate include: inc/menu.inc is included more than once in default.asp"},
    {"kind": "missing", "path": "cart_totals.inc", "file": "shop/cart.asp", "line": 6,
     "column": 1, "message":
     "Included file cart_totals.inc cannot be found: <!-- #include file=\"cart_totals.inc\" -->"}
  ])"));
  EXPECT_EQ(document["summary"],
            Json::parse(R"({"pages": 5, "missing": 1, "circular": 1, "duplicate": 2})"));
}

TEST(SampleSite, CheckSarifIsAWellFormedLogWhoseResultsUseTheirRulesAndPointAtDirectives) {
  const Outcome run = Lintra({"check", "--root", Site, "--format", "sarif"});
  EXPECT_EQ(run.status, 1);
  const Json log = Json::parse(run.out);
  EXPECT_EQ(log["version"], "2.1.0");
  EXPECT_TRUE(log["$schema"].is_string() && !log["$schema"].get<std::string>().empty());
  ASSERT_TRUE(log["runs"].is_array() && log["runs"].size() == 1);
  const Json& run0 = log["runs"][0];
  EXPECT_EQ(run0["tool"]["driver"]["name"], "lintra");
  std::set<std::string> ruleIds;
  for (const Json& rule : run0["tool"]["driver"]["rules"]) {
    ASSERT_TRUE(rule["id"].is_string());
    ruleIds.insert(rule["id"].get<std::string>());
  }
  EXPECT_EQ(ruleIds,
            (std::set<std::string>{"missing-include", "circular-include", "duplicate-include"}));
  std::multiset<std::string> found;
  for (const Json& result : run0["results"]) {
    const std::string ruleId = result["ruleId"].get<std::string>();
    EXPECT_TRUE(ruleIds.contains(ruleId)) << ruleId;
    ASSERT_FALSE(result["locations"].empty());
    for (const Json& location : result["locations"]) {
      const Json& physical = location["physicalLocation"];
      EXPECT_TRUE(physical["artifactLocation"]["uri"].is_string());
      EXPECT_GE(physical["region"]["startLine"].get<int>(), 1);
      EXPECT_GE(physical["region"]["startColumn"].get<int>(), 1);
    }
    found.insert(
        ruleId + " " +
        result["locations"][0]["physicalLocation"]["artifactLocation"]["uri"].get<std::string>());
  }
  EXPECT_EQ(found, (std::multiset<std::string>{
                       "circular-include inc/session.inc", "duplicate-include inc/header.inc",
                       "duplicate-include default.asp", "missing-include shop/cart.asp"}));
}
