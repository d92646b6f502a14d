#pragma once

#include <cstddef>

#include "micro/MemorySite.h"

namespace lintra {

// In-memory sites for the micro benchmarks. Each returns the web path of the page it added.

// A page with `includes` directives over `distinct` small files (each used includes / distinct
// times), one directive a line with a little HTML between them.
Text AddWidePage(MemorySite& site, int includes, int distinct);

// A page that includes one file of `bytes` bytes `uses` times. The file holds ordinary lines,
// script blocks and comments, but no directive.
Text AddLargeIncludePage(MemorySite& site, size_t bytes, int uses);

}  // namespace lintra
