#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "floor/FloorWalk.h"

namespace lintra {}  // namespace lintra

using namespace lintra;

// Measures the scan floor of a site: one pass over the expanded volume of its pages. Prints the
// totals as key=value pairs for the benchmark runner.
int main(int argc, char** argv) {
  std::string root = ".";
  unsigned long long maxNodes = 1000000;
  std::vector<std::string> pages;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--root" && i + 1 < argc) {
      root = argv[++i];
    } else if (argument == "--max-files" && i + 1 < argc) {
      maxNodes = std::strtoull(argv[++i], nullptr, 10);
    } else if (argument.starts_with("--")) {
      std::fprintf(stderr, "usage: lintra-scanfloor [--root DIR] [--max-files N] [PAGE...]\n");
      return 2;
    } else {
      pages.push_back(argument);
    }
  }
  try {
    if (pages.empty()) pages = FindPages(root);
    FloorWalk walk(root, maxNodes);
    for (const std::string& page : pages) walk.Walk(page);
    const FloorTotals& totals = walk.Totals();
    std::printf("pages=%llu nodes=%llu bytes=%llu openers=%llu stopped=%llu\n",
                static_cast<unsigned long long>(totals.pages),
                static_cast<unsigned long long>(totals.nodes),
                static_cast<unsigned long long>(totals.bytes),
                static_cast<unsigned long long>(totals.openers),
                static_cast<unsigned long long>(totals.stopped));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "lintra-scanfloor: %s\n", error.what());
    return 1;
  }
  return 0;
}
