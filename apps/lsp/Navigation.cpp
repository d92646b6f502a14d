#include "apps/lsp/Navigation.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "analysis/DirectiveOf.h"
#include "analysis/File.h"
#include "analysis/Files.h"
#include "apps/lsp/DocumentContext.h"
#include "apps/lsp/FileKey.h"
#include "apps/lsp/LocationList.h"
#include "apps/lsp/NameNavigation.h"
#include "site/TextPosition.h"

namespace lintra::lsp {

namespace {

// One directive of the document: where it stands, the file it names, its path as written and
// that path resolved against the document's folder.
struct Directive {
  LineColumn start;
  LineColumn end;
  Text target;
  Text value;
  Text written;
  bool missing = false;
};

std::vector<Directive> DirectivesOf(Workspace& workspace, const Text& webPath) {
  std::vector<Directive> directives;
  const DocumentContext context = ContextOf(workspace, webPath);
  const Files* includes = context.node ? context.node->IncludesIfAny() : nullptr;
  if (!includes) return directives;
  const LineIndex lines(context.node->Content());
  for (size_t i = 0; i < includes->size(); ++i) {
    const File& child = *(*includes)[i];
    const ScannedDirective* scanned = DirectiveOf(*context.node, child);
    directives.push_back({lines.At(child.BaseFileStart()), lines.At(child.BaseFileEnd()),
                          child.FullPath(), scanned ? scanned->Value : child.FullPath(),
                          scanned ? RequestedPath(*context.node, *scanned) : child.FullPath(),
                          child.MissingFile()});
  }
  return directives;
}

Json RangeOf(const Directive& directive) {
  return lsp::RangeOf(directive.start.line, directive.start.column, directive.end.line,
                      directive.end.column);
}

std::optional<Directive> DirectiveAt(Workspace& workspace, const Text& webPath, Position position) {
  for (Directive& directive : DirectivesOf(workspace, webPath)) {
    if (Contains(directive.start.line, directive.start.column, directive.end.line,
                 directive.end.column, position)) {
      return std::move(directive);
    }
  }
  return std::nullopt;
}

Json StartOfFile(const std::string& uri) {
  return {{"uri", uri}, {"range", lsp::RangeOf(0, 0, 0, 0)}};
}

// How the directive's file was found on disk, as a sentence.
std::string FoundText(Workspace& workspace, const Directive& directive) {
  const std::optional<Text> onDisk = workspace.OnDisk(directive.written);
  if (!onDisk) return "Not found: no file of the site has this path.";
  const size_t start = directive.written.find_first_not_of(u"/");
  const TextView written =
      TextView(directive.written).substr(std::min(start, directive.written.size()));
  if (text::SameUnits(*onDisk, written)) return "Found exactly.";
  if (text::SameIgnoringCase(FileKey(*onDisk), FileKey(written))) {
    return "Found by ignoring letter case: the file is `" + text::ToReadable(*onDisk) + "`.";
  }
  return "Found as `" + text::ToReadable(*onDisk) + "`.";
}

std::string PagesText(size_t pages) {
  return "Reached by " + std::to_string(pages) + (pages == 1 ? " page." : " pages.");
}

// Adds the places of the directives from `first` to `last`, all held by one file.
void AddLocations(Workspace& workspace, std::vector<IndexedDirective>::const_iterator first,
                  std::vector<IndexedDirective>::const_iterator last, LocationList& locations) {
  const Text& holder = workspace.Index().Name(first->holder);
  const std::optional<Text> text = workspace.CurrentText(holder);
  const std::string uri = workspace.UriOf(holder);
  if (!text || uri.empty()) return;
  const LineIndex lines(*text);
  for (; first != last; ++first) {
    const LineColumn start = lines.At(first->start);
    const LineColumn end = lines.At(first->end);
    locations.Add(uri, ZeroBased(start.line, start.column, end.line, end.column));
  }
}

}  // namespace

Json DocumentLinks(Workspace& workspace, const Text& webPath) {
  Json links = Json::array();
  for (const Directive& directive : DirectivesOf(workspace, webPath)) {
    const std::string uri = directive.missing ? "" : workspace.UriOf(directive.target);
    Json link = {{"range", RangeOf(directive)}, {"tooltip", text::ToReadable(directive.written)}};
    if (!uri.empty()) link["target"] = uri;
    links.push_back(std::move(link));
  }
  return links;
}

JsonText Definition(Workspace& workspace, const Text& webPath, Position position) {
  const std::optional<Directive> directive = DirectiveAt(workspace, webPath, position);
  if (!directive) {
    return NameDefinitions(workspace, workspace.Id(webPath), position).value_or(JsonText(nullptr));
  }
  if (directive->missing) return JsonText(nullptr);
  const std::string uri = workspace.UriOf(directive->target);
  if (uri.empty()) return JsonText(nullptr);
  return StartOfFile(uri);
}

JsonText References(Workspace& workspace, const Text& webPath, Position position,
                    bool withDeclarations) {
  std::optional<JsonText> names =
      NameReferences(workspace, workspace.Id(webPath), position, withDeclarations);
  if (names) return std::move(*names);
  const std::optional<uint32_t> file = workspace.Index().Find(webPath);
  const std::vector<IndexedDirective> includers =
      file ? workspace.Index().Includers(*file) : std::vector<IndexedDirective>();
  LocationList locations(includers.size());
  for (auto first = includers.begin(); first != includers.end();) {
    const auto last = std::find_if(first, includers.end(), [&](const IndexedDirective& directive) {
      return directive.holder != first->holder;
    });
    AddLocations(workspace, first, last, locations);
    first = last;
  }
  return std::move(locations).Take();
}

Json Hover(Workspace& workspace, const Text& webPath, Position position) {
  const std::optional<Directive> directive = DirectiveAt(workspace, webPath, position);
  if (!directive) return NameHover(workspace, workspace.Id(webPath), position);
  const std::optional<uint32_t> file = workspace.Index().Find(directive->target);
  const size_t pages = file ? workspace.Index().Reaching(*file).size() : 0;
  const std::string value = "`" + text::ToReadable(directive->written) + "`\n\n" +
                            FoundText(workspace, *directive) + " " + PagesText(pages);
  return {{"contents", {{"kind", "markdown"}, {"value", value}}}, {"range", RangeOf(*directive)}};
}

Json DocumentSymbols(Workspace& workspace, const Text& webPath) {
  Json symbols = Json::array();
  for (const Directive& directive : DirectivesOf(workspace, webPath)) {
    symbols.push_back({{"name", text::ToReadable(directive.value)},
                       {"detail", directive.missing ? "include (missing)" : "include"},
                       {"kind", 1},
                       {"range", RangeOf(directive)},
                       {"selectionRange", RangeOf(directive)}});
  }
  for (Json& symbol : NameSymbols(workspace, workspace.Id(webPath))) {
    symbols.push_back(std::move(symbol));
  }
  return symbols;
}

}  // namespace lintra::lsp
