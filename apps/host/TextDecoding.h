#pragma once

#include <string_view>

#include "platform/Text.h"

// Turns the bytes of a file on disk into the control's text, whatever encoding an ASP site was
// saved in. The byte-order mark decides first: UTF-16 little or big endian, or UTF-8. Without a
// mark the bytes are read as UTF-8 when they are valid UTF-8. Bytes that are not valid UTF-8,
// with or without a UTF-8 mark, are read as Windows-1252 instead, every byte after the mark. The
// mark itself never reaches the text. An odd last byte of UTF-16 becomes U+FFFD.
Text DecodeFileBytes(std::string_view bytes);
