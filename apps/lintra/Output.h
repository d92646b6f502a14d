#pragma once

#include <string_view>

#include "platform/Text.h"

// Writes `text` to standard output as UTF-8 without a byte-order mark, exactly as it is: line
// breaks are not translated, and escaped bytes are written back as themselves.
void WriteOut(TextView text);

// Writes UTF-8 bytes to standard output as they are.
void WriteOutBytes(std::string_view bytes);

// Writes one message line to standard error, prefixed with "lintra: ".
void WriteError(std::string_view message);
