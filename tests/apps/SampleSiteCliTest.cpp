#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "tests/apps/CliRun.h"

using Json = nlohmann::json;

// The bundled sample site, which shows a missing, a circular and a duplicate include among pages
// at the root and in subfolders, as complete and the JSON check report see it.

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

TEST(SampleSite, CheckJsonLocatesEachFindingInTheFileThatHoldsItsDirective) {
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
