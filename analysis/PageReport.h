#pragma once

#include "analysis/File.h"
#include "errors/modPendryError.h"
#include "platform/Text.h"

namespace lintra {

// The report of one page's critical errors and warnings, as the user reads it:
//   "File : " and the page's FullPath, an empty line, then "Critical Errors" underlined and the
//   critical-error lines of the page (or "No critical errors"), then an empty line, "Warnings"
//   underlined and the warning lines (or "No warnings").

// The report of `page`, built in steps of `trap`, the error trap of the procedure that asks for
// it; empty when a step is abandoned.
Text WarningsReport(ErrorTrap& trap, File& page);

}  // namespace lintra
