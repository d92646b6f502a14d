#pragma once

#include <functional>

namespace lintra {

// Runs `body` on a thread of its own with a stack far larger than the main thread's, and
// returns its result. The analysis recurses once per level of include nesting, so a site with
// include chains thousands of files deep would otherwise overflow the stack. Only this one
// thread runs at a time; when the thread cannot be made, `body` runs on the calling thread.
int RunWithLargeStack(const std::function<int()>& body);

}  // namespace lintra
