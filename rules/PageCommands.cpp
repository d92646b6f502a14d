#include "rules/PageCommands.h"

#include "rules/AspBlocks.h"

namespace lintra {

namespace {

bool IsBlank(char16_t unit) {
  return unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\n';
}

// The number after "CODEPAGE =" in `directive`, quotes allowed; 0 without one.
int32_t CodePageOf(TextView directive) {
  const Text upper = text::UCase(directive);
  const size_t name = upper.find(u"CODEPAGE");
  if (name == Text::npos) return 0;
  size_t at = name + 8;
  while (at < upper.size() && IsBlank(upper[at])) ++at;
  if (at == upper.size() || upper[at] != u'=') return 0;
  ++at;
  while (at < upper.size() && (IsBlank(upper[at]) || upper[at] == u'"')) ++at;
  int32_t value = 0;
  for (; at < upper.size() && upper[at] >= u'0' && upper[at] <= u'9' && value < 1000000; ++at) {
    value = value * 10 + (upper[at] - u'0');
  }
  return value;
}

}  // namespace

PageCommands ScanPageCommands(TextView text) {
  PageCommands commands;
  for (size_t open = FindBlockOpen(text, 0); open != TextView::npos;
       open = FindBlockOpen(text, open)) {
    const size_t close = FindBlockClose(text, open + 2);
    const size_t end = close == TextView::npos ? text.size() : close + 2;
    size_t first = open + 2;
    while (first < text.size() && IsBlank(text[first])) ++first;
    if (first < text.size() && text[first] == u'@') {
      commands.directives.push_back({open, end, CodePageOf(text.substr(open, end - open))});
    } else if (commands.firstCode == Text::npos) {
      commands.firstCode = open;
    }
    open = end;
  }
  return commands;
}

}  // namespace lintra
