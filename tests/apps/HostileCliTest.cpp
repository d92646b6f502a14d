#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include <random>
#include <string>
#include <thread>
#include <vector>

#include "tests/apps/CliRun.h"

namespace lintra {

namespace fs = std::filesystem;
using namespace std::string_view_literals;

namespace {

// A project folder root/ inside a temporary folder that also holds, beside it, a file the
// project must never read.
class HostileSite : public testing::Test {
 protected:
  HostileSite() {
    temp.Write("secret.inc", "TOP-SECRET-CONTENT");
    fs::create_directory(temp.Path() / "root");
  }
  std::string Root() const { return (temp.Path() / "root").string(); }
  void Write(const std::string& relative, std::string_view bytes) const {
    temp.Write("root/" + relative, bytes);
  }

  TempFolder temp;
};

}  // namespace

TEST_F(HostileSite, DeepChainsAndLongCyclesAreFollowedToTheEnd) {
  constexpr int kDepth = 10000;
  Write("chain.asp", Include("c1.inc"));
  for (int i = 1; i < kDepth; ++i) {
    Write("c" + std::to_string(i) + ".inc", Include("c" + std::to_string(i + 1) + ".inc"));
  }
  Write("c" + std::to_string(kDepth) + ".inc", "end");
  Write("cycle.asp", Include("s1.inc"));
  for (int i = 1; i < 500; ++i) {
    Write("s" + std::to_string(i) + ".inc", Include("s" + std::to_string(i + 1) + ".inc"));
  }
  Write("s500.inc", Include("cycle.asp"));
  // Each of the 10,000 files would be an exposed include: a report about the depth, not the rule.
  Write("lintra.toml", "[rules]\nexposed-include = \"off\"\n");

  const Outcome check = Lintra({"check", "--root", Root(), "chain.asp"});
  EXPECT_EQ(check.status, 0);
  EXPECT_EQ(check.out, "checked 1 page: 0 errors, 0 warnings, 0 notes\n");

  const Outcome cycle = Lintra({"warnings", "--root", Root(), "cycle.asp"});
  EXPECT_EQ(cycle.status, 0);
  EXPECT_EQ(cycle.out,
            "File : cycle.asp\r\n\r\nCritical Errors\r\n===============\r\n\r\n"
            "cycle.asp (cycle.asp)\r\n   Circular include error. \r\n\r\n\r\nNo warnings\r\n");
}

TEST_F(HostileSite, HugeRandomAndBrokenUtf16FilesAreReadWhole) {
  std::string huge = Include("a.inc") + "\r\n";
  while (huge.size() < (size_t{50} << 20)) huge += std::string(1000, 'x') + "\r\n";
  Write("huge.asp", huge + Include("gone.inc"));
  Write("a.inc", "A");

  std::mt19937 random(11);
  std::string noise = Include("a.inc");
  for (int i = 0; i < 1'000'000; ++i) noise += static_cast<char>(random());
  Write("noise.asp", noise);

  const std::u16string units = u"\xD800" + std::u16string(u"<!-- #include file=\"") + u"\xDC00" +
                               u"x.inc\" --><!-- #include file=\"a.inc\" -->\xDBFF";
  std::string utf16 = "\xFF\xFE";
  for (char16_t unit : units)
    utf16 += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  Write("utf16.asp", utf16);

  const Outcome run = Lintra({"tree", "--root", Root(), "huge.asp", "noise.asp", "utf16.asp"});
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string expected = Padded("huge.asp") + "\r\n|    \r\n" + Padded("+--- a.inc") +
                               ".\r\n|    \r\n" + Padded("\\--- gone.inc *ERROR* ") +
                               "\r\n\r\n\r\n" + Padded("noise.asp") + "\r\n|    \r\n";
  EXPECT_EQ(run.out.substr(0, expected.size()), expected);
  // Blanks pad names to 40 UTF-16 units: U+FFFD takes more bytes than units in UTF-8.
  EXPECT_TRUE(run.out.ends_with(
      Padded("utf16.asp") + "\r\n|    \r\n+--- \xEF\xBF\xBDx.inc *ERROR* " + std::string(20, ' ') +
      "\r\n|    \r\n" + Padded("\\--- a.inc") + ".\r\n\r\n\r\n"));
}

TEST_F(HostileSite, DirectivesThatReachOutsideTheRootFindNothing) {
  fs::create_directory_symlink(temp.Path(), temp.Path() / "root/out");
  fs::create_directory_symlink(temp.Path() / "root/inc", temp.Path() / "back");
  fs::create_symlink(temp.Path() / "secret.inc", temp.Path() / "root/link.inc");
  Write("inc/a.inc", "INSIDE-CONTENT");
  const std::string secret = (temp.Path() / "secret.inc").string();
  const std::vector<std::string> paths{
      "../secret.inc",
      "..\\secret.inc",
      secret,
      "C:\\secret.inc",
      "c:../secret.inc",
      "\\\\server\\share\\secret.inc",
      "//server/share/secret.inc",
      "....//secret.inc",
      "%2e%2e/secret.inc",
      "..%2fsecret.inc",
      std::string("inc/a.inc\0/../../../secret.inc", 30),
      "out/secret.inc",
      "link.inc",
      "out/SECRET.INC",
      "out/BACK/a.inc",
      std::string(5000, 'a') + ".inc",
      [] {
        std::string deep;
        for (int i = 0; i < 3000; ++i) deep += "d/";
        return deep + "secret.inc";
      }(),
      [] {
        std::string climb;
        for (int i = 0; i < 20000; ++i) climb += "x/../";
        return climb + "../secret.inc";
      }(),
  };
  std::string page;
  for (const std::string& path : paths) page += Include(path) + "\r\n";
  Write("page.asp", page);

  const Outcome complete = Lintra({"complete", "--root", Root(), "page.asp"});
  EXPECT_EQ(complete.status, 0) << complete.err;
  EXPECT_EQ(complete.out.find("TOP-SECRET-CONTENT"), std::string::npos);
  EXPECT_EQ(complete.out.find("INSIDE-CONTENT"), std::string::npos);
  EXPECT_EQ(Occurrences(complete.out, "   *** ERROR : Error opening file : "), paths.size());
  const Outcome check = Lintra({"check", "--root", Root(), "--format", "json", "page.asp"});
  EXPECT_EQ(check.status, 1);
  // A path that climbs with ".." is refused for that; every other one is missing.
  const nlohmann::json rules = nlohmann::json::parse(check.out)["summary"]["rules"];
  EXPECT_EQ(rules["parent-path"], 4u);
  EXPECT_EQ(rules["missing-include"], paths.size() - 4);
}

TEST_F(HostileSite, LinkLoopsFoldersAndPipesAreMissingAndNeverWaitedFor) {
  fs::create_symlink("loop", temp.Path() / "root/loop");
  fs::create_symlink("pong", temp.Path() / "root/ping");
  fs::create_symlink("ping", temp.Path() / "root/pong");
  fs::create_directories(temp.Path() / "root/folder.inc");
  ASSERT_EQ(mkfifo((temp.Path() / "root/pipe.inc").c_str(), 0600), 0);
  Write("page.asp", Include("loop") + Include("loop/x.inc") + Include("ping/x.inc") +
                        Include("folder.inc") + Include("pipe.inc"));

  const Outcome run = Lintra({"tree", "--root", Root(), "page.asp"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, Padded("page.asp") + "\r\n|    \r\n" + Padded("+--- loop *ERROR* ") +
                         "\r\n|    \r\n" + Padded("+--- x.inc !  *ERROR* ") + "\r\n|    \r\n" +
                         Padded("+--- x.inc !  *ERROR* ") + "\r\n|    \r\n" +
                         Padded("+--- folder.inc *ERROR* ") + "\r\n|    \r\n" +
                         Padded("\\--- pipe.inc *ERROR* ") + "\r\n\r\n\r\n");
}

// A file above 256 MB (sparse, so it costs no disk) exists but is not read, whoever runs the test;
// no read permission, which binds everyone but the superuser, is DiskFilesTest's. Readable
// pages keep their reports; the unreadable file is reported, never missing or unused, and the
// run is incomplete.
TEST_F(HostileSite, AFileThatCannotBeReadIsReportedAndLeavesTheRunIncomplete) {
  constexpr auto kTooLarge = (uintmax_t{256} << 20) + 1;
  Write("huge.inc", "");
  fs::resize_file(temp.Path() / "root/huge.inc", kTooLarge);
  Write("page.asp", Include("huge.inc"));
  Write("lintra.toml", "[rules]\nexposed-include = \"off\"\n");
  const std::string unreadable =
      "lintra: cannot read huge.inc: larger than 256 MB; the result is incomplete\n";

  const Outcome complete = Lintra({"complete", "--root", Root(), "page.asp"});
  EXPECT_EQ(complete.status, 3);
  EXPECT_EQ(complete.out, Failed(Include("huge.inc"), "huge.inc"));
  EXPECT_EQ(complete.err, unreadable);

  const Outcome check = Lintra({"check", "--root", Root()});
  EXPECT_EQ(check.status, 3);
  EXPECT_EQ(check.out,
            "page.asp:1:1: error: unreadable file: huge.inc cannot be read: larger than 256 MB "
            "[unreadable-file] (1 page: page.asp)\n"
            "by rule: 1 unreadable-file\n"
            "checked 1 page: 1 error, 0 warnings, 0 notes\n");
  EXPECT_EQ(check.err, unreadable);

  fs::rename(temp.Path() / "root/huge.inc", temp.Path() / "root/huge.asp");
  for (const char* command : {"tree", "complete", "warnings"}) {
    const Outcome page = Lintra({command, "--root", Root(), "huge.asp"});
    EXPECT_EQ(page.status, 3) << command;
    EXPECT_EQ(page.out, "") << command;
    EXPECT_EQ(page.err,
              "lintra: cannot read huge.asp: larger than 256 MB; the result is incomplete\n")
        << command;
  }
  const Outcome pages = Lintra({"check", "--root", Root(), "huge.asp"});
  EXPECT_EQ(pages.status, 3);
  EXPECT_EQ(pages.out,
            "huge.asp: error: unreadable file: huge.asp cannot be read: larger than 256 MB "
            "[unreadable-file] (1 page: huge.asp)\n"
            "by rule: 1 unreadable-file\n"
            "checked 1 page: 1 error, 0 warnings, 0 notes\n");
}

// Pages are listed first and read afterwards; pages and includes deleted in between are missing
// files, whenever the deletion happens. Deleted before the listing, no page is left to check.
TEST_F(HostileSite, FilesThatVanishDuringACheckAreReportedMissing) {
  constexpr int kPages = 400;
  for (int i = 0; i < kPages; ++i) Write("p" + std::to_string(i) + ".asp", Include("shared.inc"));
  Write("shared.inc", "shared");
  std::thread remover([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    for (int i = kPages - 1; i >= 0; --i) {
      std::error_code ignored;
      fs::remove(temp.Path() / "root" / ("p" + std::to_string(i) + ".asp"), ignored);
      if (i == kPages / 2) fs::remove(temp.Path() / "root/shared.inc", ignored);
    }
  });
  const Outcome run = Lintra({"check", "--root", Root()});
  remover.join();
  const bool noneLeft =
      run.err == "lintra: no page to analyse: no .asp file below the root " + Root() + "\n";
  EXPECT_TRUE(run.status == 0 || run.status == 1 || (run.status == 2 && noneLeft)) << run.status;
  const bool summed = run.out.find("checked ") != std::string::npos &&
                      (run.out.ends_with(" notes\n") || run.out.ends_with(" 1 note\n"));
  EXPECT_TRUE(noneLeft || summed) << run.out;
}

}  // namespace lintra
