#include "rules/NameTable.h"

namespace lintra {

namespace {

size_t Slot(DeclarationKind kind) {
  return static_cast<size_t>(kind);
}

// Whether VBScript refuses a declaration of `later` after one of `earlier`.
bool Clashes(DeclarationKind earlier, DeclarationKind later) {
  using Kind = DeclarationKind;
  switch (later) {
    case Kind::Variable:
      return earlier == Kind::Variable || earlier == Kind::Constant || earlier == Kind::ReDim;
    case Kind::Constant:
      return earlier == Kind::Variable || earlier == Kind::Constant;
    case Kind::Class:
      return earlier == Kind::Class;
    case Kind::ReDim:
    case Kind::Procedure:
      return false;
  }
  return false;
}

}  // namespace

PlacedDeclaration NameTable::Add(const PlacedDeclaration& placed) {
  const Declaration& declaration = *placed.declaration;
  const auto id = static_cast<size_t>(declaration.id);
  if (id >= entries_.size()) entries_.resize(id + 1);
  Entry& entry = entries_[id];
  if (entry.generation != generation_) entry = Entry{generation_, {}};
  Firsts& firsts = entry.firsts;
  const First* clash = nullptr;
  for (const First& earlier : firsts) {
    if (!earlier.placed.node || !Clashes(earlier.placed.declaration->kind, declaration.kind)) {
      continue;
    }
    if (!clash || earlier.order < clash->order) clash = &earlier;
  }
  const PlacedDeclaration found = clash ? clash->placed : PlacedDeclaration();
  First& own = firsts[Slot(declaration.kind)];
  if (!own.placed.node) own = {placed, added_};
  ++added_;
  return found;
}

}  // namespace lintra
