#include <benchmark/benchmark.h>

#include "analysis/File.h"
#include "analysis/Files.h"
#include "micro/Pages.h"
#include "micro/QuadraticSearch.h"

namespace lintra {

// The duplicate search: the library's own pass (the difference between analysing a page and
// parsing it without the pass, see ParseBench.cpp) beside the design's quadratic search over the
// same tree. Arguments: directives on the page, distinct files among them. With every file
// distinct no search stops early, the quadratic search's worst and a real site's usual case.

namespace {

void ParseWithoutDuplicateSearch(benchmark::State& state) {
  MemorySite site;
  const Text page =
      AddWidePage(site, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) {
    auto node = std::make_shared<File>();
    node->Container(site.Control());
    node->FullPath(page);
    node->Content(site.Files[page]);
    node->Parse();
    benchmark::DoNotOptimize(node.get());
    state.PauseTiming();
    node->Delete();
    node.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void QuadraticDuplicateSearch(benchmark::State& state) {
  MemorySite site;
  const Text page =
      AddWidePage(site, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const std::shared_ptr<File> root = site.Control()->AnalysePage(u"", page);
  int64_t flagged = 0;
  for (const auto& child : *root->Includes()) flagged += child->DuplicateInclude() ? 1 : 0;
  for (auto _ : state) {
    const int64_t found = QuadraticDuplicateCount(*root);
    if (found != flagged) state.SkipWithError("the two searches disagree");
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  root->Delete();
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
  for (int64_t n : {1000, 10000, 30000}) {
    benchmark->Args({n, n});
    benchmark->Args({n, n / 10});
  }
  benchmark->ArgNames({"includes", "distinct"})->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(ParseWithoutDuplicateSearch)->Apply(Sizes);
BENCHMARK(QuadraticDuplicateSearch)->Apply(Sizes);

}  // namespace lintra
