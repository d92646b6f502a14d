#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/apps/CliRun.h"

namespace lintra {

namespace fs = std::filesystem;

TEST(InputChecks, ArgumentsThatCannotRunAreUsageErrorsThatSaySo) {
  TempFolder temp;
  temp.Write("secret.asp", "");
  temp.Write("root/p.asp", "");
  temp.Write("root/inc/a.inc", "");
  fs::create_symlink(temp.Path() / "secret.asp", temp.Path() / "root/link.asp");
  fs::create_directory(temp.Path() / "empty");
  const std::string root = (temp.Path() / "root").string();
  const std::string empty = (temp.Path() / "empty").string();
  const std::string secret = (temp.Path() / "secret.asp").string();
  const std::string outside = " lies outside the root " + root + "\n";
  const std::string files = "lintra: --max-files: takes a whole number of files from 1 up, not ";
  const std::string help = "; see lintra check --help\n";
  const std::string excluded = "lintra: no page to analyse: --exclude leaves out every page\n";
  for (const auto& [arguments, err] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"tree", "--root", root, "p.asp", "nothere.asp"},
            "lintra: page nothere.asp does not exist in " + root + "\n"},
           {{"tree", "--root", root, "inc"}, "lintra: page inc is a folder\n"},
           {{"warnings", "--root", root, "../secret.asp"}, "lintra: page ../secret.asp" + outside},
           {{"complete", "--root", root, secret}, "lintra: page " + secret + outside},
           {{"check", "--root", root, "link.asp"}, "lintra: page link.asp" + outside},
           {{"depends", "--root", root, "--changed", "inc/../../secret.asp"},
            "lintra: changed file inc/../../secret.asp" + outside},
           {{"depends", "--root", root, "--changed", "inc/a.inc", "--changed", "inc"},
            "lintra: changed file inc is a folder\n"},
           {{"includers", "--root", root, "inc/../../secret.asp"},
            "lintra: file inc/../../secret.asp" + outside},
           {{"frobnicate", "--root", root},
            "lintra: unknown command frobnicate; the commands are tree, complete, warnings, "
            "depends, check, includers, report, graph, lsp\n"},
           {{"chek", "--root", root},
            "lintra: unknown command chek (did you mean check?); the commands are tree, complete, "
            "warnings, depends, check, includers, report, graph, lsp\n"},
           {{"check", "--root", root, "--formt", "json"},
            "lintra: the following argument was not expected: --formt (did you mean --format?)" +
                help},
           {{"check", "--root", root, "--format", "jsn"},
            "lintra: --format: jsn is not one of text, json, sarif, github (did you mean json?)" +
                help},
           {{"check", "--root", root, "--max-warnings", "-1"},
            "lintra: --max-warnings: takes a whole number of warnings from 0 up, not -1" + help},
           {{"tree", "--root", root}, "lintra: PAGE is required; see lintra tree --help\n"},
           {{"check", "--root", root, "--max-files", "0"}, files + "0" + help},
           {{"check", "--root", root, "--max-files", "1e3"}, files + "1e3" + help},
           {{"check", "--root", root, "--max-files", "99999999999999999999"},
            files + "99999999999999999999" + help},
           {{"check", "--root", root, "--jobs", "0"},
            "lintra: --jobs: Value 0 not in range 1 to 1024" + help},
           {{"check", "--root", empty},
            "lintra: no page to analyse: no .asp file below the root " + empty + "\n"},
           {{"check", "--root", root, "--exclude", "*"}, excluded},
           {{"includers", "--root", root, "inc/a.inc", "--exclude", "p.asp", "--", "p.asp"},
            excluded},
       }) {
    const Outcome run = Lintra(arguments);
    EXPECT_EQ(run.status, 2) << err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, err);
  }
  // An --exclude that leaves out nothing is only warned of.
  const Outcome unused = Lintra({"depends", "--root", Site, "--changed", "inc/session.inc",
                                 "--exclude", "old", "--exclude", "shop"});
  EXPECT_EQ(unused.status, 0);
  EXPECT_EQ(unused.out, "account/login.asp\n");
  EXPECT_EQ(unused.err, "lintra: warning: --exclude old leaves out no file or folder\n");
}

}  // namespace lintra
