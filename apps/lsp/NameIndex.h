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

// A name a page declares and the declaration its uses resolve to there; key by NameIndex::Key.
struct PageName {
  uint32_t key = 0;
  DeclarationRef declaration;
};

// The names of one file's text: its script-level declarations, its uses of names and its local
// declarations, with the number of each name's key.
struct FileNames {
  ScriptScan script;
  NameScan names;
  std::vector<uint32_t> declarationKeys;
  // By position in names.uses; for local uses too.
  std::vector<uint32_t> useKeys;
  // The positions in names.uses of the uses of page-level names, by rising key.
  std::vector<std::pair<uint32_t, uint32_t>> usesByKey;

  // The position of the declaration at `offset`, when there is one.
  std::optional<uint32_t> DeclarationAt(int32_t offset) const;
};

// The names of the site's files, each file scanned once per text, and the numbers of the names'
// upper-cased keys. Files are known by their ids in the SiteIndex.
class NameIndex {
 public:
  // The number of the upper-cased name `key`, given out on first use.
  uint32_t Key(const Text& key);
  // The number of `key` when it was given out.
  std::optional<uint32_t> FindKey(const Text& key) const;

  // Scans `content` as the text of `file`, replacing what was known of it.
  const FileNames& Scan(uint32_t file, TextView content);
  // The names of `file`, or null when it was not scanned since it was last forgotten.
  const FileNames* Of(uint32_t file) const;
  // Forgets `file`, whose text changed.
  void Forget(uint32_t file);
  // Every file scanned, by rising id.
  std::vector<uint32_t> Files() const;

 private:
  std::unordered_map<Text, uint32_t> keys_;
  std::vector<std::unique_ptr<FileNames>> files_;
};

// The declaration `page` resolves the name `key` to, when it declares the name; `names` are the
// page's, sorted by key.
std::optional<DeclarationRef> Resolved(const std::vector<PageName>& names, uint32_t key);

}  // namespace lintra::lsp
