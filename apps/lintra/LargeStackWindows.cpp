#include <windows.h>

#include "apps/lintra/LargeStack.h"

namespace lintra {

namespace {

// Address space reserved for the stack; pages are only committed as the stack reaches them.
constexpr SIZE_T StackBytes = SIZE_T{1} << 30;

struct Call {
  const std::function<int()>* body;
  int result;
};

DWORD WINAPI RunCall(void* argument) {
  auto* call = static_cast<Call*>(argument);
  call->result = (*call->body)();
  return 0;
}

}  // namespace

int RunWithLargeStack(const std::function<int()>& body) {
  Call call{&body, 0};
  const HANDLE thread =
      CreateThread(nullptr, StackBytes, RunCall, &call, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
  if (!thread) return body();
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  return call.result;
}

}  // namespace lintra
