#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "analysis/File.h"
#include "apps/host/DiskFiles.h"
#include "apps/host/DiskHost.h"
#include "rules/Checker.h"
#include "site/Findings.h"
#include "site/PageDiscovery.h"
#include "site/SiteAnalysis.h"

namespace lintra {

namespace {

int Usage() {
  std::fprintf(stderr, "usage: lintra-rulesbench --root DIR [--flags] [PAGE...]\n");
  return 2;
}

struct Counts {
  size_t pages = 0;
  size_t findings = 0;
};

// Analyses `pages` of the site at `root` one after the other and counts the findings: the rules'
// (one per rule and place) or, with `flags`, the control's three flags per page and copy.
Counts Run(const std::string& root, const std::vector<Text>& pages, bool flags) {
  const DiskFiles files(root);
  DiskHost host(files, 1'000'000);
  SiteAnalysis site(host, text::FromUtf8(root));
  Checker checker;
  Counts counts;
  for (const Text& page : pages) {
    host.StartPage();
    const std::shared_ptr<File> tree = site.Tree(page);
    ++counts.pages;
    if (flags) {
      counts.findings += PageFindings(*tree).size();
    } else {
      checker.Check(*tree);
    }
  }
  if (!flags) counts.findings = checker.Findings().size();
  return counts;
}

}  // namespace

}  // namespace lintra

using namespace lintra;

// Times one analysis of a generated site's pages with the rules, or with the control's flags as
// the command line checks them today, and prints the time and the counts on one line.
int main(int argc, char** argv) {
  std::string root;
  bool flags = false;
  std::vector<Text> pages;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--root" && i + 1 < argc) {
      root = argv[++i];
    } else if (argument == "--flags") {
      flags = true;
    } else if (argument.starts_with("--")) {
      return Usage();
    } else {
      pages.push_back(text::FromUtf8(argument));
    }
  }
  if (root.empty()) return Usage();
  try {
    if (pages.empty()) pages = PageDiscovery({}).FindPages(root);
    const auto start = std::chrono::steady_clock::now();
    const Counts counts = Run(root, pages, flags);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("%s: %zu pages, %zu findings, %.3f s\n", flags ? "flags" : "rules", counts.pages,
                counts.findings, took.count());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "lintra-rulesbench: %s\n", error.what());
    return 1;
  }
  return 0;
}
