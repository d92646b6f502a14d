#pragma once

#include <cstdint>

#include "platform/Text.h"

namespace lintra {

// Free functions for the two kinds of text work that include analysis needs: reading an attribute
// out of a directive's text, and taking apart, normalising and relating paths in web form.
// Every function takes its arguments by value, keeps no state and returns a new value.

// The outcome of reading one attribute.
struct AttributeResult {
  // Found: the name is there and a value follows it.
  static constexpr int32_t Found = 1;
  // NoValue: the name is there but no value could be read after it.
  static constexpr int32_t NoValue = 2;
  // Absent: the name does not occur in the text.
  static constexpr int32_t Absent = 101;

  int32_t Status = Absent;
  Text Value;  // the value when Status is Found, otherwise empty
};

// Reads the value of attribute `Name` (letter case ignored) from `Source`: the first occurrence of
// the name, optional blanks or tabs, "=", optional blanks or tabs, then a value in double quotes,
// in apostrophes or up to the next blank. The value keeps its letter case.
AttributeResult AttributeValue(TextView Name, TextView Source);

// True when `t` is exactly one blank or one tab.
bool gfbWhiteSpace(TextView t);

// The part of `path` after its last "/" or "\" (the whole path when it has none).
Text gfsFileName(TextView path);

// The folder part of `path` with "/" separators and a trailing "/"; empty when it has none.
Text gfsFilePath(TextView path);

// `path` with "\" turned into "/" and its ".." segments resolved. Returns for any input.
Text gfsCorrectWebPath(TextView path);

// The folder `target` relative to the folder `base`, comparing without regard to letter case and
// keeping the target's own case: "." when target is base or above it; "../" steps up as needed.
// An empty base (the project root) gives the target itself without its trailing "/", or "."
// when the target is empty too.
Text gfsRelativePath(TextView base, TextView target);

// The number of "/" in `t`.
int32_t fnDirLevels(TextView t);

}  // namespace lintra
