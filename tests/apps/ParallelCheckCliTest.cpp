#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "tests/apps/CliRun.h"

namespace lintra {

namespace {

// A site of 240 pages over 40 shared files, with findings of every kind in pages spread through
// the list: missing files, a cycle, duplicates, and pages whose includes explode past the
// request limit of the runs below and fail.
void WriteMixedSite(const TempFolder& site) {
  for (int file = 0; file < 40; ++file) {
    std::string text = "<p>part " + std::to_string(file) + "</p>\r\n";
    if (file % 9 == 0) text += Include("gone" + std::to_string(file) + ".inc") + "\r\n";
    if (file % 10 == 3) text += Include("part" + std::to_string(file + 1) + ".inc") + "\r\n";
    site.Write("inc/part" + std::to_string(file) + ".inc", text);
  }
  site.Write("inc/loop.inc", Include("part2.inc") + Include("loop.inc"));
  site.Write("inc/boom.inc", Include("boom2.inc") + Include("boom2.inc"));
  site.Write("inc/boom2.inc", Include("boom3.inc") + Include("boom3.inc"));
  site.Write("inc/boom3.inc", Include("boom4.inc") + Include("boom4.inc"));
  site.Write("inc/boom4.inc", Include("part1.inc") + Include("part1.inc"));
  for (int page = 0; page < 240; ++page) {
    std::string text = "<html>\r\n";
    for (int k = 0; k < 1 + page % 6; ++k) {
      text += Include("inc/part" + std::to_string((page * 7 + k * 11) % 40) + ".inc") + "\r\n";
    }
    if (page % 37 == 5) text += Include("inc/loop.inc");
    if (page % 53 == 20) text += Include("inc/boom.inc");
    site.Write("p" + std::to_string(page) + ".asp", text);
  }
}

}  // namespace

TEST(ParallelCheck, ReportsWithSeveralJobsExactlyWhatOneJobReports) {
  TempFolder site;
  WriteMixedSite(site);
  for (const char* format : {"text", "json", "sarif"}) {
    const auto check = [&](const char* jobs) {
      return Lintra({"check", "--root", site.Path().string(), "--format", format, "--max-files",
                     "20", "--jobs", jobs});
    };
    const Outcome alone = check("1");
    EXPECT_EQ(alone.status, 3) << format;
    EXPECT_EQ(Occurrences(alone.err, "aborted after 20 file requests"), 5u) << format;
    for (const char* jobs : {"2", "3", "8"}) {
      const Outcome together = check(jobs);
      EXPECT_EQ(together.status, alone.status) << format << " " << jobs;
      EXPECT_TRUE(together.out == alone.out) << format << " " << jobs;
      EXPECT_EQ(together.err, alone.err) << format << " " << jobs;
    }
  }
}

TEST(ParallelCheck, ReportsASinglePageAlikeWhateverTheJobs) {
  TempFolder site;
  const std::string declarations = "<%\r\nDim total\r\nConst RATE = 2\r\n%>\r\n";
  site.Write("inc/decl.inc", declarations);
  site.Write("inc/subs.inc", "<%\r\nSub Log(message)\r\n  Dim line\r\nEnd Sub\r\n%>\r\n");
  site.Write("inc/loop.inc", Include("loop.inc"));
  site.Write("inc/spare.inc", "<p>spare</p>");
  std::string page = "<html>\r\n";
  for (int i = 0; i < 300; ++i) {
    page += Include(i % 3 == 0 ? "inc/decl.inc" : i % 3 == 1 ? "inc/subs.inc" : "inc/GONE.inc");
  }
  site.Write("page.asp", page + Include("inc/loop.inc") + Include("../up.inc"));
  site.Write("wide.asp", page);
  const std::string found =
      Lintra({"check", "--root", site.Path().string(), "--all-places", "page.asp"}).out;
  EXPECT_EQ(Occurrences(found, "[name-redefined]"), 99u);
  EXPECT_EQ(Occurrences(found, "[duplicate-include]"), 99u);
  // ../up.inc is refused for its parent path, not looked for.
  EXPECT_EQ(Occurrences(found, "[missing-include]"), 100u);
  EXPECT_EQ(Occurrences(found, "[parent-path]"), 1u);
  for (const char* format : {"text", "json", "sarif"}) {
    // The page alone and the whole site of two pages; then a page that fails past the request
    // limit.
    for (const std::vector<std::string>& pages : std::vector<std::vector<std::string>>{
             {"page.asp"}, {}, {"--max-files", "50", "page.asp"}}) {
      const auto check = [&](const char* jobs) {
        std::vector<std::string> arguments = {
            "check", "--root", site.Path().string(), "--format", format, "--jobs", jobs};
        arguments.insert(arguments.end(), pages.begin(), pages.end());
        return Lintra(arguments);
      };
      const Outcome alone = check("1");
      EXPECT_EQ(alone.status, pages.size() == 3 ? 3 : 1) << format << " " << pages.size();
      const Outcome together = check("2");
      EXPECT_EQ(together.status, alone.status) << format << " " << pages.size();
      EXPECT_TRUE(together.out == alone.out) << format << " " << pages.size();
      EXPECT_EQ(together.err, alone.err) << format << " " << pages.size();
    }
  }
}

TEST(ParallelCheck, WritesTheSameReportPageWithSeveralJobsAsWithOne) {
  TempFolder site;
  WriteMixedSite(site);
  // The page differs only in the time the analysis took.
  const auto page = [&](const char* jobs) {
    const Outcome run = Lintra({"report", "--output", "-", "--root", site.Path().string(),
                                "--max-files", "20", "--jobs", jobs});
    EXPECT_EQ(run.status, 3) << jobs;
    return std::regex_replace(run.out, std::regex(R"("count-time">[0-9.]+ m?s<)"), "@time@");
  };
  const std::string alone = page("1");
  EXPECT_EQ(Occurrences(alone, "@time@"), 1u);
  EXPECT_TRUE(page("3") == alone);
}

}  // namespace lintra
