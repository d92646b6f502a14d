#pragma once

#include <string>

namespace lintra {

// Whether the glob `pattern` matches all of `text`, as POSIX fnmatch does without flags: "*"
// matches any run of characters, "/" included, "?" any one character, "[...]" and "[!...]" a
// character in or not in a set of characters and ranges, and "\" takes the next character as it
// is. Both are bytes (UTF-8).
bool GlobMatches(const std::string& pattern, const std::string& text);

}  // namespace lintra
