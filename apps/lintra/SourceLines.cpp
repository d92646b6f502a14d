#include "apps/lintra/SourceLines.h"

namespace lintra {

const SourceLines::Lines& SourceLines::Of(const Text& file) {
  const auto known = files_.find(file);
  if (known != files_.end()) return known->second;
  Lines lines{session_.Source(file), {}};
  if (lines.text) lines.index.emplace(lines.text->Value());
  return files_.emplace(file, std::move(lines)).first->second;
}

Text SourceLines::Line(const Text& file, int32_t line) {
  const Lines& lines = Of(file);
  if (!lines.text || line < 1) return {};
  const Text& text = lines.text->Value();
  const LineIndex::Span span = lines.index->Line(text, line);
  return text.substr(span.begin, span.end - span.begin);
}

}  // namespace lintra
