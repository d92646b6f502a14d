#include "apps/lsp/NameQueries.h"

#include <algorithm>
#include <unordered_set>

#include "analysis/File.h"
#include "apps/lsp/Protocol.h"
#include "site/ChangedFiles.h"
#include "site/IncludeChain.h"

namespace lintra::lsp {

namespace {

bool On(const NameRange& range, Position position) {
  return Contains(range.line, range.column, range.line, range.endColumn, position);
}

// The position of the declaration of `key` in script `unit` of `names`, when it has one.
std::optional<uint32_t> DeclaredInUnit(const FileNames& names, uint32_t key, int32_t unit) {
  for (uint32_t i = 0; i < names.declarations.size(); ++i) {
    if (names.declarationKeys[i] == key && names.declarations[i].unit == unit) return i;
  }
  return std::nullopt;
}

NameSpot SpotOf(uint32_t file, const Declaration& declaration) {
  return {file, NameRangeOf(declaration), &declaration};
}

NameDefinition Declared(uint32_t file, const FileNames& names, uint32_t index, uint32_t page) {
  return {SpotOf(file, names.declarations[index]), page, DeclarationRef{file, index}, -1};
}

NameDefinition Local(uint32_t file, const FileNames& names, int32_t local) {
  const Declaration& declaration = names.locals[static_cast<size_t>(local)].declaration;
  return {SpotOf(file, declaration), file, std::nullopt, local};
}

// The first page that reaches `file`, or the file itself when none does.
uint32_t FirstPage(Workspace& workspace, uint32_t file) {
  const std::vector<uint32_t>& pages = workspace.Index().Reaching(file);
  return pages.empty() ? file : pages.front();
}

// The 0-based offset of `position` in `content`.
size_t OffsetOf(const Text& content, Position position) {
  const LineIndex lines(content);
  const LineIndex::Span line = lines.Line(content, static_cast<int32_t>(position.line + 1));
  const auto character = static_cast<size_t>(std::max<int64_t>(position.character, 0));
  return line.begin + std::min(character, line.end - line.begin);
}

}  // namespace

std::optional<NameTarget> NameAt(Workspace& workspace, uint32_t file, Position position) {
  const FileNames* names = workspace.NamesOf(file);
  if (!names) return std::nullopt;
  using Kind = NameTarget::Kind;
  const std::vector<Declaration>& declarations = names->declarations;
  for (uint32_t i = 0; i < declarations.size(); ++i) {
    if (On(NameRangeOf(declarations[i]), position)) {
      return NameTarget{Kind::Declaration, file, i, NameRangeOf(declarations[i])};
    }
  }
  for (uint32_t i = 0; i < names->locals.size(); ++i) {
    const Declaration& local = names->locals[i].declaration;
    if (On(NameRangeOf(local), position))
      return NameTarget{Kind::Local, file, i, NameRangeOf(local)};
  }
  for (uint32_t i = 0; i < names->uses.size(); ++i) {
    const IndexedUse& use = names->uses[i];
    if (On(use.range, position)) return NameTarget{Kind::Use, file, i, use.range};
  }
  return std::nullopt;
}

std::vector<NameDefinition> Definitions(Workspace& workspace, const NameTarget& target) {
  const FileNames* names = workspace.NamesOf(target.file);
  if (!names) return {};
  switch (target.kind) {
    case NameTarget::Kind::Declaration:
      return {Declared(target.file, *names, target.index, FirstPage(workspace, target.file))};
    case NameTarget::Kind::Local:
      return {Local(target.file, *names, static_cast<int32_t>(target.index))};
    case NameTarget::Kind::Use:
      break;
  }
  const IndexedUse& use = names->uses[target.index];
  if (use.local >= 0) return {Local(target.file, *names, use.local)};
  const uint32_t key = names->useKeys[target.index];
  if (use.unit != 0) {
    if (const std::optional<uint32_t> own = DeclaredInUnit(*names, key, use.unit)) {
      return {Declared(target.file, *names, *own, FirstPage(workspace, target.file))};
    }
  }
  std::vector<NameDefinition> found;
  for (const uint32_t page : workspace.Index().Reaching(target.file)) {
    const PageRecord* record = workspace.Index().Record(page);
    const std::optional<DeclarationRef> resolved =
        record ? workspace.ResolveName(*record, key) : std::nullopt;
    if (!resolved || std::any_of(found.begin(), found.end(), [&](const NameDefinition& known) {
          return known.declaration == resolved;
        })) {
      continue;
    }
    const FileNames* holder = workspace.NamesOf(resolved->file);
    if (holder && resolved->declaration < holder->declarations.size()) {
      found.push_back(Declared(resolved->file, *holder, resolved->declaration, page));
    }
  }
  return found;
}

std::vector<NameSpot> References(Workspace& workspace, const NameDefinition& definition) {
  std::vector<NameSpot> spots = {definition.spot};
  const uint32_t home = definition.spot.file;
  const FileNames* names = workspace.NamesOf(home);
  if (!names) return spots;
  if (definition.local >= 0) {
    for (const IndexedUse& use : names->uses) {
      if (use.local == definition.local) spots.push_back({home, use.range, nullptr});
    }
    return spots;
  }
  if (!definition.declaration) return spots;
  const DeclarationRef declaration = *definition.declaration;
  const uint32_t key = names->declarationKeys[declaration.declaration];
  const int32_t unit = names->declarations[declaration.declaration].unit;
  std::vector<uint32_t> files;
  if (unit != 0) {
    files.push_back(home);
  } else {
    for (const uint32_t page : workspace.Index().Reaching(home)) {
      const PageRecord* record = workspace.Index().Record(page);
      if (record && workspace.ResolveName(*record, key) == declaration) {
        files.insert(files.end(), record->files.begin(), record->files.end());
      }
    }
    std::sort(files.begin(), files.end());
    files.erase(std::unique(files.begin(), files.end()), files.end());
  }
  std::sort(files.begin(), files.end(), [&](uint32_t a, uint32_t b) {
    return workspace.Index().Name(a) < workspace.Index().Name(b);
  });
  for (const uint32_t file : files) {
    const FileNames* user = workspace.NamesOf(file);
    if (!user) continue;
    const auto [first, last] = std::equal_range(
        user->usesByKey.begin(), user->usesByKey.end(), std::make_pair(key, uint32_t{0}),
        [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto at = first; at != last; ++at) {
      const IndexedUse& use = user->uses[at->second];
      // A declaration in a server script block serves that block alone; one of the page's is
      // hidden in a block that declares the name itself.
      const bool seen =
          unit != 0 ? use.unit == unit : use.unit == 0 || !DeclaredInUnit(*user, key, use.unit);
      if (seen) spots.push_back({file, use.range, nullptr});
    }
  }
  return spots;
}

std::string ChainTo(Workspace& workspace, uint32_t page, uint32_t file) {
  const std::shared_ptr<File> tree = workspace.Analyse(workspace.Index().Name(page));
  if (!tree) return {};
  const ChangedFiles target({workspace.Index().Name(file)}, {});
  LineIndexes lines;
  return text::ToReadable(ChainText(IncludeChain(*tree, target, lines)));
}

std::vector<NameSpot> VisibleAt(Workspace& workspace, uint32_t file, Position position) {
  std::vector<NameSpot> visible;
  const FileNames* names = workspace.NamesOf(file);
  const std::optional<Text> content = workspace.CurrentText(workspace.Index().Name(file));
  if (!names || !content) return visible;
  std::unordered_set<TextView> seen;
  const auto add = [&](uint32_t holder, const Declaration& declaration) {
    if (seen.insert(declaration.key).second) visible.push_back(SpotOf(holder, declaration));
  };
  const auto offset = static_cast<int32_t>(OffsetOf(*content, position));
  for (const LocalName& local : names->locals) {
    if (local.scope.begin <= offset && offset < local.scope.end) add(file, local.declaration);
  }
  const PageRecord* record = workspace.Index().Record(FirstPage(workspace, file));
  if (!record) {
    for (const Declaration& declaration : names->declarations) add(file, declaration);
    return visible;
  }
  const size_t locals = visible.size();
  for (const uint32_t holder : record->files) {
    const FileNames* declaring = workspace.NamesOf(holder);
    if (!declaring) continue;
    for (const uint32_t key : declaring->declarationKeys) {
      const std::optional<DeclarationRef> resolved = workspace.ResolveName(*record, key);
      if (resolved && resolved->file == holder) {
        add(holder, declaring->declarations[resolved->declaration]);
      }
    }
  }
  std::sort(
      visible.begin() + static_cast<std::ptrdiff_t>(locals), visible.end(),
      [](const NameSpot& a, const NameSpot& b) { return a.declaration->key < b.declaration->key; });
  return visible;
}

std::vector<NameSpot> DeclarationsMatching(Workspace& workspace, const Text& query, size_t most) {
  std::vector<NameSpot> found;
  const Text key = text::UCase(query);
  for (const uint32_t file : workspace.FilesWithNames()) {
    const FileNames* names = workspace.NamesOf(file);
    for (const Declaration& declaration : names->declarations) {
      if (found.size() >= most) return found;
      if (declaration.key.find(key) != Text::npos) found.push_back(SpotOf(file, declaration));
    }
  }
  return found;
}

}  // namespace lintra::lsp
