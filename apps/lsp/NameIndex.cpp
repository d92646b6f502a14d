#include "apps/lsp/NameIndex.h"

#include <algorithm>

#include "site/TextPosition.h"

namespace lintra::lsp {

std::optional<uint32_t> FileNames::DeclarationAt(int32_t offset) const {
  const std::vector<Declaration>& declarations = script.declarations;
  const auto at = std::lower_bound(
      declarations.begin(), declarations.end(), offset,
      [](const Declaration& declaration, int32_t wanted) { return declaration.offset < wanted; });
  if (at == declarations.end() || at->offset != offset) return std::nullopt;
  return static_cast<uint32_t>(at - declarations.begin());
}

uint32_t NameIndex::Key(const Text& key) {
  return keys_.try_emplace(key, static_cast<uint32_t>(keys_.size())).first->second;
}

std::optional<uint32_t> NameIndex::FindKey(const Text& key) const {
  const auto found = keys_.find(key);
  if (found == keys_.end()) return std::nullopt;
  return found->second;
}

const FileNames& NameIndex::Scan(uint32_t file, TextView content) {
  const LineIndex lines(content);
  auto names = std::make_unique<FileNames>();
  names->script = ScanScript(content, lines);
  names->names = ScanNames(content, lines);
  for (const Declaration& declaration : names->script.declarations) {
    names->declarationKeys.push_back(Key(declaration.key));
  }
  for (uint32_t i = 0; i < names->names.uses.size(); ++i) {
    const NameUse& use = names->names.uses[i];
    names->useKeys.push_back(Key(use.key));
    if (use.local < 0) names->usesByKey.emplace_back(names->useKeys.back(), i);
  }
  std::sort(names->usesByKey.begin(), names->usesByKey.end());
  if (files_.size() <= file) files_.resize(file + 1);
  files_[file] = std::move(names);
  return *files_[file];
}

const FileNames* NameIndex::Of(uint32_t file) const {
  return file < files_.size() ? files_[file].get() : nullptr;
}

void NameIndex::Forget(uint32_t file) {
  if (file < files_.size()) files_[file].reset();
}

std::vector<uint32_t> NameIndex::Files() const {
  std::vector<uint32_t> scanned;
  for (uint32_t file = 0; file < files_.size(); ++file) {
    if (files_[file]) scanned.push_back(file);
  }
  return scanned;
}

std::optional<DeclarationRef> Resolved(const std::vector<PageName>& names, uint32_t key) {
  const auto at =
      std::lower_bound(names.begin(), names.end(), key,
                       [](const PageName& name, uint32_t wanted) { return name.key < wanted; });
  if (at == names.end() || at->key != key) return std::nullopt;
  return at->declaration;
}

}  // namespace lintra::lsp
