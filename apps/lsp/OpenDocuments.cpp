#include "apps/lsp/OpenDocuments.h"

#include <algorithm>
#include <limits>

#include "apps/lsp/FileKey.h"
#include "site/TextPosition.h"

namespace lintra::lsp {

size_t OffsetOf(TextView text, Position position) {
  if (position.line >= std::numeric_limits<int32_t>::max()) return text.size();
  const LineIndex::Span line =
      LineIndex(text).Line(text, static_cast<int32_t>(std::max<int64_t>(position.line, 0) + 1));
  if (position.character <= 0) return line.begin;
  return std::min(line.end, line.begin + static_cast<size_t>(position.character));
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
  found->second.text =
      std::make_shared<const SourceText>(std::move(text), found->second.text->Bytes());
  return true;
}

void OpenDocuments::SetBytes(const Text& key, const TextBytes& bytes) {
  const auto found = documents_.find(key);
  if (found == documents_.end()) return;
  const SourceText& text = *found->second.text;
  if (text.Bytes().encoding == bytes.encoding && text.Bytes().utf8Mark == bytes.utf8Mark) return;
  found->second.text = std::make_shared<const SourceText>(text.Value(), bytes);
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
