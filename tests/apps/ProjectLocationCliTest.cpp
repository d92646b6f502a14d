#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/apps/CliRun.h"

namespace lintra {

using Json = nlohmann::json;

namespace {

// A repository whose web root is its folder web/, named by the lintra.toml at its top: a page
// that misses a file by a virtual path and reaches a header that misses one by a relative path.
void WriteRepository(const TempFolder& repository) {
  repository.Write("lintra.toml", "root = \"web\"\n\n[rules]\nexposed-include = \"off\"\n");
  repository.Write("web/default.asp",
                   Include("inc/header.inc") + "\r\n<!-- #include virtual=\"/gone.asp\" -->");
  repository.Write("web/inc/header.inc", "<h1>" + Include("menu.asp"));
  repository.Write("docs/notes.txt", "");
}

// The folders a check of WriteRepository's repository may run in, with the arguments it is given
// there.
std::vector<std::pair<std::filesystem::path, std::vector<std::string>>> Runs(
    const std::filesystem::path& top, const std::vector<std::string>& more) {
  std::vector<std::pair<std::filesystem::path, std::vector<std::string>>> runs = {
      {top, {"check"}},
      {top / "web", {"check"}},
      {top / "web/inc", {"check"}},
      {top / "docs", {"check"}},
      {top, {"check", "--root", "web"}},
      {"/", {"check", "--root", (top / "web").string()}}};
  for (auto& [folder, arguments] : runs)
    arguments.insert(arguments.end(), more.begin(), more.end());
  return runs;
}

}  // namespace

TEST(ProjectLocation, ChecksFromAnyFolderOfTheRepositoryNameTheSameRealFilesInEveryFormat) {
  TempFolder repository;
  WriteRepository(repository);
  const std::filesystem::path top = std::filesystem::canonical(repository.Path());
  for (const auto& [folder, arguments] : Runs(top, {})) {
    const Outcome run = LintraIn(folder, arguments);
    EXPECT_EQ(run.status, 1) << folder;
    EXPECT_EQ(run.out,
              "web/default.asp:2:1: error: include file not found: /gone.asp [missing-include] "
              "(ASP 0126; 1 page: web/default.asp)\n"
              "web/inc/header.inc:1:5: error: include file not found: menu.asp (inc/menu.asp) "
              "[missing-include] "
              "(ASP 0126; 1 page: web/default.asp)\n"
              "by rule: 2 missing-include\nchecked 1 page: 2 errors, 0 warnings, 0 notes\n")
        << folder;
  }
  for (const auto& [folder, arguments] : Runs(top, {"--format", "github"})) {
    EXPECT_EQ(LintraIn(folder, arguments).out,
              "::error file=web/default.asp,line=2,col=1,endLine=2,endColumn=38,"
              "title=missing-include (ASP 0126)::include file not found: /gone.asp (ASP 0126; 1 "
              "page: web/default.asp)\n"
              "::error file=web/inc/header.inc,line=1,col=5,endLine=1,endColumn=38,"
              "title=missing-include (ASP 0126)::include file not found: menu.asp (inc/menu.asp) "
              "(ASP 0126; 1 "
              "page: web/default.asp)\n")
        << folder;
  }
  for (const auto& [folder, arguments] : Runs(top, {"--format", "json"})) {
    const Json document = Json::parse(LintraIn(folder, arguments).out);
    EXPECT_EQ(document["root"], (top / "web").string());
    EXPECT_EQ(document["base"], top.string());
    const Json& header = document["findings"][1];
    EXPECT_EQ(header["file"], "web/inc/header.inc");
    EXPECT_EQ(header["page"], "web/default.asp");
    EXPECT_EQ(header["chain"][0]["file"], "web/default.asp");
  }
  for (const auto& [folder, arguments] : Runs(top, {"--format", "sarif"})) {
    const Json run = Json::parse(LintraIn(folder, arguments).out)["runs"][0];
    EXPECT_EQ(run["originalUriBaseIds"]["SRCROOT"]["uri"], "file://" + top.string() + "/");
    const Json& header = run["results"][1];
    EXPECT_EQ(header["locations"][0]["physicalLocation"]["artifactLocation"]["uri"],
              "web/inc/header.inc");
    EXPECT_EQ(header["relatedLocations"][0]["physicalLocation"]["artifactLocation"]["uri"],
              "web/default.asp");
    EXPECT_EQ(header["relatedLocations"][0]["message"]["text"], "included from web/default.asp");
    for (const Json& rule : run["tool"]["driver"]["rules"]) {
      EXPECT_FALSE(rule.contains("helpUri")) << rule["id"];
    }
  }
}

TEST(ProjectLocation, EveryLocationIsTheRealPathFromTheBaseVirtualDirectoriesIncluded) {
  TempFolder repository;
  repository.Write("lintra.toml", "root = \"web\"\n[virtual-directories]\n\"/shared\" = \"lib\"\n");
  repository.Write("web/default.asp", "<!-- #include virtual=\"/shared/util.asp\" -->");
  repository.Write("lib/util.asp", "<p>\r\n" + Include("gone.asp"));
  const std::filesystem::path top = std::filesystem::canonical(repository.Path());
  const std::vector<std::string> check = {"check", "/default.asp", "--format"};
  std::vector<std::string> text = check;
  text.back() = "--all-places";
  EXPECT_EQ(FindingLines(LintraIn(top, text).out),
            "lib/util.asp:2:1: error: include file not found: gone.asp (shared/gone.asp) "
            "[missing-include] (ASP "
            "0126; 1 page: web/default.asp)\n"
            "by rule: 1 missing-include\nchecked 1 page: 1 error, 0 warnings, 0 notes\n");
  std::vector<std::string> github = check;
  github.push_back("github");
  EXPECT_EQ(LintraIn(top, github).out.substr(0, 33), "::error file=lib/util.asp,line=2,");
  std::vector<std::string> sarif = check;
  sarif.push_back("sarif");
  const Json result = Json::parse(LintraIn(top, sarif).out)["runs"][0]["results"][0];
  EXPECT_EQ(result["locations"][0]["physicalLocation"]["artifactLocation"]["uri"], "lib/util.asp");
  std::vector<std::string> json = check;
  json.push_back("json");
  const Json finding = Json::parse(LintraIn(top, json).out)["findings"][0];
  EXPECT_EQ(finding["file"], "lib/util.asp");
  EXPECT_EQ(finding["page"], "web/default.asp");
  EXPECT_EQ(finding["chain"][0]["file"], "web/default.asp");
}

TEST(ProjectLocation, WithoutConfigurationPathsAreRelativeToTheRepositoryTopOrElseTheRoot) {
  TempFolder repository;
  repository.Write("site/page.asp", Include("gone.asp"));
  const std::filesystem::path top = std::filesystem::canonical(repository.Path());
  const std::string finding =
      "page.asp:1:1: error: include file not found: gone.asp [missing-include] (ASP 0126; 1 "
      "page: ";
  EXPECT_EQ(
      LintraIn(top / "site", {"check"}).out,
      finding +
          "page.asp)\nby rule: 1 missing-include\nchecked 1 page: 1 error, 0 warnings, 0 notes\n");
  repository.Write(".git", "gitdir: elsewhere\n");
  EXPECT_EQ(LintraIn(top / "site", {"check"}).out,
            "site/" + finding +
                "site/page.asp)\nby rule: 1 missing-include\nchecked 1 page: 1 error, 0 warnings, "
                "0 notes\n");
  EXPECT_EQ(LintraIn("/", {"check", "--root", (top / "site").string()}).out,
            "site/" + finding +
                "site/page.asp)\nby rule: 1 missing-include\nchecked 1 page: 1 error, 0 warnings, "
                "0 notes\n");
}

TEST(ProjectLocation, ABaselineWrittenFromTheWebRootStillMatchesFromTheRepository) {
  TempFolder repository;
  WriteRepository(repository);
  std::filesystem::rename(repository.Path() / "lintra.toml", repository.Path() / "old.toml");
  const std::string baseline = (repository.Path() / "baseline.json").string();
  EXPECT_EQ(LintraIn(repository.Path() / "web", {"check", "--write-baseline", baseline}).status, 1);
  std::filesystem::rename(repository.Path() / "old.toml", repository.Path() / "lintra.toml");
  for (const auto& [folder, arguments] : Runs(repository.Path(), {"--baseline", baseline})) {
    EXPECT_EQ(LintraIn(folder, arguments).out,
              "checked 1 page: 0 errors, 0 warnings, 0 notes (2 findings of the baseline left "
              "out)\n")
        << folder;
  }
  LintraIn(repository.Path(), {"check", "--write-baseline", baseline});
  EXPECT_EQ(Json::parse(Slurp(baseline))["findings"][1]["file"], "web/inc/header.inc");
}

}  // namespace lintra
