#include "platform/PendingMessages.h"

namespace lintra {

namespace PendingMessages {
namespace {

Hook& Installed() {
  static Hook hook;
  return hook;
}

}  // namespace

Hook SetHook(Hook hook) {
  Hook previous = std::move(Installed());
  Installed() = std::move(hook);
  return previous;
}

void ProcessOnce() {
  if (Installed()) Installed()();
}

}  // namespace PendingMessages

}  // namespace lintra
