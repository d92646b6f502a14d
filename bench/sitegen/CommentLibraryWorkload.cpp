#include "sitegen/Compose.h"
#include "sitegen/Workloads.h"

namespace lintra {

namespace {

// `bytes` bytes (a line more at most) of HTML comments on lines of their own, some spanning
// several lines, with CR LF line ends.
std::string CommentLines(Random& random, size_t bytes) {
  static const char* const words[] = {"layout", "header", "footer", "menu",  "grid",
                                      "legacy", "column", "banner", "table", "form"};
  std::string text;
  text.reserve(bytes + 256);
  while (text.size() < bytes) {
    text += "<!--";
    const int64_t count = random.Between(3, 12);
    for (int64_t i = 0; i < count; ++i) {
      text += ' ';
      text += words[random.Between(0, 9)];
      if (random.Chance(10)) text += "\r\n ";
    }
    text += " -->\r\n";
  }
  return text;
}

}  // namespace

// `pages` pages that each include one library made of nothing but HTML comments, directly. The
// pages are the same for every library size.
Site CommentLibraryWorkload(uint64_t seed, size_t libraryBytes, int pages) {
  Random random(seed);
  const Filler filler(random.Fork(1));
  Random libraryText = random.Fork(2);
  Random texts = random.Fork(3);
  Site site;
  const int library = site.Add("lib/comments.inc");
  site.Append(library, CommentLines(libraryText, libraryBytes));
  for (int page = 0; page < pages; ++page) {
    const int file = site.Add("page_" + Number(page) + ".asp");
    Compose(site, file, filler, texts, static_cast<size_t>(texts.Between(1024, 2048)),
            {{library, AnyKind(texts)}});
  }
  return site;
}

}  // namespace lintra
