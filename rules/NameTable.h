#pragma once

#include <array>
#include <cstdint>
#include <vector>

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
// Names are known by their number (Declaration::id), and clearing the table forgets them without
// touching its memory, so that one table serves page after page.
class NameTable {
 public:
  // Adds `placed`, whose declaration has its number; returns the earlier declaration it clashes
  // with, or one with a null node.
  PlacedDeclaration Add(const PlacedDeclaration& placed) {
    // Nothing clashes with a procedure, nor a procedure with anything.
    if (placed.declaration->kind == DeclarationKind::Procedure) return {};
    return AddClashing(placed);
  }
  void Clear() {
    ++generation_;
    added_ = 0;
  }

 private:
  // Add for the kinds that can clash.
  PlacedDeclaration AddClashing(const PlacedDeclaration& placed);

  struct First {
    PlacedDeclaration placed;
    // The number of declarations added before it.
    uint64_t order = 0;
  };
  // The firsts of each name by its number, valid where the entry's generation is the table's:
  // one for each kind whose bit (1 << kind) is set in `kinds`.
  struct Entry {
    uint64_t generation = 0;
    unsigned kinds = 0;
    std::array<First, 5> firsts;
  };
  std::vector<Entry> entries_;
  uint64_t generation_ = 1;
  uint64_t added_ = 0;
};

}  // namespace lintra
