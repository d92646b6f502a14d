#pragma once

#include <array>
#include <cstdint>
#include <unordered_map>

#include "platform/Text.h"
#include "rules/VbScanner.h"

namespace lintra {

class File;

// A declaration in the page: the node whose text holds it, and where.
struct PlacedDeclaration {
  File* node = nullptr;
  const Declaration* declaration = nullptr;
};

// The names of one script as its declarations come in, with the first declaration of each kind
// of each name, so that a later one that VBScript refuses finds the one it clashes with. The
// clashes kept are the ones VBScript is known to refuse: Dim, Public or Private after a variable,
// a constant or a ReDim of the name; Const after a variable or a constant; Class after a class.
class NameTable {
 public:
  // Adds `placed`; returns the earlier declaration it clashes with, or one with a null node.
  PlacedDeclaration Add(const PlacedDeclaration& placed);
  void Clear() {
    firsts_.clear();
    added_ = 0;
  }

 private:
  struct First {
    PlacedDeclaration placed;
    // The number of declarations added before it.
    uint64_t order = 0;
  };
  using Firsts = std::array<First, 5>;
  // Views the upper-cased names of the declarations, which outlive the table.
  std::unordered_map<TextView, Firsts> firsts_;
  uint64_t added_ = 0;
};

}  // namespace lintra
