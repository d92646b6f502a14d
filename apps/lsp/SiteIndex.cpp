#include "apps/lsp/SiteIndex.h"

#include <algorithm>

#include "apps/lsp/FileKey.h"

namespace lintra::lsp {

uint32_t SiteIndex::Intern(const Text& webPath) {
  const auto known = bySpelling_.find(webPath);
  if (known != bySpelling_.end()) return known->second;
  const auto [found, added] = ids_.try_emplace(FileKey(webPath), uint32_t(names_.size()));
  if (added) {
    names_.emplace_back(webPath);
    reaching_.emplace_back();
    byFoldedKey_[text::UCase(found->first)].push_back(found->second);
  }
  if (bySpelling_.size() < MaxSpellings) bySpelling_.emplace(webPath, found->second);
  return found->second;
}

std::vector<uint32_t> SiteIndex::InAnyCase(const std::vector<Text>& webPaths) const {
  std::vector<uint32_t> files;
  for (const Text& webPath : webPaths) {
    const auto spelt = byFoldedKey_.find(text::UCase(FileKey(webPath)));
    if (spelt != byFoldedKey_.end())
      files.insert(files.end(), spelt->second.begin(), spelt->second.end());
  }
  std::sort(files.begin(), files.end());
  files.erase(std::unique(files.begin(), files.end()), files.end());
  return files;
}

std::optional<uint32_t> SiteIndex::Find(TextView webPath) const {
  const auto found = ids_.find(FileKey(webPath));
  if (found == ids_.end()) return std::nullopt;
  return found->second;
}

void SiteIndex::Set(uint32_t page, PageRecord record) {
  Remove(page);
  ++changes_;
  for (const uint32_t file : record.files) {
    std::vector<uint32_t>& pages = reaching_[file];
    pages.insert(std::lower_bound(pages.begin(), pages.end(), page), page);
  }
  if (records_.size() <= page) records_.resize(page + 1);
  records_[page] = std::move(record);
}

void SiteIndex::Remove(uint32_t page) {
  if (page >= records_.size() || !records_[page]) return;
  ++changes_;
  for (const uint32_t file : records_[page]->files) {
    std::vector<uint32_t>& pages = reaching_[file];
    const auto at = std::lower_bound(pages.begin(), pages.end(), page);
    if (at != pages.end() && *at == page) pages.erase(at);
  }
  records_[page].reset();
}

const PageRecord* SiteIndex::Record(uint32_t page) const {
  return page < records_.size() && records_[page] ? &*records_[page] : nullptr;
}

const std::vector<uint32_t>& SiteIndex::Reaching(uint32_t file) const {
  static const std::vector<uint32_t> none;
  return file < reaching_.size() ? reaching_[file] : none;
}

std::vector<IndexedDirective> SiteIndex::Includers(uint32_t file) const {
  std::vector<IndexedDirective> found;
  for (const uint32_t page : Reaching(file)) {
    for (const IndexedDirective& directive : records_[page]->directives) {
      if (directive.target == file) found.push_back(directive);
    }
  }
  std::sort(found.begin(), found.end());
  found.erase(std::unique(found.begin(), found.end()), found.end());
  return found;
}

}  // namespace lintra::lsp
