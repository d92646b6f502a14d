#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "tests/apps/CliRun.h"

namespace lintra {

namespace fs = std::filesystem;
using namespace std::string_view_literals;

TEST(FileSupply, CompleteWritesEveryFilesOwnBytesBackWhateverItsEncoding) {
  TempFolder site;
  site.Write("page.asp", "\xEF\xBB\xBFhi " + Include("latin.inc") + Include("gbk.inc") +
                             Include("le.inc") + Include("be.inc") + Include("caf\xE9.inc"));
  site.Write("latin.inc", "caf\xE9 \x93q\x94 caf\xC3\xA9");
  site.Write("gbk.inc", "\xD6\xD0\xCE\xC4");
  site.Write("le.inc", "\xFF\xFEL\0\xE9\0"sv);
  site.Write("be.inc", "\xFE\xFF\0B\x20\xAC"sv);
  site.Write("caf\xE9.inc", "named in Windows-1252");
  const std::string root = site.Path().string();
  const std::string after = Expanded(Include("le.inc"), "L\xC3\xA9") +
                            Expanded(Include("be.inc"), "B\xE2\x82\xAC") +
                            Expanded(Include("caf\xE9.inc"), "named in Windows-1252");

  const Outcome bytes = Lintra({"complete", "--root", root, "page.asp"});
  EXPECT_EQ(bytes.status, 0);
  EXPECT_EQ(bytes.out, "\xEF\xBB\xBFhi " +
                           Expanded(Include("latin.inc"), "caf\xE9 \x93q\x94 caf\xC3\xA9") +
                           Expanded(Include("gbk.inc"), "\xD6\xD0\xCE\xC4") + after);

  const Outcome windows1252 =
      Lintra({"complete", "--root", root, "--encoding", "windows-1252", "page.asp"});
  EXPECT_EQ(windows1252.status, 0);
  EXPECT_EQ(windows1252.out,
            "\xEF\xBB\xBFhi " +
                Expanded(Include("latin.inc"),
                         "caf\xC3\xA9 \xE2\x80\x9Cq\xE2\x80\x9D caf\xC3\x83\xC2\xA9") +
                Expanded(Include("gbk.inc"), "\xC3\x96\xC3\x90\xC3\x8E\xC3\x84") +
                Expanded(Include("le.inc"), "L\xC3\xA9") +
                Expanded(Include("be.inc"), "B\xE2\x82\xAC") +
                Failed("<!-- #include file=\"caf\xC3\xA9.inc\" -->", "caf\xC3\xA9.inc"));

  const Outcome gbk = Lintra({"complete", "--root", root, "--encoding", "GBK", "gbk.inc"});
  EXPECT_EQ(gbk.status, 0);
  EXPECT_EQ(gbk.out, "\xE4\xB8\xAD\xE6\x96\x87");
}

TEST(FileSupply, JsonCarriesValidUtf8ForBytesThatAreNotUtf8) {
  TempFolder site;
  site.Write("page.asp", Include("gon\xE9.inc"));
  const std::string root = site.Path().string();
  const Outcome bytes = Lintra({"check", "--root", root, "--format", "json"});
  EXPECT_EQ(bytes.status, 1);
  const nlohmann::json escaped = nlohmann::json::parse(bytes.out);
  EXPECT_EQ(escaped["findings"][0]["message"],
            "include file not found: gon\\xE9.inc; the path is not UTF-8: if the file is "
            "there, give the site's code page (--encoding, or encoding in lintra.toml)");
  const Outcome decoded =
      Lintra({"check", "--root", root, "--format", "json", "--encoding", "windows-1252"});
  const nlohmann::json readable = nlohmann::json::parse(decoded.out);
  EXPECT_EQ(readable["findings"][0]["message"], "include file not found: gon\xC3\xA9.inc");
}

// A SARIF location is a URI, which can carry any byte: a name that is not UTF-8 keeps its own
// bytes there, so that a viewer opens the file, where the other formats show "\xE9".
TEST(FileSupply, SarifUrisKeepTheBytesOfNamesThatAreNotUtf8) {
  TempFolder site;
  site.Write("caf\xE9/p\xE1gina.asp", Include("menu.inc"));
  site.Write("caf\xC3\xA9.asp", Include("menu.inc"));
  const Outcome sarif = Lintra({"check", "--root", site.Path().string(), "--format", "sarif"});
  EXPECT_EQ(sarif.status, 1);
  const nlohmann::json log = nlohmann::json::parse(sarif.out);
  std::vector<std::string> uris;
  for (const nlohmann::json& result : log["runs"][0]["results"]) {
    uris.push_back(result["locations"][0]["physicalLocation"]["artifactLocation"]["uri"]);
  }
  EXPECT_EQ(uris, (std::vector<std::string>{"caf%C3%A9.asp", "caf%E9/p%E1gina.asp"}));
}

// Every output that names a file for people writes a byte that is not UTF-8 as "\xBD", the
// report's way: two names that differ only in such bytes stay two names, and a file is named alike
// by check's text, its JSON, the report and includers.
TEST(FileSupply, EveryOutputNamesAFileThatIsNotUtf8TheOneReadableWay) {
  TempFolder site;
  site.Write("p\xBD.asp", Include("lib\xBD.inc") + Include("gone\xBD.inc"));
  site.Write("p\xBE.asp", Include("gone\xBE.inc"));
  site.Write("lib\xBD.inc", "<p>lib</p>");
  const std::string root = site.Path().string();
  const std::string notUtf8 =
      "; the path is not UTF-8: if the file is there, give the site's "
      "code page (--encoding, or encoding in lintra.toml)";

  const Outcome text = Lintra({"check", "--root", root});
  EXPECT_EQ(text.status, 1);
  EXPECT_NE(text.out.find("p\\xBD.asp:1:34: error: include file not found: gone\\xBD.inc" +
                          notUtf8 + " [missing-include] (ASP 0126; 1 page: p\\xBD.asp)\n"),
            std::string::npos)
      << text.out;
  EXPECT_NE(text.out.find("p\\xBE.asp:1:1: error: include file not found: gone\\xBE.inc"),
            std::string::npos)
      << text.out;

  const nlohmann::json json =
      nlohmann::json::parse(Lintra({"check", "--root", root, "--format", "json"}).out);
  std::vector<std::string> named;
  for (const nlohmann::json& finding : json["findings"]) {
    named.push_back(finding["file"].get<std::string>() + " " + finding["page"].get<std::string>() +
                    " " + finding["message"].get<std::string>());
  }
  EXPECT_EQ(named, (std::vector<std::string>{
                       "p\\xBD.asp p\\xBD.asp include file not found: gone\\xBD.inc" + notUtf8,
                       "p\\xBE.asp p\\xBE.asp include file not found: gone\\xBE.inc" + notUtf8}));

  const Outcome report = Lintra({"report", "--output", "-", "--root", root});
  EXPECT_EQ(ReportData(report.out)["files"],
            nlohmann::json::parse(
                R"(["p\\xBD.asp","lib\\xBD.inc","gone\\xBD.inc","p\\xBE.asp","gone\\xBE.inc"])"));

  const Outcome includers = Lintra({"includers", "--root", root, "lib\xBD.inc"});
  EXPECT_EQ(includers.status, 0);
  EXPECT_EQ(includers.out, "p\\xBD.asp:1\n\np\\xBD.asp\n");

  for (const std::string& out : {text.out, includers.out, report.out}) {
    EXPECT_EQ(out.find_first_of("\xBD\xBE"), std::string::npos) << out;
  }
}

TEST(FileSupply, CanonicalPathsMakeTwoSpellingsOfOneFileTheSameFile) {
  TempFolder site;
  site.Write("inc/a.inc", "");
  fs::create_directory_symlink("inc", site.Path() / "alias");
  site.Write("p.asp", Include("inc/a.inc") + Include("ALIAS/A.INC"));
  const std::string root = site.Path().string();
  const Outcome asWritten = Lintra({"tree", "--root", root, "p.asp"});
  EXPECT_EQ(asWritten.status, 0);
  EXPECT_EQ(asWritten.out,
            "p.asp                                   \r\n"
            "|    \r\n"
            "+--- a.inc                              inc\r\n"
            "|    \r\n"
            "\\--- A.INC                              ALIAS\r\n"
            "\r\n\r\n");
  const Outcome canonical = Lintra({"tree", "--root", root, "--canonical-paths", "p.asp"});
  EXPECT_EQ(canonical.status, 0);
  EXPECT_EQ(canonical.out,
            "p.asp                                   \r\n"
            "|    \r\n"
            "+--- a.inc !                            inc\r\n"
            "|    \r\n"
            "\\--- a.inc !                            inc\r\n"
            "\r\n\r\n");
}

}  // namespace lintra
