#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "analysis/SourceText.h"
#include "apps/lintra/Session.h"
#include "platform/Text.h"
#include "site/TextPosition.h"

namespace lintra {

// The lines of the files a run reports on, read through the session's host and split on first
// use, so that many findings in one file read and split it once.
class SourceLines {
 public:
  // `session` must outlive this.
  explicit SourceLines(Session& session) : session_(session) {}

  // The text of line `line` (from 1) of `file`, without its line break; empty when the file
  // cannot be read or has no such line. CR LF, LF and a lone CR each end a line.
  Text Line(const Text& file, int32_t line);

 private:
  struct Lines {
    std::shared_ptr<const SourceText> text;
    // Where the lines of the text begin; none without a text.
    std::optional<LineIndex> index;
  };
  const Lines& Of(const Text& file);

  Session& session_;
  std::unordered_map<Text, Lines> files_;
};

}  // namespace lintra
