#include "platform/MessageBox.h"

#include <cstdio>
#include <string>

namespace lintra {

namespace MessageBox {
namespace {

int32_t AnswerOnStandardError(const Text& prompt, int32_t style, const Text& title) {
  std::string message = text::ToUtf8(title) + ": " + text::ToUtf8(prompt) + "\n";
  std::erase(message, '\r');
  std::fputs(message.c_str(), stderr);
  return (style & 0x0F) == AbortRetryIgnore ? Abort : OK;
}

Handler& Installed() {
  static Handler handler;
  return handler;
}

}  // namespace

Handler SetHandler(Handler handler) {
  Handler previous = std::move(Installed());
  Installed() = std::move(handler);
  return previous;
}

int32_t Show(const Text& prompt, int32_t style, const Text& title) {
  const Handler& handler = Installed();
  return handler ? handler(prompt, style, title) : AnswerOnStandardError(prompt, style, title);
}

}  // namespace MessageBox

}  // namespace lintra
