#pragma once

#include <functional>

namespace lintra {

// Lets the platform process the window messages that are waiting, once. Headless there are none;
// a windowed host installs a hook that runs its event loop once.
namespace PendingMessages {

using Hook = std::function<void()>;

// Installs `hook` and returns the one it replaces; an empty hook does nothing.
Hook SetHook(Hook hook);

// Runs the installed hook once.
void ProcessOnce();

}  // namespace PendingMessages

}  // namespace lintra
