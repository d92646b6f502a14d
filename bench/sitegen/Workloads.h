#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sitegen/Site.h"

namespace lintra {

// The names of the workloads, in the order a full run measures them, then the smaller variants
// that show how time and memory grow with size: W1-500 (500 pages), W3-2500 (2,500 levels) and
// W5-10M (10 MB with 2,500 directives), and W7-1 (W7's library reached from one page).
const std::vector<std::string>& WorkloadNames();

// The site of one named workload, the same for the same seed on every machine. Throws
// std::invalid_argument for an unknown name.
Site MakeWorkload(const std::string& name, uint64_t seed);

// The workloads themselves, one builder each.
Site ProjectWorkload(uint64_t seed, int pages);
Site WidePageWorkload(uint64_t seed);
Site DeepChainWorkload(uint64_t seed, int length);
Site ExplosionWorkload(uint64_t seed);
Site BigPageWorkload(uint64_t seed, size_t total, int64_t directives);
Site LibraryWorkload(uint64_t seed, size_t libraryBytes);
Site CommentLibraryWorkload(uint64_t seed, size_t libraryBytes, int pages);

}  // namespace lintra
