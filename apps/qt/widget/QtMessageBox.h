#pragma once

#include <cstdint>

#include "platform/Text.h"

namespace lintra {

// Shows `prompt` in a modal Qt message box over the active window, titled `title`, with the
// buttons and icon of a classic message box `style`: Abort, Retry and Ignore for the button set
// 2 (Abort the default), OK for any other set; the warning icon with the exclamation flag 48.
// Returns the classic value of the button pressed: 1 OK, 3 Abort, 4 Retry, 5 Ignore. A box closed
// without a button answers Abort, or OK when OK is its only button.
int32_t ShowQtMessageBox(const Text& prompt, int32_t style, const Text& title);

}  // namespace lintra
