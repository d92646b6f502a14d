#include "sitegen/Compose.h"
#include "sitegen/Workloads.h"

namespace lintra {

namespace {

constexpr int kTops = 50;
constexpr int kMiddles = 90;
constexpr int kLeaves = 160;

// Include folders 4 to 6 levels deep, all below inc/.
std::vector<std::string> IncludeFolders(Random& random) {
  std::vector<std::string> folders;
  for (int i = 0; i < 40; ++i) {
    std::string folder = "inc/";
    const int64_t depth = random.Between(4, 6);
    for (int64_t level = 1; level < depth; ++level) folder += NameWord(random) + "/";
    folders.push_back(folder);
  }
  return folders;
}

// `count` links to files picked from `first` to `last`.
std::vector<Link> Picks(Random& random, int count, int first, int last) {
  std::vector<Link> links;
  for (int i = 0; i < count; ++i) {
    links.push_back({static_cast<int>(random.Between(first, last)), AnyKind(random)});
  }
  return links;
}

}  // namespace

// A project of `pages` pages (2,000 in W1) over 300 include files in three layers (top files
// include middle ones, middle files include leaves). Every page pulls in 40 to 150 files, directly
// and through nesting; include texts are 1 to 8 KB. A smaller project has the same include files
// and the first pages of a larger one.
Site ProjectWorkload(uint64_t seed, int pages) {
  Random random(seed);
  const Filler filler(random.Fork(1));
  Random names = random.Fork(2);
  Random texts = random.Fork(3);
  Site site;

  const std::vector<std::string> folders = IncludeFolders(names);
  const int includes = kTops + kMiddles + kLeaves;
  for (int i = 0; i < includes; ++i) {
    const std::string& folder =
        folders[static_cast<size_t>(names.Between(0, static_cast<int64_t>(folders.size()) - 1))];
    site.Add(folder + NameWord(names) + "_" + Number(i) + ".inc");
  }
  const int middle = kTops;
  const int leaf = kTops + kMiddles;

  std::vector<int> nodes(includes, 1);
  for (int file = includes - 1; file >= 0; --file) {
    std::vector<Link> links;
    if (file < middle) {
      links = Picks(texts, static_cast<int>(texts.Between(2, 4)), middle, includes - 1);
    } else if (file < leaf) {
      links = Picks(texts, static_cast<int>(texts.Between(2, 4)), leaf, includes - 1);
    }
    for (const Link& link : links) {
      nodes[static_cast<size_t>(file)] += nodes[static_cast<size_t>(link.target)];
    }
    Compose(site, file, filler, texts,
            static_cast<size_t>(texts.Between(1024, 7936)) - 48 * links.size(), links);
  }

  static const char* const pageFolders[] = {"",         "shop/",        "shop/cart/",
                                            "admin/",   "admin/users/", "news/archive/2003/",
                                            "account/", "help/"};
  for (int page = 0; page < pages; ++page) {
    const std::string folder = pageFolders[names.Between(0, 7)];
    const int file = site.Add(folder + "page_" + Number(page) + ".asp");
    const int wanted = static_cast<int>(texts.Between(40, 150));
    int pulled = 0;
    int misses = 0;
    std::vector<Link> links;
    while (pulled < wanted) {
      const int64_t layer = texts.Between(0, 9);
      const int first = layer < 6 ? 0 : layer < 9 ? middle : leaf;
      const int last = layer < 6 ? middle - 1 : layer < 9 ? leaf - 1 : includes - 1;
      const int pick = misses > 20 ? static_cast<int>(texts.Between(leaf, includes - 1))
                                   : static_cast<int>(texts.Between(first, last));
      if (pulled + nodes[static_cast<size_t>(pick)] > wanted) {
        ++misses;
        continue;
      }
      links.push_back({pick, AnyKind(texts)});
      pulled += nodes[static_cast<size_t>(pick)];
    }
    Compose(site, file, filler, texts, static_cast<size_t>(texts.Between(2048, 6144)), links);
  }
  return site;
}

}  // namespace lintra
