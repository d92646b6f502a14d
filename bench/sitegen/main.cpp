#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <string>

#include "sitegen/Expectations.h"
#include "sitegen/SiteWriter.h"
#include "sitegen/Workloads.h"

namespace lintra {

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: lintra-sitegen --workload NAME --seed N --out DIR\n"
               "       lintra-sitegen --list\n");
  return 2;
}

}  // namespace

}  // namespace lintra

using namespace lintra;

// Writes one benchmark workload as an ASP site (DIR/asp) and its C mirror (DIR/c), and what a
// correct check of the site reports as key=value pairs in DIR/expected.
int main(int argc, char** argv) {
  std::string workload;
  std::string out;
  unsigned long long seed = 1;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--list") {
      for (const std::string& name : WorkloadNames()) std::printf("%s\n", name.c_str());
      return 0;
    }
    if (i + 1 >= argc) return Usage();
    if (argument == "--workload") {
      workload = argv[++i];
    } else if (argument == "--seed") {
      seed = std::strtoull(argv[++i], nullptr, 10);
    } else if (argument == "--out") {
      out = argv[++i];
    } else {
      return Usage();
    }
  }
  if (workload.empty() || out.empty()) return Usage();
  try {
    const Site site = MakeWorkload(workload, seed);
    WriteSite(site, out);
    const Expectations expected = ExpectationsOf(site);
    std::ofstream(out + "/expected")
        << "pages=" << expected.pages << " nodes=" << expected.nodes
        << " largest=" << expected.largestTree
        << " missing=0 circular=0 duplicate=" << expected.duplicate << "\n";
    std::printf("%s: %zu files written to %s\n", workload.c_str(), site.Files().size(),
                out.c_str());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "lintra-sitegen: %s\n", error.what());
    return 1;
  }
  return 0;
}
