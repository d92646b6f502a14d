#pragma once

#include <cstdint>

namespace lintra {

// A small deterministic random source (SplitMix64). It gives the same numbers for the same seed
// on every machine and standard library, so a seed always names the same site.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}

  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  // A number from `low` to `high`, both included.
  int64_t Between(int64_t low, int64_t high) {
    return low + static_cast<int64_t>(Next() % static_cast<uint64_t>(high - low + 1));
  }

  // True in about `percent` cases out of a hundred.
  bool Chance(int percent) { return static_cast<int>(Next() % 100) < percent; }

  // A separate source for one part of a site, so that parts do not shift each other's numbers.
  Random Fork(uint64_t part) { return Random(Next() ^ (part * 0xD1B54A32D192ED03ull)); }

 private:
  uint64_t state_;
};

}  // namespace lintra
