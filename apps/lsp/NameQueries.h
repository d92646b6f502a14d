#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "apps/lsp/NameIndex.h"
#include "apps/lsp/OpenDocuments.h"
#include "apps/lsp/Workspace.h"

namespace lintra::lsp {

// What the names of the site say about one place of a file, from the index alone: the pages'
// resolutions of names (PageRecord::names) and the files' names (NameIndex). No protocol here:
// Navigation turns the answers into the editor's terms.

// A name written in a file: its id, the name as it stands and its kind of declaration (none for
// a use).
struct NameSpot {
  uint32_t file = 0;
  const NamePlace* place = nullptr;
  std::optional<DeclarationKind> kind;
};

// What the cursor stands on: a script-level declaration, a local declaration or member, or a use
// of a name (page-level or local), by its position in the file's FileNames.
struct NameTarget {
  enum class Kind { Declaration, Local, Use };
  Kind kind = Kind::Use;
  uint32_t file = 0;
  uint32_t index = 0;
  // The name under the cursor.
  const NamePlace* place = nullptr;
};

// A declaration a name resolves to, and the first page that resolves it so: the file itself for
// a declaration of the file's own (a local, or one of its server script block).
struct NameDefinition {
  NameSpot spot;
  uint32_t page = 0;
  // Which declaration it is: a script-level one, or a local by its position in NameScan::locals.
  std::optional<DeclarationRef> declaration;
  int32_t local = -1;
};

// The name at `position` of `file`, when the cursor is on one.
std::optional<NameTarget> NameAt(Workspace& workspace, uint32_t file, Position position);

// The declarations `target` resolves to: itself for a declaration, its local for a local use, and
// for a use of a page-level name every declaration that the pages reaching the file resolve it
// to, each once, the first page found with each.
std::vector<NameDefinition> Definitions(Workspace& workspace, const NameTarget& target);

// The declaration and every use of the site that resolves to the declaration `definition`: in
// the files of every page that resolves its name to it, or in its own file for a local; the uses
// by file name, then place.
std::vector<NameSpot> References(Workspace& workspace, const NameDefinition& definition);

// The chain of include directives from `page` to `file`, as ChainText writes it; empty when
// the page no longer reaches it.
std::string ChainTo(Workspace& workspace, uint32_t page, uint32_t file);

// The names known at `position` of `file`: the locals and members of the bodies around it, then
// the names declared in the first page that reaches the file (the file's own when none does) in
// the order of their keys.
std::vector<NameSpot> VisibleAt(Workspace& workspace, uint32_t file, Position position);

// The script-level declarations of every file scanned, whose names hold `query` without regard
// to letter case, at most `most`.
std::vector<NameSpot> DeclarationsMatching(Workspace& workspace, const Text& query, size_t most);

}  // namespace lintra::lsp
