#pragma once

#include <string_view>

#include "apps/lintra/Options.h"
#include "platform/Text.h"

namespace lintra {

// Writes `text` to standard output as UTF-8 without a byte-order mark, exactly as it is: line
// breaks are not translated, and escaped bytes are written back as themselves.
void WriteOut(TextView text);

// Writes UTF-8 bytes to standard output as they are.
void WriteOutBytes(std::string_view bytes);

// Whether standard output is coloured when `choice` is made: always, never, or on a terminal
// (not "dumb") unless the environment sets NO_COLOR.
bool ColorWanted(ColorChoice choice);

// Writes one message to standard error, prefixed with "lintra: " and ended by a line break.
// Standard output is flushed first, so that where both go to one place the message never lands
// inside a line of output.
void WriteError(std::string_view message);

}  // namespace lintra
