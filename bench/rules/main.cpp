#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "analysis/File.h"
#include "apps/host/DiskFiles.h"
#include "apps/host/DiskHost.h"
#include "apps/lintra/PageChunks.h"
#include "rules/Checker.h"
#include "site/PageDiscovery.h"
#include "site/SiteAnalysis.h"

namespace lintra {

namespace {

int Usage() {
  std::fprintf(stderr, "usage: lintra-rulesbench --root DIR [--trees-only] [--jobs N] [PAGE...]\n");
  return 2;
}

struct Counts {
  size_t pages = 0;
  size_t findings = 0;
};

// What one thread needs to analyse and check pages: a host and control of its own, and a checker.
struct Worker {
  explicit Worker(const std::string& root)
      : files(root), host(files, 1'000'000), site(host, text::FromUtf8(root)) {}
  DiskFiles files;
  DiskHost host;
  SiteAnalysis site;
  Checker checker;
};

// What a worker made of a chunk of pages; its checker keeps the findings of all its chunks.
struct Chunk {
  size_t pages = 0;
};

// Analyses `pages` of the site at `root` on `jobs` threads and counts the rules' findings (one
// per rule and place); with `treesOnly`, only builds the pages' trees.
Counts Run(const std::string& root, const std::vector<Text>& pages, bool treesOnly, unsigned jobs) {
  Checker total;
  Counts counts;
  std::vector<std::unique_ptr<Worker>> workers;
  for (unsigned i = 0; i < JobsFor(jobs, pages.size()); ++i) {
    workers.push_back(std::make_unique<Worker>(root));
  }
  RunInChunks(
      pages.size(), workers,
      [&](Worker& worker, size_t first, size_t end) {
        Chunk chunk;
        for (size_t i = first; i < end; ++i) {
          worker.host.StartPage();
          const std::shared_ptr<File> tree = worker.site.Tree(pages[i]);
          ++chunk.pages;
          if (!treesOnly) worker.checker.Check(PageTree(*tree), static_cast<int64_t>(i) + 1);
        }
        return chunk;
      },
      [&](Chunk&& chunk) { counts.pages += chunk.pages; });
  for (const std::unique_ptr<Worker>& worker : workers) {
    total.Merge(worker->checker.TakeFindings());
  }
  counts.findings = total.Findings().size();
  return counts;
}

}  // namespace

}  // namespace lintra

using namespace lintra;

// Times one analysis of a generated site's pages with the rules, or of their trees alone to show
// what the rules add, on one thread or more (--jobs, 0 for one per core), and
// prints the time and the counts on one line.
int main(int argc, char** argv) {
  std::string root;
  bool treesOnly = false;
  unsigned jobs = 1;
  std::vector<Text> pages;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--root" && i + 1 < argc) {
      root = argv[++i];
    } else if (argument == "--jobs" && i + 1 < argc) {
      jobs = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
    } else if (argument == "--trees-only") {
      treesOnly = true;
    } else if (argument.starts_with("--")) {
      return Usage();
    } else {
      pages.push_back(text::FromUtf8(argument));
    }
  }
  if (root.empty()) return Usage();
  try {
    if (pages.empty()) pages = PageDiscovery::PagesAmong(PageDiscovery({}).FindFiles(root));
    const auto start = std::chrono::steady_clock::now();
    const Counts counts = Run(root, pages, treesOnly, jobs);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("%s: %zu pages, %zu findings, %.3f s\n", treesOnly ? "trees" : "rules",
                counts.pages, counts.findings, took.count());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "lintra-rulesbench: %s\n", error.what());
    return 1;
  }
  return 0;
}
