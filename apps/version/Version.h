#pragma once

namespace lintra {

// The version of this build of Lintra: the project's version and, in a build from a git
// checkout, the checkout's description after it, e.g. "0.9.0 (git 1686828-dirty)".
const char* LintraVersion();

}  // namespace lintra
