#include "site/IncludeIndex.h"

#include <algorithm>

#include "analysis/DirectiveOf.h"
#include "analysis/File.h"

namespace lintra {

namespace {

// Whether `path` is the FullPath of `file`, unit for unit; FullPath is not built.
bool SpellsPath(const File& file, TextView path) {
  const Text& folder = file.Path();
  return path.size() == folder.size() + file.Name().size() &&
         text::SameUnits(path.substr(0, folder.size()), folder) &&
         text::SameUnits(path.substr(folder.size()), file.Name());
}

}  // namespace

IncludeIndex::Entry& IncludeIndex::EntryOf(File& file, const File& parent) {
  const SourceText* text = file.SharedContent().get();
  if (!text) return byFile_[text::UCase(NamedPath(parent, file))];
  const auto named = byText_.find(text);
  if (named != byText_.end() &&
      text::SameIgnoringCase(file.FullPathView(), *named->second.upperPath)) {
    return *named->second.entry;
  }
  const auto slot = byFile_.try_emplace(text::UCase(file.FullPathView())).first;
  byText_[text] = {&slot->first, &slot->second};
  return slot->second;
}

IncludeIndex::Entry& IncludeIndex::Indexed(File& file, File& parent, LineIndexes& lines) {
  const DirectiveKey key{parent.SharedContent().get(), file.BaseFileStart()};
  if (key.text) {
    const auto known = known_.find(key);
    if (known != known_.end() && SpellsPath(parent, known->second.includer->file)) {
      return *known->second.entry;
    }
  }
  Entry& entry = EntryOf(file, parent);
  const LineIndex& index = lines.Of(parent.Content());
  const Includer& includer =
      *entry.includers.insert({parent.FullPath(), index.At(file.BaseFileStart()).line}).first;
  if (key.text) known_[key] = {&entry, &includer};
  return entry;
}

IncludeIndex::Entry& IncludeIndex::PageIncluded(File& file, File& page, uint32_t number,
                                                const LineIndex& lines) {
  Entry& entry = EntryOf(file, page);
  const std::pair<uint32_t, int32_t> includer{number, lines.At(file.BaseFileStart()).line};
  if (entry.pageIncluders.empty() || entry.pageIncluders.back() != includer) {
    entry.pageIncluders.push_back(includer);
  }
  return entry;
}

void IncludeIndex::Add(const PageTree& tree, LineIndexes& lines) {
  File& page = tree.Page();
  const auto number = static_cast<uint32_t>(pages_.size());
  pages_.push_back(page.FullPath());
  const LineIndex* pageLines = nullptr;
  const std::vector<PageTree::Node>& nodes = tree.Nodes();
  for (size_t at = 1; at < nodes.size(); ++at) {
    File& file = *nodes[at].file;
    File& parent = *nodes[nodes[at].parent].file;
    if (&parent == &page && !pageLines) pageLines = &lines.Of(page.Content());
    Entry& entry = &parent == &page ? PageIncluded(file, page, number, *pageLines)
                                    : Indexed(file, parent, lines);
    if (entry.pages.empty() || entry.pages.back() != number) entry.pages.push_back(number);
  }
}

std::vector<Includer> IncludeIndex::IncludersOf(const Entry& entry) const {
  std::vector<Includer> includers(entry.includers.begin(), entry.includers.end());
  for (const auto& [page, line] : entry.pageIncluders) includers.push_back({pages_[page], line});
  std::sort(includers.begin(), includers.end());
  // A page that other pages include may be counted both ways.
  includers.erase(std::unique(includers.begin(), includers.end()), includers.end());
  return includers;
}

std::vector<Includer> IncludeIndex::Includers(TextView path) const {
  const auto entry = byFile_.find(text::UCase(path));
  if (entry == byFile_.end()) return {};
  return IncludersOf(entry->second);
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
  for (const auto& [path, entry] : byFile_) {
    count += entry.includers.size() + entry.pageIncluders.size();
    // A page that other pages include may be counted both ways.
    if (entry.includers.empty()) continue;
    for (const auto& [page, line] : entry.pageIncluders) {
      count -= entry.includers.count(IncluderView{pages_[page], line});
    }
  }
  return count;
}

}  // namespace lintra
