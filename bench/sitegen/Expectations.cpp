#include "sitegen/Expectations.h"

#include <algorithm>
#include <vector>

namespace lintra {

namespace {

// The files reachable from `page`, each before every file it includes (the site has no cycles).
std::vector<size_t> TopologicalOrder(const Site& site, size_t page) {
  const std::vector<SiteFile>& files = site.Files();
  std::vector<bool> seen(files.size(), false);
  std::vector<size_t> finished;
  std::vector<std::pair<size_t, size_t>> stack = {{page, 0}};
  seen[page] = true;
  while (!stack.empty()) {
    auto& [file, next] = stack.back();
    const std::vector<Piece>& pieces = files[file].pieces;
    while (next < pieces.size() &&
           (pieces[next].target < 0 || seen[static_cast<size_t>(pieces[next].target)])) {
      ++next;
    }
    if (next == pieces.size()) {
      finished.push_back(file);
      stack.pop_back();
      continue;
    }
    const auto target = static_cast<size_t>(pieces[next].target);
    seen[target] = true;
    stack.push_back({target, 0});
  }
  std::reverse(finished.begin(), finished.end());
  return finished;
}

}  // namespace

Expectations ExpectationsOf(const Site& site) {
  const std::vector<SiteFile>& files = site.Files();
  Expectations expected;
  std::vector<uint64_t> occurrences(files.size(), 0);
  for (size_t page = 0; page < files.size(); ++page) {
    if (!files[page].path.ends_with(".asp")) continue;
    ++expected.pages;
    const std::vector<size_t> order = TopologicalOrder(site, page);
    occurrences[page] = 1;
    uint64_t nodes = 0;
    for (const size_t file : order) {
      nodes += occurrences[file];
      for (const Piece& piece : files[file].pieces) {
        if (piece.target >= 0) occurrences[static_cast<size_t>(piece.target)] += occurrences[file];
      }
    }
    for (const size_t file : order) {
      if (file != page && occurrences[file] > 1) {
        expected.duplicate += occurrences[file];
      }
      occurrences[file] = 0;
    }
    expected.nodes += nodes;
    expected.largestTree = std::max(expected.largestTree, nodes);
  }
  return expected;
}

}  // namespace lintra
