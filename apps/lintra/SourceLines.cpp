#include "apps/lintra/SourceLines.h"

namespace lintra {

namespace {

std::vector<size_t> LineStarts(const Text& text) {
  std::vector<size_t> starts = {0};
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    if (text[i] == u'\r' || text[i] == u'\n') starts.push_back(i + 1);
  }
  starts.push_back(text.size() + 1);
  return starts;
}

}  // namespace

const SourceLines::Lines& SourceLines::Of(const Text& file) {
  const auto known = files_.find(file);
  if (known != files_.end()) return known->second;
  Lines lines{session_.Source(file), {}};
  if (lines.text) lines.starts = LineStarts(lines.text->Value());
  return files_.emplace(file, std::move(lines)).first->second;
}

Text SourceLines::Line(const Text& file, int32_t line) {
  const Lines& lines = Of(file);
  const auto index = static_cast<size_t>(line);
  if (!lines.text || line < 1 || index + 1 > lines.starts.size()) return {};
  const Text& text = lines.text->Value();
  const size_t start = lines.starts[index - 1];
  size_t end = std::min(lines.starts[index] - 1, text.size());
  while (end > start && (text[end - 1] == u'\r' || text[end - 1] == u'\n')) --end;
  return text.substr(start, end - start);
}

}  // namespace lintra
