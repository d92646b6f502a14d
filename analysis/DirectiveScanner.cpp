#include "analysis/DirectiveScanner.h"

#include "analysis/LintraFuncs.h"

namespace lintra {

namespace {

// The first "<" at or after `from` that opens a server-script block ("<%") or a comment ("<!--").
size_t FindOpener(TextView view, size_t from) {
  for (size_t at = text::FindAscii(view, from, u'<'); at != TextView::npos;
       at = text::FindAscii(view, at + 1, u'<')) {
    const TextView rest = view.substr(at);
    if (rest.starts_with(u"<%") || rest.starts_with(u"<!--")) return at;
  }
  return TextView::npos;
}

// The first `closer` ("%>" or "-->") that begins at or after `from`, found by its final ">".
size_t FindCloser(TextView view, size_t from, TextView closer) {
  const size_t lead = closer.size() - 1;
  for (size_t at = text::FindAscii(view, from + lead, u'>'); at != TextView::npos;
       at = text::FindAscii(view, at + 1, u'>')) {
    if (view.substr(at - lead, closer.size()) == closer) return at - lead;
  }
  return TextView::npos;
}

// What a comment names, or nothing when it holds no "#include".
bool ReadDirective(TextView block, ScannedDirective& directive) {
  const TextView inner = block.size() > 7 ? block.substr(4, block.size() - 7) : TextView();
  if (AttributeValue(u"#include", inner).Status == AttributeResult::Absent) return false;
  using Kind = ScannedDirective::Kind;
  AttributeResult file = AttributeValue(u"File", inner);
  if (file.Status == AttributeResult::Found) {
    directive.Form = Kind::File;
    directive.Value = std::move(file.Value);
    return true;
  }
  AttributeResult virt = AttributeValue(u"Virtual", inner);
  if (virt.Status != AttributeResult::Found) return true;
  TextView value(virt.Value);
  if (value.starts_with(u"..")) value.remove_prefix(2);
  if (value.starts_with(u"/")) value.remove_prefix(1);
  directive.Form = Kind::Virtual;
  directive.Value = Text(value);
  return true;
}

}  // namespace

// Steps over server-script blocks and reads every comment, in text order, in one forward pass:
// the next block is the one whose opener comes first, and the scan goes on from its closer. An
// opener without its closer ends the scan of the text.
std::vector<ScannedDirective> ScanDirectives(TextView view) {
  std::vector<ScannedDirective> directives;
  for (size_t opener = FindOpener(view, 0); opener != TextView::npos;) {
    const bool script = view[opener + 1] == u'%';
    const size_t end = FindCloser(view, opener, script ? TextView(u"%>") : TextView(u"-->"));
    if (end == TextView::npos) break;
    if (!script) {
      const TextView block = view.substr(opener, end + 3 - opener);
      ScannedDirective directive;
      if (ReadDirective(block, directive)) {
        directive.Start = static_cast<int32_t>(opener + 1);
        directive.Length = static_cast<int32_t>(block.size());
        directives.push_back(std::move(directive));
      }
    }
    opener = FindOpener(view, end);
  }
  return directives;
}

}  // namespace lintra
