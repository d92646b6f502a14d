#pragma once

#include <cstdint>

#include "platform/Text.h"

// A place in a text as editors show it, both counted from 1.
struct LineColumn {
  int32_t line = 1;
  int32_t column = 1;
};

// The line and column of the 1-based `position` in `content`. CR LF, LF and a lone CR each end
// a line; columns count UTF-16 units. Positions past the end count as just after the end.
LineColumn LineColumnOf(TextView content, int32_t position);
