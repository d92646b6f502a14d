#pragma once

#include <vector>

#include "rules/VbScanner.h"

namespace lintra {

class File;
class SourceFacts;

// Whether a file's text is expanded into its page: it is neither missing nor a circular include.
bool Expanded(const File& node);
// Whether what `include` declares comes into its page at script level: it is expanded and no
// body of `holder`, the scan of the file that includes it, holds its directive.
bool AtScriptLevel(const File& include, const ScriptScan& holder);

// A script-level name declared where VBScript refuses it: `second`, in the text of `node`, clashes
// with `first`, in the text of `firstNode`, declared before it in the page as the server compiles
// it.
struct Redefinition {
  File* node = nullptr;
  const Declaration* second = nullptr;
  File* firstNode = nullptr;
  const Declaration* first = nullptr;
};

// The redefinitions of the page whose tree is `page`, in the order of the expanded page. The
// declarations of each file come from `facts`, and are merged along the tree: a file's own
// declarations up to each include directive, then the included file's. What an include inside a
// Class, Sub, Function or Property brings in is not at script level, and neither are missing or
// circular includes; a page in another language than VBScript has none. Names in <% %> code
// belong to the one script of the page; each server script block is a script of its own.
std::vector<Redefinition> FindRedefinitions(File& page, SourceFacts& facts);

}  // namespace lintra
