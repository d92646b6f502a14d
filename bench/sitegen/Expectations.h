#pragma once

#include <cstdint>

#include "sitegen/Site.h"

namespace lintra {

// What a correct check of a whole generated site reports, counted from the site model. The
// workloads name no missing file and hold no circular include, so both counts are zero.
struct Expectations {
  uint64_t pages = 0;
  // Occurrences in every page's tree, the page included.
  uint64_t nodes = 0;
  // Occurrences in the largest page's tree.
  uint64_t largestTree = 0;
  // Occurrences below a page of a file that occurs more than once below that page.
  uint64_t duplicate = 0;
};

Expectations ExpectationsOf(const Site& site);

}  // namespace lintra
