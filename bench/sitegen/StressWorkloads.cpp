#include <algorithm>

#include "sitegen/Compose.h"
#include "sitegen/Workloads.h"

namespace lintra {

namespace {

// Small include files with no directives of their own, `count` of them, 100 to a folder.
int AddParts(Site& site, const Filler& filler, Random& random, const std::string& stem, int count,
             int smallest, int largest) {
  const int first = static_cast<int>(site.Files().size());
  for (int i = 0; i < count; ++i) {
    const int file =
        site.Add(stem + "/g" + std::to_string(i / 100) + "/part_" + Number(i) + ".inc");
    Compose(site, file, filler, random, static_cast<size_t>(random.Between(smallest, largest)), {});
  }
  return first;
}

}  // namespace

// One page with 30,000 directives over 3,000 distinct files, each used ten times.
Site WidePageWorkload(uint64_t seed) {
  Random random(seed);
  const Filler filler(random.Fork(1));
  Site site;
  const int page = site.Add("wide.asp");
  const int first = AddParts(site, filler, random, "parts", 3000, 200, 1000);
  std::vector<Link> links;
  for (int i = 0; i < 30000; ++i) links.push_back({first + i % 3000, AnyKind(random)});
  for (size_t i = links.size() - 1; i > 0; --i) {
    std::swap(links[i], links[static_cast<size_t>(random.Between(0, static_cast<int64_t>(i)))]);
  }
  Compose(site, page, filler, random, 30000 * 40, links);
  return site;
}

// A page on a chain of `length` distinct include files (5,000 in W3), each including the next.
Site DeepChainWorkload(uint64_t seed, int length) {
  Random random(seed);
  const Filler filler(random.Fork(1));
  Site site;
  const int page = site.Add("deep.asp");
  for (int i = 0; i < length; ++i) {
    site.Add("chain/d" + std::to_string(i / 250) + "/link_" + Number(i) + ".inc");
  }
  Compose(site, page, filler, random, 2048, {{page + 1, Directive::Virtual}});
  for (int i = 0; i < length; ++i) {
    std::vector<Link> links;
    if (i + 1 < length) links.push_back({page + 2 + i, AnyKind(random)});
    Compose(site, page + 1 + i, filler, random, static_cast<size_t>(random.Between(300, 800)),
            links);
  }
  return site;
}

// Forty files where each includes the next one twice: 2^40 occurrences in the page's tree.
Site ExplosionWorkload(uint64_t seed) {
  Random random(seed);
  const Filler filler(random.Fork(1));
  Site site;
  constexpr int files = 40;
  site.Add("boom.asp");
  for (int i = 1; i < files; ++i) site.Add("boom/x" + Number(i) + ".inc");
  for (int i = 0; i < files; ++i) {
    std::vector<Link> links;
    if (i + 1 < files) links = {{i + 1, AnyKind(random)}, {i + 1, AnyKind(random)}};
    Compose(site, i, filler, random, static_cast<size_t>(random.Between(200, 400)), links);
  }
  return site;
}

// One page of `total` bytes of long lines (2 to 64 KB) holding `directives` directives over 1,000
// small files (20 MB and 5,000 in W5).
Site BigPageWorkload(uint64_t seed, size_t total, int64_t directives) {
  Random random(seed);
  const Filler filler(random.Fork(1));
  Site site;
  const int page = site.Add("big.asp");
  const int first = AddParts(site, filler, random, "widgets", 1000, 500, 2000);
  size_t written = 0;
  int64_t placed = 0;
  while (written < total) {
    const auto line = static_cast<size_t>(random.Between(2048, 65536));
    const bool last = written + line >= total;
    const int64_t due =
        static_cast<int64_t>(static_cast<size_t>(directives) * (written + line) / total);
    const int64_t count = last ? directives - placed : std::clamp<int64_t>(due - placed, 0, 64);
    for (int64_t i = 0; i <= count; ++i) {
      std::string part = filler.LongLine(random, line / static_cast<size_t>(count + 1));
      written += part.size();
      site.Append(page, std::move(part));
      if (i < count) {
        site.Include(page, first + static_cast<int>(random.Between(0, 999)), AnyKind(random));
        ++placed;
      }
    }
    std::string end = random.Chance(10) ? "\r\n" + filler.Lines(random, 300) : "\r\n";
    written += end.size();
    site.Append(page, std::move(end));
  }
  return site;
}

}  // namespace lintra
