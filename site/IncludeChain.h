#pragma once

#include <cstdint>
#include <vector>

#include "platform/Text.h"
#include "site/TextPosition.h"

namespace lintra {

class File;

// One file on a chain of includes, and the line of the directive that includes it in the file
// before it on the chain; 0 for the page, which starts the chain.
struct ChainLink {
  Text file;
  int32_t line = 0;
};

// The chain of directives from `page`, the root of an analysed tree, to the nearest file whose
// full path is one of `paths` (compared without regard to letter case, as the dependency match
// compares): the page, then each file on the way with the directive that includes it. Of chains
// of equal length, the first in directive order. Just the page when it is one of `paths`
// itself; empty when no file of the tree is. Directives are placed with `lines`.
std::vector<ChainLink> IncludeChain(File& page, const std::vector<Text>& paths, LineIndexes& lines);

// The chain as one line: "page.asp -> inc/header.asp:12 -> lib/util.asp:3", each file after an
// arrow with the line of the directive in the file before it that includes it.
Text ChainText(const std::vector<ChainLink>& chain);

}  // namespace lintra
