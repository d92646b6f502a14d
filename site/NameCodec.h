#pragma once

#include <string>
#include <string_view>

#include "platform/Text.h"

// How a host spells names: file names on disk and paths on a command line are bytes, and the
// control works with text. The host that reads the disk decides how bytes become text and back,
// so that a name that is not valid UTF-8 still leads to its file.
struct NameCodec {
  // The text of a name's bytes.
  Text (*decode)(std::string_view bytes);
  // The bytes of a name's text; encode(decode(bytes)) gives the bytes back.
  std::string (*encode)(TextView text);
};
