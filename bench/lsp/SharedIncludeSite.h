#pragma once

#include <filesystem>

namespace lintra {

// Writes the site the language server is measured on below `root`: 8,000 pages in 80 folders,
// every page with a header that pulls in a menu, one of 50 feature libraries and a few lines of
// its own, and 5,000 of them (five in every eight) with the most shared include, inc/common.inc,
// whose function Greeting each of them calls.
// One page in a hundred names a file that is not there. The same site every time.
void WriteSharedIncludeSite(const std::filesystem::path& root);

// The page the measurements open: it includes inc/common.inc.
constexpr const char* kOpenedPage = "p00/page0000.asp";
constexpr const char* kSharedInclude = "inc/common.inc";
// Where the opened page calls Greeting (0-based line and character).
constexpr int kGreetingLine = 6;
constexpr int kGreetingCharacter = 20;

}  // namespace lintra
