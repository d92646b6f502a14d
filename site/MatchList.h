#pragma once

#include <vector>

#include "platform/Text.h"
#include "platform/TextArray.h"

namespace lintra {

// The list of changed files that pages are matched against, in the form the control's match
// takes: rows 0 to n - 1 and columns 0 to 1, each file's web path upper-cased in column 1,
// column 0 left empty.
TextArray MatchList(const std::vector<Text>& webPaths);

}  // namespace lintra
