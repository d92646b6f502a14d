#include "apps/lsp/OpenDocuments.h"

#include <algorithm>

#include "apps/lsp/FileKey.h"

namespace lintra::lsp {

namespace {

// The offset just after the line break that ends the line starting at `start`, or the end.
size_t NextLineStart(TextView text, size_t start) {
  for (size_t at = start; at < text.size(); ++at) {
    if (text[at] == u'\n') return at + 1;
    if (text[at] == u'\r') return at + 1 < text.size() && text[at + 1] == u'\n' ? at + 2 : at + 1;
  }
  return text.size();
}

// The end of the line starting at `start`, before its line break.
size_t LineEnd(TextView text, size_t start) {
  size_t at = start;
  while (at < text.size() && text[at] != u'\n' && text[at] != u'\r') ++at;
  return at;
}

}  // namespace

size_t OffsetOf(TextView text, Position position) {
  size_t start = 0;
  for (int64_t line = 0; line < position.line; ++line) {
    if (start == text.size()) return start;
    start = NextLineStart(text, start);
  }
  const size_t end = LineEnd(text, start);
  if (position.character <= 0) return start;
  return std::min(end, start + static_cast<size_t>(position.character));
}

void OpenDocuments::Open(OpenDocument document) {
  Text key = FileKey(document.webPath);
  documents_.insert_or_assign(std::move(key), std::move(document));
}

bool OpenDocuments::Change(const Text& key, int64_t version,
                           const std::vector<TextChange>& changes) {
  const auto found = documents_.find(key);
  if (found == documents_.end()) return false;
  Text text = found->second.text->Value();
  for (const TextChange& change : changes) {
    if (!change.range) {
      text = change.text;
      continue;
    }
    const size_t start = OffsetOf(text, change.range->first);
    const size_t end = std::max(start, OffsetOf(text, change.range->second));
    text.replace(start, end - start, change.text);
  }
  found->second.version = version;
  found->second.text = std::make_shared<const SourceText>(std::move(text));
  return true;
}

const OpenDocument* OpenDocuments::Find(const Text& key) const {
  const auto found = documents_.find(key);
  return found == documents_.end() ? nullptr : &found->second;
}

const OpenDocument* OpenDocuments::Match(TextView webPath) const {
  for (const auto& [key, document] : documents_) {
    if (HasFileKey(webPath, key)) return &document;
  }
  return nullptr;
}

std::vector<Text> OpenDocuments::Keys() const {
  std::vector<Text> keys;
  for (const auto& [key, document] : documents_) keys.push_back(key);
  return keys;
}

}  // namespace lintra::lsp
