// The glob matcher of Windows builds, which have no fnmatch, built here beside fnmatch: --exclude
// and lintra.toml's exclude must leave out the same pages on both systems.
#include <fnmatch.h>
#include <gtest/gtest.h>

#include <string>

#include "site/GlobMatch.h"

namespace lintra {
namespace {

TEST(WindowsGlob, MatchesWhatFnmatchMatches) {
  const std::string patterns[] = {
      "old",    "*",       "*_test.asp", "shop/*",       "*/*.asp", "?",   "a?c", "[ab]*", "[!ab]*",
      "[^ab]*", "[a-c]x",  "[]a]",       "[!]a]",        "[a-]",    "[",   "a[",  "\\*",   "a\\?c",
      "**",     "*a*b*c*", "*.ASP",      "caf\xc3\xa9*", "[\\]]",   "x*y", "",    "*/",    "a/*/c",
      "[z-a]"};
  const std::string texts[] = {"old",        "old/page.asp",
                               "a_test.asp", "shop/cart.asp",
                               "page.asp",   "a",
                               "abc",        "bcd",
                               "]",          "-",
                               "[",          "a[",
                               "*",          "a?c",
                               "axbyc",      "PAGE.ASP",
                               "",           "caf\xc3\xa9.asp",
                               "x/y",        "shop/",
                               "a/b/c",      "bx",
                               "z"};
  for (const std::string& pattern : patterns) {
    for (const std::string& text : texts) {
      EXPECT_EQ(GlobMatches(pattern, text), fnmatch(pattern.c_str(), text.c_str(), 0) == 0)
          << "pattern \"" << pattern << "\", text \"" << text << "\"";
    }
  }
}

}  // namespace
}  // namespace lintra
