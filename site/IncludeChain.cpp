#include "site/IncludeChain.h"

#include "analysis/DirectiveOf.h"
#include "analysis/File.h"
#include "analysis/Files.h"
#include "site/ChangedFiles.h"

namespace lintra {

namespace {

// A file met by the breadth-first search, with the position of the file that includes it.
struct Reached {
  File* file;
  size_t parent;
};

constexpr size_t NoParent = static_cast<size_t>(-1);

// How a chain names `node`, which `parent` includes (null for the page).
Text ChainName(const File* parent, const File& node) {
  const std::optional<Text> requested =
      parent && node.MissingFile() ? RequestedPath(*parent, node) : std::nullopt;
  return requested ? *requested : node.FullPath();
}

// The chain that ends at `reached[last]`, page first.
std::vector<ChainLink> ChainTo(const std::vector<Reached>& reached, size_t last,
                               LineIndexes& lines) {
  std::vector<ChainLink> chain;
  int32_t line = 0;
  for (size_t at = last; at != NoParent; at = reached[at].parent) {
    const File& file = *reached[at].file;
    const size_t parent = reached[at].parent;
    const File* includer = parent == NoParent ? nullptr : reached[parent].file;
    chain.push_back({ChainName(includer, file), line});
    if (includer) line = lines.Of(includer->Content()).At(file.BaseFileStart()).line;
  }
  return {chain.rbegin(), chain.rend()};
}

}  // namespace

std::vector<ChainLink> IncludeChain(File& page, const ChangedFiles& changed, LineIndexes& lines) {
  // Level by level, each level in directive order: the first file found is the nearest.
  std::vector<Reached> reached{{&page, NoParent}};
  for (size_t at = 0; at < reached.size(); ++at) {
    File& file = *reached[at].file;
    const size_t parent = reached[at].parent;
    if (changed.Holds(parent == NoParent ? nullptr : reached[parent].file, file)) {
      return ChainTo(reached, at, lines);
    }
    const Files* includes = file.IncludesIfAny();
    if (!includes) continue;
    for (const std::shared_ptr<File>& child : *includes) reached.push_back({child.get(), at});
  }
  return {};
}

Text ChainText(const std::vector<ChainLink>& chain) {
  Text text;
  for (size_t i = 0; i < chain.size(); ++i) {
    text += chain[i].file;
    if (i + 1 < chain.size()) text += u":" + text::FromNumber(chain[i].line) + u" -> ";
  }
  return text;
}

}  // namespace lintra
