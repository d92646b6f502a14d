#pragma once

#include <string>
#include <string_view>

#include "platform/Text.h"

// UTF-8 that loses no byte. Sites mix UTF-8 files with files in legacy code pages, and the web
// server just copies their bytes; so every byte that is not part of valid UTF-8 is kept as one
// unit of its own, U+DC80 plus the byte's value above 0x80 (the "surrogate escape"), and written
// back as that same byte. File texts, file names and command-line paths all go through it.

// Whether `bytes` are valid UTF-8 throughout.
bool IsValidUtf8(std::string_view bytes);

// The unit that keeps `byte`, a byte that is not valid UTF-8 where it stands: the escape for
// bytes from 0x80, the character itself below.
char16_t EscapedByte(unsigned char byte);

// `bytes` as text: valid UTF-8 sequences as their characters, every other byte as its escape.
Text DecodeUtf8Escaped(std::string_view bytes);

// Appends `bytes` to `out` as DecodeUtf8Escaped decodes them, for texts that arrive in pieces.
// Unless `final`, stops before a sequence that the end of `bytes` cuts short, so that the next
// piece can complete it; returns how many bytes it took.
size_t DecodeUtf8Into(std::string_view bytes, bool final, Text& out);

// `text` as UTF-8 with every escaped byte written back as itself. Any other lone surrogate
// becomes U+FFFD.
std::string EncodeUtf8Escaped(TextView text);
