#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/apps/CliRun.h"

namespace lintra {

namespace {

const std::string ListsMustFollowDashes =
    "lintra: page default.asp follows --changed: write pages after --, as in lintra depends "
    "--changed PATH... -- PAGE...; see lintra depends --help\n";

}  // namespace

TEST(DependsCli, ADeletedFileListsEveryPageThatStillIncludesIt) {
  const Outcome sample = Lintra({"depends", "--root", Site, "--changed", "shop/cart_totals.inc"});
  EXPECT_EQ(sample.status, 0);
  EXPECT_EQ(sample.out, "shop/cart.asp\n");
  EXPECT_EQ(sample.err,
            "lintra: note: shop/cart_totals.inc does not exist; listing the pages that still "
            "include it\n");
  TempFolder site;
  site.Write("p.asp", Include("inc/gone.inc"));
  site.Write("shop/q.asp", "<%\r\n%>\r\n" + Include("..\\INC\\Gone.inc"));
  site.Write("v.asp", "<!-- #include virtual=\"/inc/gone.inc\" -->");
  site.Write("other.asp", Include("gone.inc"));
  site.Write("w.asp", Include("inc/a.inc"));
  site.Write("inc/a.inc", "");
  const std::string root = site.Path().string();
  const Outcome deleted = Lintra({"depends", "--root", root, "--changed", "inc/gone.inc"});
  EXPECT_EQ(deleted.status, 0);
  EXPECT_EQ(deleted.out, "p.asp\nshop/q.asp\nv.asp\n");
  // A leading "/" means the root; a deleted and an existing file give the pages of both.
  const Outcome both =
      Lintra({"depends", "--root", root, "--changed", "/inc/gone.inc", "inc/a.inc", "--why"});
  EXPECT_EQ(both.status, 0);
  EXPECT_EQ(both.out,
            "p.asp:1 -> inc/gone.inc\nshop/q.asp:3 -> INC/Gone.inc\nv.asp:1 -> inc/gone.inc\n"
            "w.asp:1 -> inc/a.inc\n");
  EXPECT_EQ(both.err,
            "lintra: note: /inc/gone.inc does not exist; listing the pages that still include "
            "it\n");
}

TEST(DependsCli, ChangedTakesEveryPathUpToTheNextOptionAndPagesComeAfterDashes) {
  EXPECT_EQ(
      Lintra({"depends", "--root", Site, "--changed", "inc/session.inc", "inc/functions.inc"}).out,
      "account/login.asp\nshop/cart.asp\nshop/product.asp\n");
  EXPECT_EQ(Lintra({"depends", "--root", Site, "--changed", "inc/session.inc", "inc/functions.inc",
                    "--", "shop/cart.asp", "default.asp", "account/login.asp"})
                .out,
            "shop/cart.asp\naccount/login.asp\n");
  EXPECT_EQ(Lintra({"depends", "--root", Site, "default.asp", "--changed", "inc/menu.inc"}).out,
            "default.asp\n");
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {"depends", "--root", Site, "--changed", "inc/menu.inc", "--exclude", "shop",
            "default.asp"},
           {"depends", "--root", Site, "--changed", "inc/menu.inc", "--why", "default.asp"}}) {
    const Outcome refused = Lintra(arguments);
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err, ListsMustFollowDashes);
  }
}

TEST(DependsCli, OnlyAPathThatLeavesTheRootIsRefused) {
  TempFolder temp;
  temp.Write("outside.inc", "");
  temp.Write("root/p.asp", Include("inc/a.inc"));
  temp.Write("root/inc/a.inc", "");
  const std::string root = (temp.Path() / "root").string();
  const std::string outside = (temp.Path() / "outside.inc").string();
  for (const std::string& path :
       {std::string("../outside.inc"), std::string("inc/../../x.inc"), outside}) {
    const Outcome run = Lintra({"depends", "--root", root, "--changed", "inc/a.inc", path});
    EXPECT_EQ(run.status, 2) << path;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "lintra: changed file " + path + " lies outside the root " + root + "\n");
  }
  // A path from the root that names nothing is no file of the site, not one outside it.
  const Outcome page = Lintra({"tree", "--root", root, "/gone.asp"});
  EXPECT_EQ(page.status, 2);
  EXPECT_EQ(page.err, "lintra: page /gone.asp does not exist in " + root + "\n");
}

// depends knows a changed file as includers does, by the file on disk, whether or not the trees
// keep the directives' spellings: another letter case, "./", a symbolic link to its folder and a
// virtual directory served from it all reach it, and the changed file may be named any such way.
TEST(DependsCli, AChangedFileIsTheFileOnDiskHoweverAPageReachesIt) {
  TempFolder site;
  site.Write("lintra.toml", "[virtual-directories]\n\"/lib\" = \"inc\"\n");
  site.Write("inc/a.inc", "");
  site.Write("inc/b.inc", "");
  std::filesystem::create_directory_symlink("inc", site.Path() / "alias");
  site.Write("case.asp", Include("INC/A.INC"));
  site.Write("dot.asp", Include("./inc/./a.inc"));
  site.Write("link.asp", Include("alias/a.inc"));
  site.Write("other.asp", Include("inc/b.inc"));
  site.Write("sub/up.asp", Include("../inc/a.inc"));
  site.Write("virtual.asp", "<!-- #include virtual=\"/lib/a.inc\" -->");
  const std::string root = site.Path().string();
  const std::string dependants = "case.asp\ndot.asp\nlink.asp\nsub/up.asp\nvirtual.asp\n";
  for (const char* changed : {"inc/a.inc", "ALIAS/a.inc", "lib/a.inc"}) {
    for (const bool canonical : {false, true}) {
      std::vector<std::string> arguments{"depends", "--root", root, "--changed", changed};
      if (canonical) arguments.push_back("--canonical-paths");
      const Outcome run = Lintra(arguments);
      EXPECT_EQ(run.status, 0) << changed;
      EXPECT_EQ(run.out, dependants) << changed << " " << canonical;
      EXPECT_EQ(run.err, "");
    }
  }
  const Outcome includers = Lintra({"includers", "--root", root, "inc/a.inc"});
  EXPECT_EQ(includers.out.substr(includers.out.find("\n\n") + 2), dependants);
  // The chains keep each directive's spelling unless --canonical-paths.
  const Outcome why = Lintra({"depends", "--root", root, "--changed", "inc/a.inc", "--why"});
  EXPECT_EQ(why.out,
            "case.asp:1 -> INC/A.INC\ndot.asp:1 -> ./inc/./a.inc\nlink.asp:1 -> alias/a.inc\n"
            "sub/up.asp:1 -> inc/a.inc\nvirtual.asp:1 -> lib/a.inc\n");
}

TEST(IncludersCli, EachFileGetsItsListingAndAFileThatNoPageIncludesOneLine) {
  const Outcome none = Lintra({"includers", "--root", Site, "about.asp"});
  EXPECT_EQ(none.status, 0);
  EXPECT_EQ(none.out, "no page includes about.asp\n");
  const Outcome several = Lintra({"includers", "--root", Site, "inc/session.inc", "/INC/config.inc",
                                  "about.asp", "--", "account/login.asp", "shop/cart.asp"});
  EXPECT_EQ(several.status, 0);
  EXPECT_EQ(several.out,
            "==> inc/session.inc <==\ninc/security.inc:1\n\naccount/login.asp\n\n"
            "==> inc/config.inc <==\ninc/connection.inc:1\ninc/functions.inc:1\n\n"
            "account/login.asp\nshop/cart.asp\n\n"
            "==> about.asp <==\nno page includes about.asp\n");
}

}  // namespace lintra
