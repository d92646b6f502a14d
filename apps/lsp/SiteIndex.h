#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "apps/lsp/NameIndex.h"
#include "platform/Text.h"
#include "rules/RuleFinding.h"

namespace lintra::lsp {

// Where one include directive stands in the text of the file holding it (its first position and
// the position after it, 1-based UTF-16 units), and which file it includes; files by their ids in
// the SiteIndex.
struct IndexedDirective {
  uint32_t holder = 0;
  uint32_t target = 0;
  int32_t start = 0;
  int32_t end = 0;

  auto operator<=>(const IndexedDirective&) const = default;
};

// What the analysis of one page left to remember.
struct PageRecord {
  // Every file of the page's tree, the page and missing files included, once each, rising.
  std::vector<uint32_t> files;
  // Every directive of the tree, once each, rising.
  std::vector<IndexedDirective> directives;
  // Whether the rules were run on the page: only for pages that reach a document open in the
  // editor, the only ones whose findings are shown.
  bool checked = false;
  // The rule findings of the page, when checked; unused-include's as this page alone judges them.
  std::vector<RuleFinding> findings;
  // The names the page declares in more than one place, each with the declaration its uses
  // resolve to, by rising key (see NameIndex::Resolve for the others).
  std::vector<PageName> names;
};

// The last analysis of every page of a site, and its reverse: for each file, the pages whose
// trees hold it. Files are known by small ids given out to their FileKey, so that thousands of
// pages naming one include hold a number each rather than its path.
class SiteIndex {
 public:
  // The id of the file `webPath` names, given out on first use; the first spelling is its name.
  uint32_t Intern(const Text& webPath);
  // The id of `webPath` when it was ever given out.
  std::optional<uint32_t> Find(TextView webPath) const;
  const Text& Name(uint32_t file) const { return names_[file]; }
  // The ids given out to paths that name one of `webPaths` in any letter case, rising: the files
  // that paths written in another case than a file made since reached before it was there.
  std::vector<uint32_t> InAnyCase(const std::vector<Text>& webPaths) const;

  // Replaces what is known of `page` by `record`.
  void Set(uint32_t page, PageRecord record);
  // Forgets `page`.
  void Remove(uint32_t page);
  // The record of `page`, or null when it was never set or was removed.
  const PageRecord* Record(uint32_t page) const;

  // The pages whose trees hold `file` (a page holds itself), by rising id.
  const std::vector<uint32_t>& Reaching(uint32_t file) const;
  // The directives of every page that include `file`, each once, rising.
  std::vector<IndexedDirective> Includers(uint32_t file) const;
  // How many times a record was set or removed: what depends on the records needs no work again
  // while this stays.
  uint64_t Changes() const { return changes_; }

 private:
  // Ids by FileKey.
  std::unordered_map<Text, uint32_t> ids_;
  // Ids by path as the trees spell it, so that the paths seen again, nearly all of them, are found
  // without making their key; at most MaxSpellings, as trees may spell paths without end.
  static constexpr size_t MaxSpellings = size_t{1} << 20;
  std::unordered_map<Text, uint32_t, std::hash<Text>, text::SameUnitsEqual> bySpelling_;
  std::vector<Text> names_;
  // Ids by FileKey in upper case: the files whose paths differ only in letter case.
  std::unordered_map<Text, std::vector<uint32_t>> byFoldedKey_;
  // By page id; empty records for ids that are no page.
  std::vector<std::optional<PageRecord>> records_;
  // By file id: the pages holding it, rising.
  std::vector<std::vector<uint32_t>> reaching_;
  uint64_t changes_ = 0;
};

}  // namespace lintra::lsp
