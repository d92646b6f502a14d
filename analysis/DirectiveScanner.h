#pragma once

#include <cstdint>
#include <vector>

#include "platform/Text.h"

namespace lintra {

// One include directive found in a text: the comment's span and the file it names.
struct ScannedDirective {
  enum class Kind { Malformed, File, Virtual };
  int32_t Start = 0;   // 1-based position of the "<" of "<!--"
  int32_t Length = 0;  // from "<!--" through "-->"
  Kind Form = Kind::Malformed;
  // For File, the attribute's value as written (relative to the including file's folder); for
  // Virtual, the value with a leading ".." and then a leading "/" dropped (relative to the project
  // root); empty for Malformed (an "#include" without a usable attribute).
  Text Value;
};

// The include directives of `text`, in text order. The scan steps over server-script blocks
// ("<%" to "%>") and reads every comment ("<!--" to "-->") that holds "#include", with the
// "File" attribute first and then "Virtual" (names in any letter case). An opener without its
// closer ends the scan. Errors pass on to the caller unchanged.
std::vector<ScannedDirective> ScanDirectives(TextView text);

}  // namespace lintra
