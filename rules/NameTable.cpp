#include "rules/NameTable.h"

#include <bit>

namespace lintra {

namespace {

unsigned Bit(DeclarationKind kind) {
  return 1u << static_cast<unsigned>(kind);
}

// The kinds of earlier declarations after which VBScript refuses one of `later`.
unsigned ClashingBefore(DeclarationKind later) {
  using Kind = DeclarationKind;
  switch (later) {
    case Kind::Variable:
      return Bit(Kind::Variable) | Bit(Kind::Constant) | Bit(Kind::ReDim);
    case Kind::Constant:
      return Bit(Kind::Variable) | Bit(Kind::Constant);
    case Kind::Class:
      return Bit(Kind::Class);
    case Kind::ReDim:
    case Kind::Procedure:
      return 0;
  }
  return 0;
}

}  // namespace

PlacedDeclaration NameTable::AddClashing(const PlacedDeclaration& placed) {
  const Declaration& declaration = *placed.declaration;
  const auto id = static_cast<size_t>(declaration.id);
  if (id >= entries_.size()) entries_.resize(id + 1);
  Entry& entry = entries_[id];
  if (entry.generation != generation_) {
    entry.generation = generation_;
    entry.kinds = 0;
  }
  const First* clash = nullptr;
  for (unsigned clashing = entry.kinds & ClashingBefore(declaration.kind); clashing != 0;
       clashing &= clashing - 1) {
    const First& earlier = entry.firsts[static_cast<size_t>(std::countr_zero(clashing))];
    if (!clash || earlier.order < clash->order) clash = &earlier;
  }
  const PlacedDeclaration found = clash ? clash->placed : PlacedDeclaration();
  if ((entry.kinds & Bit(declaration.kind)) == 0) {
    entry.kinds |= Bit(declaration.kind);
    entry.firsts[static_cast<size_t>(declaration.kind)] = {placed, added_};
  }
  ++added_;
  return found;
}

}  // namespace lintra
