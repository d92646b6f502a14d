#include "site/IncludeIndex.h"

#include "analysis/File.h"
#include "analysis/Files.h"

namespace lintra {

void IncludeIndex::Add(File& page, LineIndexes& lines) {
  const auto number = static_cast<uint32_t>(pages_.size());
  pages_.push_back(page.FullPath());
  std::vector<File*> pending{&page};
  while (!pending.empty()) {
    File& file = *pending.back();
    pending.pop_back();
    const Files* includes = file.IncludesIfAny();
    if (!includes || includes->size() == 0) continue;
    const Text includer = file.FullPath();
    const LineIndex& index = lines.Of(file.Content());
    for (const std::shared_ptr<File>& child : *includes) {
      Entry& entry = byFile_[text::UCase(child->FullPath())];
      entry.includers.insert({includer, index.At(child->BaseFileStart()).line});
      if (entry.pages.empty() || entry.pages.back() != number) entry.pages.push_back(number);
      pending.push_back(child.get());
    }
  }
}

std::vector<Includer> IncludeIndex::Includers(TextView path) const {
  const auto entry = byFile_.find(text::UCase(path));
  if (entry == byFile_.end()) return {};
  return {entry->second.includers.begin(), entry->second.includers.end()};
}

std::vector<Text> IncludeIndex::Pages(TextView path) const {
  std::vector<Text> pages;
  const auto entry = byFile_.find(text::UCase(path));
  if (entry == byFile_.end()) return pages;
  for (const uint32_t number : entry->second.pages) pages.push_back(pages_[number]);
  return pages;
}

}  // namespace lintra
