#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <set>
#include <unordered_map>
#include <vector>

#include "platform/Text.h"
#include "site/TextPosition.h"

namespace lintra {

class File;

// An include directive that includes a file: the file that holds it and its line there.
struct Includer {
  Text file;
  int32_t line = 0;

  auto operator<=>(const Includer&) const = default;
};

// The reverse of include trees: for each file, the directives that include it and the pages
// that reach it, over every page added so far. Files are known by their full path as the trees
// name them, compared without regard to letter case, as the dependency match compares them; a
// file that could not be read has only its name.
class IncludeIndex {
 public:
  // Adds the analysed tree of `page`; its directives are placed with `lines`.
  void Add(File& page, LineIndexes& lines);

  // The directives that include `path` directly, sorted by file and line, each once however
  // many pages reach it.
  std::vector<Includer> Includers(TextView path) const;

  // The pages whose trees include `path` below their root, in the order they were added, each
  // once; the first `most` of them.
  std::vector<Text> Pages(TextView path, size_t most = SIZE_MAX) const;

  // How many pages Pages(path) lists, without listing them.
  size_t PageCount(TextView path) const;

 private:
  struct Entry {
    std::set<Includer> includers;
    // Positions in pages_, rising.
    std::vector<uint32_t> pages;
  };

  std::unordered_map<Text, Entry> byFile_;
  std::vector<Text> pages_;
};

}  // namespace lintra
