#pragma once

#include <memory>

#include "analysis/SourceText.h"
#include "platform/Text.h"

namespace lintra {

// What the parser needs of the object that a File names as its Container: the text of a file.
// Whatever supplies the texts implements it, from a host, a disk or memory; the analysis asks
// nothing more of it.
class FileSupply {
 public:
  virtual ~FileSupply() = default;

  // Returns the whole text of the file at `FilePath` (web form, relative to the project root),
  // never null; the text may be shared with other nodes. The supplier may replace `FilePath`;
  // the caller then goes on with the replaced path. Raises RuntimeError with number NotFound
  // when there is no such file, with Unreadable and the reason as its description (the system's
  // words, as "Permission denied") when the file exists but cannot be read, and with Abort (or
  // any other error) to stop the analysis.
  virtual std::shared_ptr<const SourceText> fsGetFile(Text& FilePath) = 0;

  static constexpr int32_t NotFound = static_cast<int32_t>(0x800403E8u);
  static constexpr int32_t Abort = static_cast<int32_t>(0x800403E9u);
  static constexpr int32_t Unreadable = static_cast<int32_t>(0x800403EAu);
};

}  // namespace lintra
