#include <benchmark/benchmark.h>

#include "analysis/File.h"
#include "micro/Pages.h"
#ifdef LINTRA_BENCH_SHARED_TEXTS
#include "micro/SharedMemorySite.h"

namespace lintra {

#endif

// Parsing through the control: a wide page (many directives) and a page that pulls one large
// file in many times, beside the cost of the host handing that file's text over as often. Each
// runs with a host that copies every text out (MemorySite) and, where the library takes shared
// texts, with one that hands out a shared text per file (SharedMemorySite).

namespace {

// Analyses a wide page: the whole parse plus the library's duplicate pass. Arguments:
// directives on the page, distinct files among them.
template <class Site>
void AnalyseWidePage(benchmark::State& state) {
  Site site;
  const Text page =
      AddWidePage(site, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) {
    std::shared_ptr<File> root = site.Control()->AnalysePage(u"", page);
    benchmark::DoNotOptimize(root.get());
    state.PauseTiming();
    root->Delete();
    root.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Analyses a page that includes one file of the given size the given number of times. The time
// per occurrence should not depend on the file's size once the file has been read.
template <class Site>
void AnalyseLargeInclude(benchmark::State& state) {
  Site site;
  const auto bytes = static_cast<size_t>(state.range(0));
  const auto uses = static_cast<int>(state.range(1));
  const Text page = AddLargeIncludePage(site, bytes, uses);
  for (auto _ : state) {
    std::shared_ptr<File> root = site.Control()->AnalysePage(u"", page);
    benchmark::DoNotOptimize(root.get());
    state.PauseTiming();
    root->Delete();
    root.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * state.range(0) * uses);
  state.counters["occurrence"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * uses,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The host alone answering the same requests: what handing the text over costs per occurrence.
void SupplyLargeInclude(benchmark::State& state) {
  MemorySite site;
  const auto bytes = static_cast<size_t>(state.range(0));
  const auto uses = static_cast<int>(state.range(1));
  AddLargeIncludePage(site, bytes, uses);
  const Text library = u"lib/library_" + text::FromNumber(state.range(0)) + u".inc";
  for (auto _ : state) {
    for (int i = 0; i < uses; ++i) {
      Text path = library;
      int32_t error = 0;
      Text content;
      site.GetFile(path, error, content);
      benchmark::DoNotOptimize(content.data());
    }
  }
  state.SetBytesProcessed(state.iterations() * state.range(0) * uses);
  state.counters["occurrence"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * uses,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void WideSizes(benchmark::internal::Benchmark* benchmark) {
  for (int64_t n : {1000, 10000, 30000}) {
    benchmark->Args({n, n});
    benchmark->Args({n, n / 10});
  }
  benchmark->ArgNames({"includes", "distinct"})->Unit(benchmark::kMillisecond);
}

void LargeSizes(benchmark::internal::Benchmark* benchmark) {
  for (int64_t bytes : {int64_t{64} << 10, int64_t{1} << 20, int64_t{4} << 20}) {
    benchmark->Args({bytes, 32});
  }
  benchmark->ArgNames({"bytes", "uses"})->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK_TEMPLATE(AnalyseWidePage, MemorySite)->Apply(WideSizes);
BENCHMARK_TEMPLATE(AnalyseLargeInclude, MemorySite)->Apply(LargeSizes);
BENCHMARK(SupplyLargeInclude)->Apply(LargeSizes);
#ifdef LINTRA_BENCH_SHARED_TEXTS
BENCHMARK_TEMPLATE(AnalyseWidePage, SharedMemorySite)->Apply(WideSizes);
BENCHMARK_TEMPLATE(AnalyseLargeInclude, SharedMemorySite)->Apply(LargeSizes);
#endif

}  // namespace lintra
