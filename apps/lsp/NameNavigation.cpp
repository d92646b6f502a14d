#include "apps/lsp/NameNavigation.h"

#include <algorithm>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "apps/lsp/LocationList.h"
#include "apps/lsp/NameQueries.h"
#include "rules/AspBlocks.h"
#include "rules/VbComments.h"
#include "site/TextPosition.h"

namespace lintra::lsp {

namespace {

// The most workspace symbols one answer lists.
constexpr size_t MostSymbols = 1000;

ProtocolRange ZeroBased(const NameRange& range) {
  return lsp::ZeroBased(range.line, range.column, range.line, range.endColumn);
}

Json RangeOf(const NameRange& range) {
  return lsp::RangeOf(ZeroBased(range));
}

// The protocol's location of `spot`, or null when its file has no URI.
Json LocationOf(Workspace& workspace, const NameSpot& spot) {
  const std::string uri = workspace.UriOf(spot.file);
  if (uri.empty()) return nullptr;
  return {{"uri", uri}, {"range", RangeOf(spot.range)}};
}

// The locations of `spots`, each place once, in their order, leaving out those in files without
// a URI.
JsonText LocationsOf(Workspace& workspace, const std::vector<NameSpot>& spots) {
  LocationList locations(spots.size());
  std::set<std::pair<uint32_t, NameRange>> seen;
  for (const NameSpot& spot : spots) {
    if (!seen.emplace(spot.file, spot.range).second) continue;
    const std::string uri = workspace.UriOf(spot.file);
    if (!uri.empty()) locations.Add(uri, ZeroBased(spot.range));
  }
  return std::move(locations).Take();
}

std::vector<NameDefinition> DefinitionsAt(Workspace& workspace, uint32_t file, Position position) {
  const std::optional<NameTarget> target = NameAt(workspace, file, position);
  return target ? Definitions(workspace, *target) : std::vector<NameDefinition>();
}

// The line of `spot` as its file reads now, without the blanks around it.
std::string LineOf(Workspace& workspace, const NameSpot& spot) {
  const std::optional<Text> content = workspace.CurrentText(workspace.Index().Name(spot.file));
  if (!content) return {};
  const LineIndex::Span line = LineIndex(*content).Line(*content, spot.range.line);
  TextView shown = TextView(*content).substr(line.begin, line.end - line.begin);
  while (!shown.empty() && (shown.front() == u' ' || shown.front() == u'\t'))
    shown.remove_prefix(1);
  while (!shown.empty() && (shown.back() == u' ' || shown.back() == u'\t')) shown.remove_suffix(1);
  return text::ToUtf8(shown);
}

std::string PlaceText(Workspace& workspace, const NameSpot& spot) {
  return text::ToReadable(workspace.Index().Name(spot.file)) + ":" +
         std::to_string(spot.range.line);
}

// The symbol kind of a declaration, and its completion item kind.
int SymbolKind(DeclarationKind kind, bool member) {
  switch (kind) {
    case DeclarationKind::Class:
      return 5;
    case DeclarationKind::Procedure:
      return member ? 6 : 12;
    case DeclarationKind::Constant:
      return 14;
    case DeclarationKind::Variable:
    case DeclarationKind::ReDim:
      return member ? 8 : 13;
  }
  return 13;
}

int CompletionKind(DeclarationKind kind) {
  switch (kind) {
    case DeclarationKind::Class:
      return 7;
    case DeclarationKind::Procedure:
      return 3;
    case DeclarationKind::Constant:
      return 21;
    case DeclarationKind::Variable:
    case DeclarationKind::ReDim:
      return 6;
  }
  return 6;
}

// The symbol of `declaration`, whose whole is `extent`: a client takes the whole for where the
// cursor is inside the symbol, and selects the name, which must lie in the whole (Language Server
// Protocol 3.17, "Document Symbols Request", microsoft.github.io/language-server-protocol).
Json Symbol(const Declaration& declaration, bool member, const DeclarationExtent& extent) {
  return {{"name", text::ToUtf8(declaration.name)},
          {"kind", SymbolKind(declaration.kind, member)},
          {"range", lsp::RangeOf(extent.line, extent.column, extent.endLine, extent.endColumn)},
          {"selectionRange", RangeOf(NameRangeOf(declaration))}};
}

// `extent` grown to hold `inner`: a class whose body the scan does not give (one in a
// <script runat="server"> block) still holds its members, as a client expects of a parent.
DeclarationExtent Covering(DeclarationExtent extent, const DeclarationExtent& inner) {
  if (std::pair(inner.line, inner.column) < std::pair(extent.line, extent.column)) {
    extent.line = inner.line;
    extent.column = inner.column;
  }
  if (std::pair(extent.endLine, extent.endColumn) < std::pair(inner.endLine, inner.endColumn)) {
    extent.endLine = inner.endLine;
    extent.endColumn = inner.endColumn;
  }
  return extent;
}

bool IsNameUnit(char16_t unit) {
  return (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z') ||
         (unit >= u'0' && unit <= u'9') || unit == u'_' || unit >= 0x80;
}

// Whether `at` in `content` lies in server-side VBScript, outside its string literals and
// comments; `lineBegin` starts its line.
bool InCode(TextView content, size_t lineBegin, size_t at) {
  const std::vector<CodeBlock> blocks = VbCode(content, LayOutAsp(content));
  const auto block = std::find_if(blocks.begin(), blocks.end(), [&](const CodeBlock& code) {
    return code.begin <= at && at <= code.end;
  });
  return block != blocks.end() &&
         !VbCommentOrStringHolds(content, std::max(block->begin, lineBegin), at);
}

// Whether names are what the cursor types: it stands in VBScript code (see InCode), and the word
// it ends does not follow a ".", which makes it a member.
bool TypesName(Workspace& workspace, uint32_t file, Position position) {
  const std::optional<Text> content = workspace.CurrentText(workspace.Index().Name(file));
  if (!content) return false;
  const LineIndex::Span line =
      LineIndex(*content).Line(*content, static_cast<int32_t>(position.line + 1));
  const auto character = static_cast<size_t>(std::max<int64_t>(position.character, 0));
  const size_t cursor = line.begin + std::min(character, line.end - line.begin);
  if (!InCode(*content, line.begin, cursor)) return false;
  size_t at = cursor;
  while (at > line.begin && IsNameUnit((*content)[at - 1])) --at;
  return at == line.begin || (*content)[at - 1] != u'.';
}

}  // namespace

std::optional<JsonText> NameDefinitions(Workspace& workspace, uint32_t file, Position position) {
  std::vector<NameSpot> spots;
  for (const NameDefinition& definition : DefinitionsAt(workspace, file, position)) {
    spots.push_back(definition.spot);
  }
  if (spots.empty()) return std::nullopt;
  return LocationsOf(workspace, spots);
}

std::optional<JsonText> NameReferences(Workspace& workspace, uint32_t file, Position position,
                                       bool withDeclarations) {
  const std::vector<NameDefinition> definitions = DefinitionsAt(workspace, file, position);
  if (definitions.empty()) return std::nullopt;
  std::vector<NameSpot> spots;
  for (const NameDefinition& definition : definitions) {
    const std::vector<NameSpot> found = References(workspace, definition);
    spots.insert(spots.end(), found.begin() + (withDeclarations ? 0 : 1), found.end());
  }
  return LocationsOf(workspace, spots);
}

Json NameHover(Workspace& workspace, uint32_t file, Position position) {
  const std::optional<NameTarget> target = NameAt(workspace, file, position);
  if (!target) return nullptr;
  const std::vector<NameDefinition> definitions = Definitions(workspace, *target);
  std::string value;
  for (const NameDefinition& definition : definitions) {
    if (!value.empty()) value += "\n\n---\n\n";
    value += "```vb\n" + LineOf(workspace, definition.spot) + "\n```\n\nDeclared at `" +
             PlaceText(workspace, definition.spot) + "`";
    const std::string chain = definition.spot.file == file && definitions.size() == 1
                                  ? std::string()
                                  : ChainTo(workspace, definition.page, definition.spot.file);
    if (!chain.empty()) value += ", through `" + chain + "`";
    value += ".";
  }
  if (value.empty()) value = "Declared in no file of the pages that reach this one.";
  return {{"contents", {{"kind", "markdown"}, {"value", value}}},
          {"range", RangeOf(target->range)}};
}

Json Completion(Workspace& workspace, uint32_t file, Position position) {
  Json items = Json::array();
  if (!TypesName(workspace, file, position)) return items;
  for (const NameSpot& spot : VisibleAt(workspace, file, position)) {
    items.push_back({{"label", text::ToUtf8(spot.declaration->name)},
                     {"kind", CompletionKind(spot.declaration->kind)},
                     {"detail", PlaceText(workspace, spot)}});
  }
  return items;
}

Json NameSymbols(Workspace& workspace, uint32_t file) {
  Json symbols = Json::array();
  const FileNames* names = workspace.NamesOf(file);
  if (!names) return symbols;
  for (size_t i = 0; i < names->declarations.size(); ++i) {
    const Declaration& declaration = names->declarations[i];
    DeclarationExtent extent = names->extents[i];
    Json members = Json::array();
    for (size_t j = 0; j < names->locals.size(); ++j) {
      const LocalName& local = names->locals[j];
      if (declaration.kind == DeclarationKind::Class && local.member &&
          local.declaration.unit == declaration.unit && local.scope.begin <= declaration.offset &&
          declaration.offset < local.scope.end) {
        members.push_back(Symbol(local.declaration, true, names->localExtents[j]));
        extent = Covering(extent, names->localExtents[j]);
      }
    }
    Json symbol = Symbol(declaration, false, extent);
    if (declaration.kind == DeclarationKind::Class) symbol["children"] = std::move(members);
    symbols.push_back(std::move(symbol));
  }
  return symbols;
}

Json WorkspaceSymbols(Workspace& workspace, const std::string& query) {
  Json symbols = Json::array();
  for (const NameSpot& spot : DeclarationsMatching(workspace, text::FromUtf8(query), MostSymbols)) {
    Json location = LocationOf(workspace, spot);
    if (location.is_null()) continue;
    symbols.push_back({{"name", text::ToUtf8(spot.declaration->name)},
                       {"kind", SymbolKind(spot.declaration->kind, false)},
                       {"location", std::move(location)},
                       {"containerName", text::ToReadable(workspace.Index().Name(spot.file))}});
  }
  return symbols;
}

}  // namespace lintra::lsp
