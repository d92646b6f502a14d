#pragma once

#include <cstdint>
#include <vector>

#include "platform/Text.h"
#include "site/TextPosition.h"

namespace lintra {

class ChangedFiles;
class File;

// One file on a chain of includes, and the line of its directive that includes the next file on
// the chain; 0 for the last file, which ends the chain. A missing file is named by the path its
// directive asks for, since it has no full path of its own.
struct ChainLink {
  Text file;
  int32_t line = 0;
};

// The chain of directives from `page`, the root of an analysed tree, to the nearest file of
// `changed`: the page, then each file on the way, each with the line of the directive that
// includes the next. Of chains of equal length, the first in directive order. Just the page when
// it is one of `changed` itself; empty when no file of the tree is. Directives are placed with
// `lines`.
std::vector<ChainLink> IncludeChain(File& page, const ChangedFiles& changed, LineIndexes& lines);

// The chain as one line: "page.asp:12 -> inc/header.asp:3 -> lib/util.asp", each file before an
// arrow with the line of its directive that includes the file after the arrow.
Text ChainText(const std::vector<ChainLink>& chain);

}  // namespace lintra
