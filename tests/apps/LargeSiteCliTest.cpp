#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/apps/CliRun.h"

namespace lintra {

TEST(LargeSite, TreeAndDependsReportEveryPageBeyondWhatSixteenBitsCount) {
  TempFolder site;
  // 4,000 pages of 11 files each, 44,000 nodes in all: the page, inc/common.inc and its 9 parts.
  std::string common;
  std::string commonDrawing = "|    \r\n" + Padded("\\--- common.inc") + "inc\r\n";
  for (int part = 1; part <= 9; ++part) {
    const std::string name = "part" + std::to_string(part) + ".inc";
    common += Include(name);
    site.Write("inc/" + name, "");
    commonDrawing +=
        "     |    \r\n" + Padded((part < 9 ? "     +--- " : "     \\--- ") + name) + "inc\r\n";
  }
  site.Write("inc/common.inc", common);
  std::vector<std::string> tree = {"tree", "--root", site.Path().string()};
  std::string listed;
  std::string drawn;
  for (int i = 0; i < 4000; ++i) {
    char page[16];
    std::snprintf(page, sizeof page, "p%04d.asp", i);
    site.Write(page, Include("inc/common.inc"));
    tree.push_back(page);
    listed += std::string(page) + "\n";
    drawn += Padded(page) + "\r\n" + commonDrawing + "\r\n\r\n";
  }
  // One file with more includes than 16 bits count is drawn whole as well.
  std::string wide;
  std::string wideDrawing = Padded("wide.asp") + "\r\n";
  for (int i = 1; i <= 33000; ++i) {
    wide += Include("x.inc");
    wideDrawing += "|    \r\n" + Padded(i < 33000 ? "+--- x.inc ! " : "\\--- x.inc ! ") + ".\r\n";
  }
  site.Write("wide.asp", wide);
  site.Write("x.inc", "");
  const std::string root = site.Path().string();
  // Output this large is compared whole, without a line-by-line difference on failure.
  for (const auto& [arguments, out] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"depends", "--root", root, "--changed", "inc/part9.inc"}, listed},
           {tree, drawn},
           {{"tree", "--root", root, "wide.asp"}, wideDrawing + "\r\n\r\n"}}) {
    const Outcome run = Lintra(arguments);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.size(), out.size()) << arguments[0];
    EXPECT_TRUE(run.out == out) << arguments[0];
  }
}

}  // namespace lintra
