#pragma once

#include <string>
#include <vector>

#include "sitegen/Random.h"

namespace lintra {

// Makes the ordinary text of ASP files: HTML, ordinary comments and server-script blocks, with
// CR LF line ends. The text holds no include directive, no "*/" (it is also written inside C
// comments) and closes every block it opens.
class Filler {
 public:
  explicit Filler(Random random);

  // Whole lines, each ending in CR LF, for at least `bytes` bytes.
  std::string Lines(Random& random, size_t bytes) const;

  // One long line of at least `bytes` bytes, without its line end. Whole entries only, so that
  // every block it opens is closed.
  std::string LongLine(Random& random, size_t bytes) const;

 private:
  // Entries of one line and entries that span several lines (script blocks).
  std::vector<std::string> lines_;
  std::vector<std::string> blocks_;
};

}  // namespace lintra
