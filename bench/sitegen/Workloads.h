#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sitegen/Site.h"

// The names of the workloads, in the order a full run measures them.
const std::vector<std::string>& WorkloadNames();

// The site of one named workload, the same for the same seed on every machine. Throws
// std::invalid_argument for an unknown name.
Site MakeWorkload(const std::string& name, uint64_t seed);

// The workloads themselves, one builder each.
Site ProjectWorkload(uint64_t seed);
Site WidePageWorkload(uint64_t seed);
Site DeepChainWorkload(uint64_t seed);
Site ExplosionWorkload(uint64_t seed);
Site BigPageWorkload(uint64_t seed);
Site LibraryWorkload(uint64_t seed, size_t libraryBytes);
