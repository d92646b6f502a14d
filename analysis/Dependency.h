#pragma once

#include "analysis/File.h"
#include "platform/TextArray.h"

namespace lintra {

// Whether a page depends on any of a list of files.

// True when `file` or any file below it, in pre-order, stands in column 1 of `asMatchFiles`
// (rows from 0 to the upper bound of the first dimension) as its FullPath upper-cased, compared
// unit for unit. A file whose text was not obtained has only its name as FullPath, so it matches
// only that bare name. Errors are reported under the procedure name "fbContainsMatch", each
// file's search as a call of its own: abandoning one file skips it and what it includes. A list
// that is not two-dimensional, or whose rows do not start at 0, is such an error.
bool fbContainsMatch(File& file, const TextArray& asMatchFiles);

}  // namespace lintra
