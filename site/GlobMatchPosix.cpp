#include <fnmatch.h>

#include "site/GlobMatch.h"

namespace lintra {

bool GlobMatches(const std::string& pattern, const std::string& text) {
  return fnmatch(pattern.c_str(), text.c_str(), 0) == 0;
}

}  // namespace lintra
