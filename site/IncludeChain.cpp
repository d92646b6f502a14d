#include "site/IncludeChain.h"

#include <unordered_set>

#include "analysis/File.h"
#include "analysis/Files.h"

namespace lintra {

namespace {

// A file met by the breadth-first search, with the position of the file that includes it.
struct Reached {
  File* file;
  size_t parent;
};

constexpr size_t NoParent = static_cast<size_t>(-1);

// The chain that ends at `reached[last]`, page first.
std::vector<ChainLink> ChainTo(const std::vector<Reached>& reached, size_t last,
                               LineIndexes& lines) {
  std::vector<ChainLink> chain;
  int32_t line = 0;
  for (size_t at = last; at != NoParent; at = reached[at].parent) {
    const File& file = *reached[at].file;
    const size_t parent = reached[at].parent;
    chain.push_back({file.FullPath(), line});
    if (parent != NoParent) {
      line = lines.Of(reached[parent].file->Content()).At(file.BaseFileStart()).line;
    }
  }
  return {chain.rbegin(), chain.rend()};
}

}  // namespace

std::vector<ChainLink> IncludeChain(File& page, const std::vector<Text>& paths,
                                    LineIndexes& lines) {
  std::unordered_set<Text> wanted;
  for (const Text& path : paths) wanted.insert(text::UCase(path));
  // Level by level, each level in directive order: the first file found is the nearest.
  std::vector<Reached> reached{{&page, NoParent}};
  for (size_t at = 0; at < reached.size(); ++at) {
    File& file = *reached[at].file;
    if (wanted.contains(text::UCase(file.FullPath()))) return ChainTo(reached, at, lines);
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
