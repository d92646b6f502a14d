#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "platform/Text.h"
#include "site/PageTree.h"
#include "site/TextPosition.h"

namespace lintra {

class File;
class SourceText;

// An include directive known by the text that holds it and its start there, for the walks over
// many trees that show the same directives again: a text that a tree shows below its root is
// one of the included files of the run, which stay alive while the run goes on. Where the
// including file has the same full path, the directive names the same file.
struct DirectiveKey {
  const SourceText* text = nullptr;
  int32_t start = 0;

  bool operator==(const DirectiveKey&) const = default;
};

struct DirectiveKeyHash {
  size_t operator()(const DirectiveKey& key) const {
    return std::hash<const void*>()(key.text) * 31 + static_cast<size_t>(key.start);
  }
};

// An include directive that includes a file: the file that holds it and its line there.
struct Includer {
  Text file;
  int32_t line = 0;

  auto operator<=>(const Includer&) const = default;
};

// The reverse of include trees: for each file, the directives that include it and the pages
// that reach it, over every page added so far. Files are known by their full path as the trees
// name them, compared without regard to letter case, as the dependency match compares them; a
// file that could not be read by the path its directive asks for (see NamedPath).
class IncludeIndex {
 public:
  // Adds the analysed tree of a page; its directives are placed with `lines`.
  void Add(const PageTree& page, LineIndexes& lines);

  // The directives that include `path` directly, sorted by file and line, each once however
  // many pages reach it.
  std::vector<Includer> Includers(TextView path) const;

  // The pages whose trees include `path` below their root, in the order they were added, each
  // once; the first `most` of them.
  std::vector<Text> Pages(TextView path, size_t most = SIZE_MAX) const;

  // How many pages Pages(path) lists, without listing them.
  size_t PageCount(TextView path) const;

  // How many directives Includers lists over every file.
  size_t DirectiveCount() const;

 private:
  // An Includer that views its file's path, to look includers up by.
  struct IncluderView {
    TextView file;
    int32_t line = 0;
  };
  struct IncluderHash {
    using is_transparent = void;
    size_t operator()(const Includer& includer) const {
      return (*this)(IncluderView{includer.file, includer.line});
    }
    size_t operator()(const IncluderView& includer) const {
      return std::hash<TextView>()(includer.file) ^ static_cast<size_t>(includer.line);
    }
  };
  struct SameIncluder {
    using is_transparent = void;
    template <class A, class B>
    bool operator()(const A& a, const B& b) const {
      return a.line == b.line && text::SameUnits(a.file, b.file);
    }
  };
  struct Entry {
    // Unordered, so that the many directives of a shared file are found in constant time; sorted
    // when asked for.
    std::unordered_set<Includer, IncluderHash, SameIncluder> includers;
    // The directives of the pages themselves, by the page's position in pages_ and the line:
    // each is new, and the page's path is held once in pages_.
    std::vector<std::pair<uint32_t, int32_t>> pageIncluders;
    // Positions in pages_, rising.
    std::vector<uint32_t> pages;
  };
  // A directive indexed before: the entry of its file and its includer.
  struct Known {
    Entry* entry;
    const Includer* includer;
  };

  // The entry of `file`, which `parent`, a file below the page, includes, with the directive
  // recorded. A directive indexed before is found by its DirectiveKey, once the including file
  // is seen to be the same.
  Entry& Indexed(File& file, File& parent, LineIndexes& lines);
  // The entry of `file`, which `page`, numbered `number` and whose lines are `lines`, includes,
  // with the directive recorded.
  Entry& PageIncluded(File& file, File& page, uint32_t number, const LineIndex& lines);
  // The entry of `file`, which `parent` includes, made when new. The entry of a file that was read
  // is also known by its text, which the run keeps, once the path is seen to be the same.
  Entry& EntryOf(File& file, const File& parent);
  // The includers of `entry`, sorted, each once.
  std::vector<Includer> IncludersOf(const Entry& entry) const;

  std::unordered_map<Text, Entry> byFile_;
  struct Named {
    const Text* upperPath;
    Entry* entry;
  };
  std::unordered_map<const SourceText*, Named> byText_;
  std::unordered_map<DirectiveKey, Known, DirectiveKeyHash> known_;
  std::vector<Text> pages_;
};

}  // namespace lintra
