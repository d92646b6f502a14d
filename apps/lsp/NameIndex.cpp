#include "apps/lsp/NameIndex.h"

#include <algorithm>

#include "site/TextPosition.h"

namespace lintra::lsp {

namespace {

// The extent of `declaration`: `body` when it has one, else its name.
DeclarationExtent ExtentOf(const Declaration& declaration, const TextSpan* body,
                           const LineIndex& lines) {
  if (!body) return {declaration.line, declaration.column, declaration.line, declaration.endColumn};
  const LineColumn start = lines.At(body->begin + 1);
  const LineColumn end = lines.At(body->end + 1);
  return {start.line, start.column, end.line, end.column};
}

// The bodies the scan gives are those of the <% %> code, the script numbered 0.
DeclarationExtent ExtentOf(const Declaration& declaration, const std::vector<TextSpan>& bodies,
                           const LineIndex& lines) {
  const bool hasBody = declaration.unit == 0 && (declaration.kind == DeclarationKind::Class ||
                                                 declaration.kind == DeclarationKind::Procedure);
  const size_t body = hasBody ? BodyHolding(bodies, declaration.offset) : TextView::npos;
  return ExtentOf(declaration, body == TextView::npos ? nullptr : &bodies[body], lines);
}

}  // namespace

std::optional<uint32_t> FileNames::DeclarationAt(int32_t offset) const {
  const auto at = std::lower_bound(
      declarations.begin(), declarations.end(), offset,
      [](const Declaration& declaration, int32_t wanted) { return declaration.offset < wanted; });
  if (at == declarations.end() || at->offset != offset) return std::nullopt;
  return static_cast<uint32_t>(at - declarations.begin());
}

std::optional<uint32_t> FileNames::FirstDeclarationOf(uint32_t key) const {
  const auto at = std::lower_bound(declarationsByKey.begin(), declarationsByKey.end(),
                                   std::make_pair(key, uint32_t{0}));
  if (at == declarationsByKey.end() || at->first != key) return std::nullopt;
  return at->second;
}

uint32_t NameIndex::Key(TextView key) {
  const auto known = keys_.find(key);
  if (known != keys_.end()) return known->second;
  return keys_.emplace(Text(key), static_cast<uint32_t>(keys_.size())).first->second;
}

const FileNames& NameIndex::Scan(uint32_t file, TextView content) {
  ScriptScan script;
  const LineIndex lines(content);
  const NameScan names = ScanNames(content, lines, &script);
  return Keep(file, script, names, lines);
}

const FileNames& NameIndex::Keep(uint32_t file, const ScriptScan& script, const NameScan& scanned,
                                 const LineIndex& lines) {
  Forget(file);
  auto names = std::make_unique<FileNames>();
  names->declarations = script.declarations;
  for (const Declaration& declaration : names->declarations) {
    names->extents.push_back(ExtentOf(declaration, script.bodies, lines));
  }
  names->locals = scanned.locals;
  for (const LocalName& local : names->locals) {
    const bool hasBody = local.body.end > local.body.begin;
    names->localExtents.push_back(
        ExtentOf(local.declaration, hasBody ? &local.body : nullptr, lines));
  }
  names->uses.reserve(scanned.uses.size());
  names->useKeys.reserve(scanned.uses.size());
  for (uint32_t i = 0; i < names->declarations.size(); ++i) {
    const uint32_t key = Key(names->declarations[i].key);
    names->declarationKeys.push_back(key);
    names->declarationsByKey.emplace_back(key, i);
    if (declaredBy_.size() <= key) declaredBy_.resize(key + 1);
    declaredBy_[key].push_back({file, i});
  }
  std::sort(names->declarationsByKey.begin(), names->declarationsByKey.end());
  for (uint32_t i = 0; i < scanned.uses.size(); ++i) {
    const NameUse& use = scanned.uses[i];
    names->uses.push_back({NameRangeOf(use), use.unit, use.local});
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
  if (file >= files_.size() || !files_[file]) return;
  for (const uint32_t key : files_[file]->declarationKeys) {
    std::erase_if(declaredBy_[key], [file](const DeclarationRef& ref) { return ref.file == file; });
  }
  files_[file].reset();
}

const std::vector<DeclarationRef>& NameIndex::DeclaredBy(uint32_t key) const {
  static const std::vector<DeclarationRef> none;
  return key < declaredBy_.size() ? declaredBy_[key] : none;
}

std::optional<DeclarationRef> NameIndex::Resolve(const std::vector<PageName>& chosen,
                                                 const std::vector<uint32_t>& files,
                                                 uint32_t key) const {
  if (const std::optional<DeclarationRef> resolved = Resolved(chosen, key)) return resolved;
  const std::vector<DeclarationRef>& declared = DeclaredBy(key);
  // Whichever of the two is shorter is gone through, the other searched.
  if (declared.size() <= files.size()) {
    for (const DeclarationRef& declaration : declared) {
      if (std::binary_search(files.begin(), files.end(), declaration.file)) return declaration;
    }
    return std::nullopt;
  }
  for (const uint32_t file : files) {
    const FileNames* names = Of(file);
    const std::optional<uint32_t> found = names ? names->FirstDeclarationOf(key) : std::nullopt;
    if (found) return DeclarationRef{file, *found};
  }
  return std::nullopt;
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
