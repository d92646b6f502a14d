#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/Text.h"

namespace lintra {

// One page directive, <%@ ... %>, in a text: its span and the code page it declares.
struct PageCommand {
  // Offsets of "<%@" and just after its "%>" (or the end of the text).
  size_t begin = 0;
  size_t end = 0;
  // The value of its CODEPAGE attribute; 0 when it has none.
  int32_t codePage = 0;
};

// What the order rules of the server need of one text: its page directives and where its first
// script code (<% or <%=) begins.
struct PageCommands {
  std::vector<PageCommand> directives;
  // The offset of the first "<%" that is not a directive; npos when there is none.
  size_t firstCode = Text::npos;
};

// The page commands of `text`, in text order. Each "<%" block ends at the first "%>".
PageCommands ScanPageCommands(TextView text);

}  // namespace lintra
