#pragma once

#include <string>
#include <vector>

#include "platform/Text.h"

namespace lintra {

// Whether `directive`, the text of an include directive, names its file through a ".." segment:
// a ".." between any two of the quotes, "=", "/", "\" and blanks that delimit the path.
bool NamesParentFolder(TextView directive);

// Whether `requested` and `found` name one file in different letter case: the same segments
// ("/" or "\" separated, empty and "." segments left out) equal without regard to case, and not
// all equal as written.
bool DiffersOnlyInCase(TextView requested, TextView found);

// Whether the name of the file at `path` ends in one of `extensions` (lower case, with the dot),
// in any letter case.
bool HasExtension(TextView path, const std::vector<std::string>& extensions);

}  // namespace lintra
