#include "sitegen/Compose.h"
#include "sitegen/Workloads.h"

namespace lintra {

// 1,000 pages that each include one heavy library file directly and through two helper files
// that include it too. The pages and helpers are the same for every library size.
Site LibraryWorkload(uint64_t seed, size_t libraryBytes) {
  Random random(seed);
  const Filler filler(random.Fork(1));
  Random libraryText = random.Fork(2);
  Random texts = random.Fork(3);
  Site site;
  const int library = site.Add("lib/core/library.inc");
  const int format = site.Add("lib/helpers/format.inc");
  const int session = site.Add("lib/helpers/session.inc");
  Compose(site, library, filler, libraryText, libraryBytes, {});
  Compose(site, format, filler, texts, 2048, {{library, Directive::File}});
  Compose(site, session, filler, texts, 2048, {{library, Directive::Virtual}});

  static const char* const folders[] = {"", "shop/", "shop/cart/", "admin/", "members/area/"};
  for (int page = 0; page < 1000; ++page) {
    const int file =
        site.Add(folders[texts.Between(0, 4)] + std::string("page_") + Number(page) + ".asp");
    std::vector<Link> links = {
        {format, Directive::File}, {library, AnyKind(texts)}, {session, AnyKind(texts)}};
    std::swap(links[0], links[static_cast<size_t>(texts.Between(0, 2))]);
    Compose(site, file, filler, texts, static_cast<size_t>(texts.Between(2048, 4096)), links);
  }
  return site;
}

}  // namespace lintra
