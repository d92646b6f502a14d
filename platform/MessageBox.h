#pragma once

#include <cstdint>
#include <functional>

#include "platform/Text.h"

namespace lintra {

// The modal message box, as a replaceable handler so that a headless host, a test or a real
// window decides how the question is put and answered.
namespace MessageBox {

// Buttons pressed, as the box returns them.
constexpr int32_t OK = 1;
constexpr int32_t Abort = 3;
constexpr int32_t Retry = 4;
constexpr int32_t Ignore = 5;

// Styles: a button set plus an icon.
constexpr int32_t OKOnly = 0;
constexpr int32_t AbortRetryIgnore = 2;
constexpr int32_t Exclamation = 48;

// Shows `prompt` with `title`, the buttons and icon of `style`, and returns the button pressed.
using Handler = std::function<int32_t(const Text& prompt, int32_t style, const Text& title)>;

// Installs `handler` for every later box and returns the one it replaces. An empty handler
// restores the default: the prompt is written to standard error and the box answers Abort
// (OK for a box that only has OK), so a program without a user never waits.
Handler SetHandler(Handler handler);

// Shows a box through the installed handler.
int32_t Show(const Text& prompt, int32_t style, const Text& title);

}  // namespace MessageBox

}  // namespace lintra
