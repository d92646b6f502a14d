#include "site/IncludeIndex.h"

#include "analysis/File.h"
#include "analysis/PreOrder.h"

namespace lintra {

void IncludeIndex::Add(File& page, LineIndexes& lines) {
  const auto number = static_cast<uint32_t>(pages_.size());
  pages_.push_back(page.FullPath());
  ForEachFile(page, [&](File& file, File* parent) {
    if (!parent) return;
    Entry& entry = byFile_[text::UCase(file.FullPath())];
    const LineIndex& index = lines.Of(parent->Content());
    entry.includers.insert({parent->FullPath(), index.At(file.BaseFileStart()).line});
    if (entry.pages.empty() || entry.pages.back() != number) entry.pages.push_back(number);
  });
}

std::vector<Includer> IncludeIndex::Includers(TextView path) const {
  const auto entry = byFile_.find(text::UCase(path));
  if (entry == byFile_.end()) return {};
  return {entry->second.includers.begin(), entry->second.includers.end()};
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

}  // namespace lintra
