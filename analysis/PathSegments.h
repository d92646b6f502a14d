#pragma once

#include <vector>

#include "platform/Text.h"

namespace lintra {

// The segments of `path`, split at "/" and "\", without the empty and "." ones: the folders and
// the file that a supply reads the path as (a leading "/" or "./" only names where it starts).
std::vector<TextView> PathSegments(TextView path);

// The segments of `path` (see PathSegments) joined by "/".
Text JoinedSegments(TextView path);

}  // namespace lintra
