#pragma once

#include <vector>

#include "rules/PageCheck.h"

namespace lintra {

// For each node of `page`'s tree (PageTree::Nodes), whether the page can do without the include
// that brings it: the page uses no name that the included file or a file it includes declares
// (nor does a word of its server script in another language name one), and they write no output,
// run no statement at script level and hold no page directive, server object, type library or
// server script in another language. False for the page itself, for an include inside a procedure
// or class body, for a copy of a file the page includes more than once, and for every include of a
// page in another language or one that reaches names by text (Execute, ExecuteGlobal, Eval,
// GetRef).
std::vector<bool> UnneededIncludes(PageCheck& page);

}  // namespace lintra
