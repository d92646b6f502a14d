#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/Text.h"
#include "rules/NameScan.h"
#include "rules/VbScanner.h"

namespace lintra::lsp {

// A script-level declaration of the site: the file that holds it, by its id in the SiteIndex,
// and its position among that file's declarations.
struct DeclarationRef {
  uint32_t file = 0;
  uint32_t declaration = 0;

  auto operator<=>(const DeclarationRef&) const = default;
};

// A name a page's tree declares more than once and the declaration its uses resolve to there;
// key by NameIndex::Key.
struct PageName {
  uint32_t key = 0;
  DeclarationRef declaration;
};

// Where a name stands in a file: its line and column, counted from 1, and the column after it.
struct NameRange {
  int32_t line = 1;
  int32_t column = 1;
  int32_t endColumn = 1;

  auto operator<=>(const NameRange&) const = default;
};

// Where a declaration stands as a whole: a Class or procedure from its keyword to the end of the
// statement that closes it, any other declaration its name. Lines and columns counted from 1, the
// end just after the last unit.
struct DeclarationExtent {
  int32_t line = 1;
  int32_t column = 1;
  int32_t endLine = 1;
  int32_t endColumn = 1;
};

// A use of a name as the index keeps it (see NameUse), without its text: the site holds many.
struct IndexedUse {
  NameRange range;
  int32_t unit = 0;
  int32_t local = -1;
};

// The names of one file's text: its script-level declarations, its uses of names and its local
// declarations, with the number of each name's key.
struct FileNames {
  std::vector<Declaration> declarations;
  // By position in `declarations`.
  std::vector<DeclarationExtent> extents;
  std::vector<LocalName> locals;
  // By position in `locals`: a member procedure's body, any other local its name.
  std::vector<DeclarationExtent> localExtents;
  std::vector<IndexedUse> uses;
  std::vector<uint32_t> declarationKeys;
  // The positions in `declarations` by the number of their key, rising.
  std::vector<std::pair<uint32_t, uint32_t>> declarationsByKey;
  // By position in `uses`; for local uses too.
  std::vector<uint32_t> useKeys;
  // The positions in `uses` of the uses of page-level names, by rising key.
  std::vector<std::pair<uint32_t, uint32_t>> usesByKey;

  // The position of the declaration at `offset`, when there is one.
  std::optional<uint32_t> DeclarationAt(int32_t offset) const;
  // The position of the first declaration of `key`, when there is one.
  std::optional<uint32_t> FirstDeclarationOf(uint32_t key) const;
};

// Where `place` stands.
inline NameRange NameRangeOf(const NamePlace& place) {
  return {place.line, place.column, place.endColumn};
}
inline NameRange NameRangeOf(const NameUse& use) {
  return {use.line, use.column, use.endColumn};
}

// The names of the site's files, each file scanned once per text, and the numbers of the names'
// upper-cased keys. Files are known by their ids in the SiteIndex.
class NameIndex {
 public:
  // The number of the upper-cased name `key`, given out on first use.
  uint32_t Key(TextView key);

  // Scans `content` as the text of `file`, replacing what was known of it.
  const FileNames& Scan(uint32_t file, TextView content);
  // The names of `file`, or null when it was not scanned since it was last forgotten.
  const FileNames* Of(uint32_t file) const;
  // Forgets `file`, whose text changed.
  void Forget(uint32_t file);
  // The declarations of `key` in every file known, in no set order.
  const std::vector<DeclarationRef>& DeclaredBy(uint32_t key) const;
  // The declaration that a use of `key` in the <% %> code of a page resolves to: the page's own
  // choice where its tree declares the name more than once (`chosen`, by rising key), otherwise
  // the declaration of the name among the page's `files` (ids, rising).
  std::optional<DeclarationRef> Resolve(const std::vector<PageName>& chosen,
                                        const std::vector<uint32_t>& files, uint32_t key) const;
  // Every file scanned, by rising id.
  std::vector<uint32_t> Files() const;

 private:
  // Keeps what `script` and `names`, one scan of the text of `file` indexed by `lines`, found.
  const FileNames& Keep(uint32_t file, const ScriptScan& script, const NameScan& names,
                        const LineIndex& lines);

  std::unordered_map<Text, uint32_t, text::UnitsHash, text::SameUnitsEqual> keys_;
  std::vector<std::unique_ptr<FileNames>> files_;
  // By key.
  std::vector<std::vector<DeclarationRef>> declaredBy_;
};

// The declaration `page` resolves the name `key` to, when it declares the name; `names` are the
// page's, sorted by key.
std::optional<DeclarationRef> Resolved(const std::vector<PageName>& names, uint32_t key);

}  // namespace lintra::lsp
