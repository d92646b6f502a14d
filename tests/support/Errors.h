#pragma once

#include <functional>

#include "platform/ErrorRecord.h"

namespace lintra {

// The number of the run-time error that `action` raises, or 0 when it raises none.
inline int32_t ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const RuntimeError& error) {
    return error.Record().Number;
  }
  return 0;
}

}  // namespace lintra
