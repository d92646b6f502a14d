#include "site/IncludeIndex.h"

#include <algorithm>

#include "analysis/File.h"
#include "analysis/PreOrder.h"

namespace lintra {

namespace {

// Whether `path` is the FullPath of `file`, unit for unit; FullPath is not built.
bool SpellsPath(const File& file, TextView path) {
  const Text& folder = file.Path();
  return path.size() == folder.size() + file.Name().size() && path.starts_with(folder) &&
         path.substr(folder.size()) == file.Name();
}

}  // namespace

IncludeIndex::Entry& IncludeIndex::Indexed(File& file, File& parent, bool parentIsPage,
                                           LineIndexes& lines) {
  const DirectiveKey key{parent.SharedContent().get(), file.BaseFileStart()};
  const bool knowable = !parentIsPage && key.text;
  if (knowable) {
    const auto known = known_.find(key);
    if (known != known_.end() && SpellsPath(parent, known->second.includer->file)) {
      return *known->second.entry;
    }
  }
  const auto slot = byFile_.try_emplace(text::UCase(file.FullPath())).first;
  const LineIndex& index = lines.Of(parent.Content());
  const Includer& includer =
      *slot->second.includers.insert({parent.FullPath(), index.At(file.BaseFileStart()).line})
           .first;
  if (knowable) known_[key] = {&slot->second, &includer};
  return slot->second;
}

void IncludeIndex::Add(File& page, LineIndexes& lines) {
  const auto number = static_cast<uint32_t>(pages_.size());
  pages_.push_back(page.FullPath());
  ForEachFile(page, [&](File& file, File* parent) {
    if (!parent) return;
    Entry& entry = Indexed(file, *parent, parent == &page, lines);
    if (entry.pages.empty() || entry.pages.back() != number) entry.pages.push_back(number);
  });
}

std::vector<Includer> IncludeIndex::Includers(TextView path) const {
  const auto entry = byFile_.find(text::UCase(path));
  if (entry == byFile_.end()) return {};
  std::vector<Includer> includers(entry->second.includers.begin(), entry->second.includers.end());
  std::sort(includers.begin(), includers.end());
  return includers;
}

std::vector<Text> IncludeIndex::Pages(TextView path, size_t most) const {
  std::vector<Text> pages;
  const auto entry = byFile_.find(text::UCase(path));
  if (entry == byFile_.end()) return pages;
  for (const uint32_t number : entry->second.pages) {
    if (pages.size() == most) break;
    pages.push_back(pages_[number]);
  }
  return pages;
}

size_t IncludeIndex::PageCount(TextView path) const {
  const auto entry = byFile_.find(text::UCase(path));
  return entry == byFile_.end() ? 0 : entry->second.pages.size();
}

size_t IncludeIndex::DirectiveCount() const {
  size_t count = 0;
  for (const auto& [path, entry] : byFile_) count += entry.includers.size();
  return count;
}

}  // namespace lintra
