#include "apps/lintra/LargeStack.h"

#include <pthread.h>

#include <cstddef>

namespace lintra {

namespace {

// Address space reserved for the stack; pages are only committed as the stack reaches them.
constexpr size_t StackBytes = size_t{1} << 30;

struct Call {
  const std::function<int()>* body;
  int result;
};

void* RunCall(void* argument) {
  auto* call = static_cast<Call*>(argument);
  call->result = (*call->body)();
  return nullptr;
}

}  // namespace

int RunWithLargeStack(const std::function<int()>& body) {
  Call call{&body, 0};
  pthread_attr_t attributes;
  pthread_t thread;
  const bool started = pthread_attr_init(&attributes) == 0 &&
                       pthread_attr_setstacksize(&attributes, StackBytes) == 0 &&
                       pthread_create(&thread, &attributes, RunCall, &call) == 0;
  pthread_attr_destroy(&attributes);
  if (!started) return body();
  pthread_join(thread, nullptr);
  return call.result;
}

}  // namespace lintra
