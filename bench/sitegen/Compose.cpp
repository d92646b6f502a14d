#include "sitegen/Compose.h"

#include <algorithm>
#include <cstdio>

namespace lintra {

void Compose(Site& site, int file, const Filler& filler, Random& random, size_t bytes,
             const std::vector<Link>& links) {
  size_t left = bytes;
  for (size_t i = 0; i <= links.size(); ++i) {
    const size_t share = left / (links.size() + 1 - i);
    size_t size =
        i < links.size()
            ? share / 2 + static_cast<size_t>(random.Between(0, static_cast<int64_t>(share)))
            : left;
    size = std::min(size, left);
    std::string text = filler.Lines(random, size);
    left -= std::min(text.size(), left);
    if (!text.empty()) site.Append(file, std::move(text));
    if (i < links.size()) site.IncludeLine(file, links[i].target, links[i].kind);
  }
}

Directive AnyKind(Random& random) {
  const int64_t roll = random.Between(0, 9);
  if (roll < 5) return Directive::File;
  return roll < 9 ? Directive::Virtual : Directive::BareVirtual;
}

std::string NameWord(Random& random) {
  static const char* const words[] = {"common", "data",   "ui",     "shop",    "util",
                                      "forms",  "nav",    "auth",   "report",  "mail",
                                      "legacy", "v2",     "layout", "catalog", "admin",
                                      "i18n",   "search", "cart",   "export",  "widgets"};
  return words[random.Between(0, sizeof words / sizeof words[0] - 1)];
}

std::string Number(int n) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%04d", n);
  return digits;
}

}  // namespace lintra
