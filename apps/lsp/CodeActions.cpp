#include "apps/lsp/CodeActions.h"

#include <optional>

#include "analysis/Files.h"
#include "apps/lsp/DocumentContext.h"
#include "apps/lsp/FileKey.h"
#include "site/TextPosition.h"

namespace lintra::lsp {

namespace {

// Where a directive's attribute stands in its document: 0-based offsets of the attribute's name
// and of its value as written.
struct Attribute {
  size_t name = 0;
  size_t value = 0;
  size_t valueEnd = 0;
  char16_t quote = 0;
};

bool IsLetter(char16_t unit) {
  return (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z');
}

// The attribute of `directive` in `text`: its value is the first occurrence of the value as
// written after "#include", and its name the word before the "=" ahead of it.
std::optional<Attribute> AttributeOf(TextView text, const ScannedDirective& directive) {
  const size_t start = static_cast<size_t>(directive.Start - 1);
  const TextView comment = text.substr(start, static_cast<size_t>(directive.Length));
  const size_t include = text::UCase(comment).find(u"#INCLUDE");
  const size_t value = comment.find(directive.Value, include == Text::npos ? 0 : include + 8);
  if (directive.Value.empty() || value == Text::npos) return std::nullopt;
  Attribute attribute{0, start + value, start + value + directive.Value.size(), 0};
  size_t at = value;
  // A virtual= value is given without the "/" or ".." it starts with.
  while (at > 0 &&
         (comment[at - 1] == u'/' || comment[at - 1] == u'\\' || comment[at - 1] == u'.')) {
    --at;
  }
  if (at > 0 && (comment[at - 1] == u'"' || comment[at - 1] == u'\''))
    attribute.quote = comment[--at];
  while (at > 0 && comment[at - 1] == u' ') --at;
  if (at == 0 || comment[at - 1] != u'=') return std::nullopt;
  --at;
  while (at > 0 && comment[at - 1] == u' ') --at;
  while (at > 0 && IsLetter(comment[at - 1])) --at;
  attribute.name = start + at;
  return attribute;
}

Json PositionAt(const LineIndex& lines, size_t offset) {
  const LineColumn place = lines.At(static_cast<int32_t>(offset) + 1);
  return {{"line", place.line - 1}, {"character", place.column - 1}};
}

Json Action(const std::string& title, const std::string& uri, const LineIndex& lines, size_t from,
            size_t to, const Text& replacement) {
  const Json edit = {
      {"range", {{"start", PositionAt(lines, from)}, {"end", PositionAt(lines, to)}}},
      {"newText", text::ToUtf8(replacement)}};
  return {{"title", title},
          {"kind", "quickfix"},
          {"isPreferred", true},
          {"edit", {{"changes", {{uri, Json::array({edit})}}}}}};
}

// `written` with the end that names the same units as `onDisk` ignoring case spelt as there.
Text SpeltAsOnDisk(const Text& written, const Text& onDisk) {
  size_t common = 0;
  while (common < written.size() && common < onDisk.size() &&
         text::UCaseUnit(written[written.size() - 1 - common]) ==
             text::UCaseUnit(onDisk[onDisk.size() - 1 - common])) {
    ++common;
  }
  return written.substr(0, written.size() - common) + onDisk.substr(onDisk.size() - common);
}

bool ClimbsUp(const Text& path) {
  const Text wrapped = u"/" + text::Replace(path, u'\\', u'/') + u"/";
  return wrapped.find(u"/../") != Text::npos;
}

// Whether the directive spanning `from` to `to` (0-based offsets) meets the range asked for.
bool Meets(const LineIndex& lines, size_t from, size_t to, const Json& range) {
  const Position start{range.at("start").at("line").get<int64_t>(),
                       range.at("start").at("character").get<int64_t>()};
  const Position end{range.at("end").at("line").get<int64_t>(),
                     range.at("end").at("character").get<int64_t>()};
  const LineColumn first = lines.At(static_cast<int32_t>(from) + 1);
  const LineColumn last = lines.At(static_cast<int32_t>(to) + 1);
  return Contains(first.line, first.column, last.line, last.column, start) ||
         Contains(first.line, first.column, last.line, last.column, end) ||
         Contains(static_cast<int32_t>(start.line) + 1, static_cast<int32_t>(start.character) + 1,
                  static_cast<int32_t>(end.line) + 1, static_cast<int32_t>(end.character) + 1,
                  {first.line - 1, first.column - 1});
}

}  // namespace

Json CodeActions(Workspace& workspace, const Text& webPath, const Json& params) {
  Json actions = Json::array();
  const DocumentContext context = ContextOf(workspace, webPath);
  const Files* includes = context.node ? context.node->IncludesIfAny() : nullptr;
  if (!includes) return actions;
  const std::string uri = params.at("textDocument").at("uri").get<std::string>();
  const Text& text = context.node->Content();
  const LineIndex lines(text);
  for (const ScannedDirective& directive : context.node->SharedContent()->Directives()) {
    const size_t from = static_cast<size_t>(directive.Start - 1);
    const size_t to = from + static_cast<size_t>(directive.Length);
    if (!Meets(lines, from, to, params.at("range"))) continue;
    const File* child = nullptr;
    for (size_t i = 0; i < includes->size() && !child; ++i) {
      if ((*includes)[i]->BaseFileStart() == directive.Start) child = (*includes)[i].get();
    }
    const std::optional<Attribute> attribute = AttributeOf(text, directive);
    if (!child || child->MissingFile() || !attribute) continue;
    const std::optional<Text> onDisk = workspace.OnDisk(child->FullPath());
    if (!onDisk) continue;
    if (directive.Form == ScannedDirective::Kind::File && ClimbsUp(directive.Value)) {
      const Text quote = attribute->quote ? Text(1, attribute->quote) : Text();
      actions.push_back(Action("Include /" + text::ToReadable(*onDisk) + " with virtual=", uri,
                               lines, attribute->name, attribute->valueEnd,
                               u"virtual=" + quote + u"/" + *onDisk));
      continue;
    }
    const Text written(text.substr(attribute->value, attribute->valueEnd - attribute->value));
    const Text spelt = SpeltAsOnDisk(written, *onDisk);
    if (spelt != written) {
      actions.push_back(Action("Spell the path as on disk: " + text::ToReadable(spelt), uri, lines,
                               attribute->value, attribute->valueEnd, spelt));
    }
  }
  return actions;
}

}  // namespace lintra::lsp
