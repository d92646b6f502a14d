#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "analysis/SourceText.h"
#include "platform/Text.h"

namespace lintra::lsp {

// A place in a text as the protocol counts it: 0-based line and UTF-16 unit.
struct Position {
  int64_t line = 0;
  int64_t character = 0;
};

// One change the editor made to a document: the stretch replaced (the whole text when none) and
// what replaces it.
struct TextChange {
  std::optional<std::pair<Position, Position>> range;
  Text text;
};

// A document the editor has open: the text in its buffer, saved or not.
struct OpenDocument {
  std::string uri;
  // Relative to the site root, as the editor spells it.
  Text webPath;
  int64_t version = 0;
  std::shared_ptr<const SourceText> text;
};

// The documents open in the editor, known by the FileKey of their web path.
class OpenDocuments {
 public:
  void Open(OpenDocument document);
  // Applies `changes` in order, keeping what the text's bytes are; false when the document is not
  // open.
  bool Change(const Text& key, int64_t version, const std::vector<TextChange>& changes);
  void Close(const Text& key) { documents_.erase(key); }
  // Tells the open document of `key` that the file it will be saved to now holds `bytes`.
  void SetBytes(const Text& key, const TextBytes& bytes);

  // The open document of `key`, or null.
  const OpenDocument* Find(const Text& key) const;
  // The open document whose web path has the FileKey of `webPath`, or null; found without making
  // that key, as the host asks for every file of every page.
  const OpenDocument* Match(TextView webPath) const;
  // Every open document's key.
  std::vector<Text> Keys() const;

 private:
  std::unordered_map<Text, OpenDocument> documents_;
};

// The 0-based offset in `text` of `position`: a line past the end is the end of the text, and a
// character past the end of its line is the end of that line.
size_t OffsetOf(TextView text, Position position);

}  // namespace lintra::lsp
