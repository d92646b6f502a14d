#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/apps/CliRun.h"

namespace lintra {

namespace {

// A page with a duplicate include of a file of server code and a missing include.
void WriteFindingsSite(const TempFolder& site, const std::string& config) {
  site.Write("page.asp",
             Include("a.inc") + "\r\n" + Include("a.inc") + "\r\n" + Include("gone.inc"));
  site.Write("a.inc", "<% x = 1 %>");
  site.Write("lintra.toml", config);
}

}  // namespace

TEST(ProjectConfig, RuleSeveritiesChangeOrSilenceFindings) {
  TempFolder site;
  WriteFindingsSite(site,
                    "[rules]\nduplicate-include = \"off\"\nmissing-include = \"warning\"\n"
                    "exposed-include = \"error\"\n");
  const Outcome run = Lintra({"check", "--root", site.Path().string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "a.inc: error: exposed include: a.inc holds server code; IIS 6 and later refuse .inc "
            "files, but IIS 5 and a server that sends any extension show its source "
            "[exposed-include] (1 page: page.asp)\n"
            "page.asp:3:1: warning: include file not found: gone.inc [missing-include] (ASP 0126; "
            "1 page: page.asp)\n"
            "by rule: 1 exposed-include, 1 missing-include\n"
            "checked 1 page: 1 error, 1 warning, 0 notes\n");
}

TEST(ProjectConfig, TheServedExtensionsDecideWhichExposedIncludesAreWarnings) {
  TempFolder site;
  const std::string sent =
      "a.inc: warning: exposed include: a.inc holds server code, and the server sends .inc "
      "files as they are, so its source can be downloaded [exposed-include] (1 page: page.asp)\n";
  for (const std::string& config : {std::string("serve-any-extension = true\n"),
                                    std::string("served-extensions = [\".INC\"]\n")}) {
    WriteFindingsSite(site, config + "[rules]\nduplicate-include = \"off\"\n");
    EXPECT_EQ(Lintra({"check", "--root", site.Path().string(), "page.asp"}).out,
              sent +
                  "page.asp:3:1: error: include file not found: gone.inc [missing-include] (ASP "
                  "0126; 1 page: page.asp)\n"
                  "by rule: 1 missing-include, 1 exposed-include\n"
                  "checked 1 page: 1 error, 1 warning, 0 notes\n")
        << config;
  }
}

TEST(ProjectConfig, ABadFileEndsTheRunWithOneLineNamingItsPlaceAndProblem) {
  TempFolder site;
  site.Write("sub/notes.txt", "");
  const std::string file = (std::filesystem::canonical(site.Path()) / "lintra.toml").string();
  struct Case {
    std::string config;
    std::string error;
  };
  for (const Case& bad : std::vector<Case>{
           {"pages = \"page.asp\"\n", "1:9: pages must be an array of strings"},
           {"exclude = [\"old\", 3]\n", "1:19: exclude must be an array of strings"},
           {"parent-paths = yes\n",
            "1:16: Error while parsing value: could not determine value type"},
           {"colour = \"red\"\n",
            "1:10: unknown setting colour (the settings are root, pages, exclude, encoding, "
            "parent-paths, include-extensions, non-script-extensions, served-extensions, "
            "serve-any-extension, virtual-directories, rules)"},
           {"serve-any-extension = \"yes\"\n", "1:23: serve-any-extension must be true or false"},
           {"served-extensions = [\"txt\"]\n",
            "1:21: served-extensions must list extensions with their dot, as \".inc\", not "
            "\"txt\""},
           {"encoding = \"klingon\"\n", "1:12: unknown encoding klingon (see iconv --list)"},
           {"root = 3\n", "1:8: root must be a string"},
           {"root = \"nowhere\"\n", "1:8: the root nowhere does not exist"},
           {"root = \"page.asp\"\n", "1:8: the root page.asp is no folder"},
           {"root = \"sub/..\"\n", ""},
           {"root = \"..\"\n", "1:8: the root .. lies outside the folder of lintra.toml"},
           {"include-extensions = [\"inc\"]\n",
            "1:22: include-extensions must list extensions with their dot, as \".inc\", not "
            "\"inc\""},
           {"\n[rules]\nno-such-rule = \"off\"\n", "3:16: unknown rule no-such-rule"},
           {"[rules]\nmissing-include = \"fatal\"\n",
            "2:19: rules.missing-include must be \"error\", \"warning\", \"note\" or \"off\""},
           {"[virtual-directories]\n\"/shared\" = \"../nowhere\"\n",
            "2:13: the folder ../nowhere of the virtual directory /shared does not exist "
            "(relative folders are relative to lintra.toml)"},
           {"[virtual-directories]\n\"a/b\" = \".\"\n",
            "2:9: a virtual directory is one folder below the root, as \"/shared\", not "
            "\"a/b\""}}) {
    WriteFindingsSite(site, bad.config);
    if (bad.error.empty()) {
      EXPECT_EQ(LintraIn(site.Path() / "sub", {"tree", "page.asp"}).status, 0);
      continue;
    }
    for (const Outcome& run : {Lintra({"check", "--root", site.Path().string(), "page.asp"}),
                               Lintra({"tree", "--root", site.Path().string(), "page.asp"}),
                               LintraIn(site.Path() / "sub", {"check"})}) {
      EXPECT_EQ(run.status, 2) << bad.config;
      EXPECT_EQ(run.out, "");
      EXPECT_EQ(run.err, "lintra: " + file + ":" + bad.error + "\n");
    }
  }
}

TEST(ProjectConfig, TheCommandLineOverridesPagesExclusionsAndEncoding) {
  TempFolder site;
  site.Write("keep.asp", "");
  site.Write("old/page.asp", Include("gone.inc"));
  site.Write("latin.asp", Include("caf\xE9.inc"));
  site.Write("lintra.toml", "exclude = [\"old\"]\npages = [\"keep.asp\"]\nencoding = \"GBK\"\n");
  const std::string root = site.Path().string();
  EXPECT_EQ(Lintra({"check", "--root", root}).out,
            "checked 1 page: 0 errors, 0 warnings, 0 notes\n");
  EXPECT_EQ(Lintra({"check", "--root", root, "old/page.asp", "--exclude", "none"}).status, 1);
  site.Write("lintra.toml", "exclude = [\"old\"]\nencoding = \"windows-1252\"\n");
  EXPECT_EQ(Lintra({"check", "--root", root}).out,
            "latin.asp:1:1: error: include file not found: caf\xC3\xA9.inc [missing-include] "
            "(ASP 0126; 1 page: latin.asp)\n"
            "by rule: 1 missing-include\n"
            "checked 2 pages: 1 error, 0 warnings, 0 notes\n");
}

TEST(ProjectConfig, ExcludesComposeTheCommandLineReplacingExtendingOrIgnoringTheFile) {
  TempFolder site;
  site.Write("keep.asp", "");
  site.Write("old/page.asp", Include("gone.inc"));
  site.Write("docs/page.asp", Include("gone.inc"));
  site.Write("lintra.toml", "exclude = [\"old\"]\n");
  const std::string root = site.Path().string();
  const auto pages = [&](std::vector<std::string> more) {
    std::vector<std::string> arguments = {"check", "--root", root};
    arguments.insert(arguments.end(), more.begin(), more.end());
    const Outcome run = Lintra(arguments);
    const std::string why = "lintra: 1 error found\n";
    const std::string err =
        run.err.ends_with(why) ? run.err.substr(0, run.err.size() - why.size()) : run.err;
    return err + run.out.substr(0, run.out.find(':'));
  };
  EXPECT_EQ(pages({}), "docs/page.asp");
  EXPECT_EQ(pages({"--exclude", "docs"}), "old/page.asp");
  EXPECT_EQ(pages({"--extend-exclude", "docs"}), "checked 1 page");
  EXPECT_EQ(pages({"--no-config", "--extend-exclude", "docs"}), "old/page.asp");
  EXPECT_EQ(pages({"--no-config", "--exclude", "old"}), "docs/page.asp");
  // Only the globs of the command line are warned of when they leave out nothing.
  EXPECT_EQ(pages({"keep.asp"}), "checked 1 page");
  EXPECT_EQ(pages({"keep.asp", "--extend-exclude", "none"}),
            "lintra: warning: --extend-exclude none leaves out no file or folder\nchecked 1 page");
  EXPECT_EQ(pages({"keep.asp", "--exclude", "old"}),
            "lintra: warning: --exclude old leaves out no file or folder\nchecked 1 page");
  site.Write("lintra.toml", "exclude = [\"*\"]\n");
  EXPECT_EQ(pages({}), "lintra: no page to analyse: the excludes leave out every page\n");
}

TEST(ProjectConfig, AVirtualDirectoryIsServedFromItsFolderAndNothingBeyondIt) {
  TempFolder temp;
  temp.Write("site/page.asp", "<!-- #include virtual=\"/shared/lib.inc\" -->");
  temp.Write("shared/lib.inc",
             "LIB<!-- #include virtual=\"/shared/../../secret.txt\" -->"
             "<!-- #include virtual=\"/Shared/part.inc\" -->");
  temp.Write("shared/part.inc", "PART");
  temp.Write("secret.txt", "SECRET");
  const std::string root = (temp.Path() / "site").string();
  EXPECT_EQ(Lintra({"complete", "--root", root, "page.asp"}).out,
            Failed("<!-- #include virtual=\"/shared/lib.inc\" -->", "lib.inc"));
  temp.Write("site/lintra.toml", "[virtual-directories]\n\"/shared\" = \"../shared\"\n");
  const Outcome complete = Lintra({"complete", "--root", root, "page.asp"});
  EXPECT_EQ(complete.status, 0);
  EXPECT_NE(complete.out.find("LIB"), std::string::npos);
  EXPECT_NE(complete.out.find("PART"), std::string::npos);
  EXPECT_EQ(complete.out.find("SECRET"), std::string::npos);
}

// IIS finds a virtual directory by its configured name whatever its letter case; the names below
// it are the disk's, whose case still matters.
TEST(ProjectConfig, TheLetterCaseOfAVirtualDirectorysNameIsNoCaseMismatch) {
  TempFolder temp;
  temp.Write("site/lintra.toml", "[virtual-directories]\n\"/shared\" = \"../shared\"\n");
  temp.Write("shared/part.inc", "<p>part</p>");
  temp.Write("site/page.asp",
             "<!-- #include virtual=\"/Shared/part.inc\" -->\r\n"
             "<!-- #include virtual=\"/shared/PART.inc\" -->\r\n");
  const std::string out = Lintra({"check", "--root", (temp.Path() / "site").string()}).out;
  EXPECT_EQ(out.find("Shared/part.inc is spelt"), std::string::npos) << out;
  EXPECT_NE(out.find("page.asp:2:1: warning: case mismatch: shared/PART.inc is spelt "
                     "shared/part.inc on disk"),
            std::string::npos)
      << out;
}

// IIS often maps a virtual directory to a folder of the site itself ("/lib" served from
// "shared"): a file there is one file, named by its path below the root, whether a directive
// reaches it through the virtual directory or not. One outside the root keeps its web name.
TEST(ProjectConfig, AFileOfAVirtualDirectoryBelowTheRootIsOneFile) {
  TempFolder temp;
  temp.Write("site/lintra.toml",
             "[virtual-directories]\n\"/lib\" = \"shared\"\n\"/ext\" = \"../ext\"\n");
  temp.Write("site/shared/menu.inc", "<% Sub Menu() : Response.Write 1 : End Sub %>");
  temp.Write("ext/part.inc", "<% Sub Part() : Response.Write 2 : End Sub %>");
  temp.Write("site/page.asp",
             "<!-- #include virtual=\"/lib/menu.inc\" -->\r\n"
             "<!-- #include virtual=\"/ext/part.inc\" -->\r\n<% Menu : Part %>");
  const std::string root = (temp.Path() / "site").string();
  const auto run = [&](std::vector<std::string> arguments) {
    arguments.insert(arguments.begin() + 1, {"--root", root});
    return Lintra(arguments).out;
  };
  EXPECT_EQ(run({"check", "--format", "json"}).find("\"rule\": \"unused-file\""),
            std::string::npos);
  temp.Write("site/other.asp", Include("shared/menu.inc") + "<% Menu %>");
  EXPECT_EQ(run({"includers", "shared/menu.inc"}),
            "other.asp:1\npage.asp:1\n\nother.asp\npage.asp\n");
  EXPECT_EQ(run({"depends", "--canonical-paths", "--changed", "shared/menu.inc"}),
            "other.asp\npage.asp\n");
  EXPECT_EQ(run({"includers", "ext/part.inc"}), "page.asp:2\n\npage.asp\n");
  EXPECT_EQ(run({"depends", "--changed", "EXT/part.inc"}), "page.asp\n");
  EXPECT_EQ(Lintra({"includers", "--root", root, "ext/gone.inc"}).err,
            "lintra: file ext/gone.inc does not exist in " + root + "\n");
  EXPECT_NE(run({"graph", "--format", "mermaid", "page.asp"})
                .find("  n1[\"shared/menu.inc\"]\n  n2[\"ext/part.inc\"]\n"),
            std::string::npos);
}

}  // namespace lintra
