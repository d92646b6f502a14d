#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

namespace lintra {

// What one walk covered.
struct FloorTotals {
  uint64_t pages = 0;
  uint64_t nodes = 0;
  uint64_t bytes = 0;
  // Characters "<" seen, so that the scan cannot be left out.
  uint64_t openers = 0;
  // Pages whose walk stopped at the node limit.
  uint64_t stopped = 0;
};

// The scan floor: walks each page's include tree as the parser does, depth first in text order,
// and passes once over every byte of every node's text (the expanded volume). Each distinct file
// is read and its directives found only once, so what it measures is the pass over the
// occurrences, the least that any analysis that looks at every occurrence's text must do.
class FloorWalk {
 public:
  FloorWalk(std::filesystem::path root, uint64_t maxNodes);

  // Walks the page at web path `page`, adding to the totals.
  void Walk(const std::string& page);

  const FloorTotals& Totals() const { return totals_; }

 private:
  // One distinct file: its text and the files it includes. A file that cannot be read has
  // neither.
  struct Entry {
    std::string text;
    std::vector<std::string> includes;
  };

  const Entry& Load(const std::string& path);

  std::filesystem::path root_;
  uint64_t maxNodes_;
  std::unordered_map<std::string, Entry> entries_;
  FloorTotals totals_;
};

// Every *.asp page below `root`, as sorted web paths.
std::vector<std::string> FindPages(const std::filesystem::path& root);

}  // namespace lintra
