#pragma once

#include "analysis/File.h"
#include "platform/Text.h"

namespace lintra {

// The plain-text drawing of an include tree: one line per file, connectors between a file and
// its includes, " ! " after a duplicate include, " *ERROR* " after a missing or circular file,
// and the file's folder from column 41 on (the page's own folder for the page, the folder
// relative to the page's for an include). Every line ends with CR LF.

// Appends the drawing of the page `root`: its own line, the lines of everything below it, then
// two empty lines. Errors are reported under the procedure names "fsTextTree" (the lines
// below one file; abandoning them takes back what that file had appended) and
// "fsFileAttributes" (one line; abandoning it leaves the line empty). More than 32,767 includes
// of one file is an overflow error.
void AppendTextTree(File& root, Text& out);

// Appends the drawing of `root` as AppendTextTree does, for hosts without the control's tree
// view: any number of includes of one file and any depth are drawn, with no overflow.
void AppendWholeTextTree(File& root, Text& out);

}  // namespace lintra
