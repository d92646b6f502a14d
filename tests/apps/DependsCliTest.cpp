#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/apps/CliRun.h"

namespace lintra {

namespace {

const std::string ListsMustFollowDashes =
    "page default.asp follows --changed: write pages after --, as in lintra depends --changed "
    "PATH... -- PAGE...\nRun with --help for more information.\n";

}  // namespace

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
