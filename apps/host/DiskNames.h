#pragma once

#include "apps/host/Utf8Escapes.h"
#include "site/NameCodec.h"

// Names on disk and on the command line as the disk host spells them: valid UTF-8 as its
// characters, every other byte kept as its escape.
inline constexpr NameCodec DiskNames{DecodeUtf8Escaped, EncodeUtf8Escaped};
