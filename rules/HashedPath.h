#pragma once

#include <cstddef>

#include "platform/Text.h"

namespace lintra {

// A path with its text::HashIgnoringCase, for hash tables keyed by paths: a table keeps
// HashedPath keys and looks them up as HashedPathView, so that a look-up copies nothing and
// hashes nothing again.
struct HashedPathView {
  TextView path;
  size_t hash;
};

struct HashedPath {
  Text path;
  size_t hash;
  operator HashedPathView() const { return {path, hash}; }
};

struct HashedPathHash {
  using is_transparent = void;
  size_t operator()(const HashedPathView& key) const { return key.hash; }
};

// Paths equal unit for unit.
struct SamePath {
  using is_transparent = void;
  bool operator()(const HashedPathView& a, const HashedPathView& b) const {
    return text::SameUnits(a.path, b.path);
  }
};

// Paths equal without regard to letter case.
struct SamePathIgnoringCase {
  using is_transparent = void;
  bool operator()(const HashedPathView& a, const HashedPathView& b) const {
    return text::SameIgnoringCase(a.path, b.path);
  }
};

}  // namespace lintra
