#pragma once

#include <cstdint>
#include <exception>
#include <utility>

#include "platform/ErrorRecord.h"
#include "platform/MessageBox.h"

namespace lintra {

// The one routine that shows an unexpected run-time error to the user, and the trap through which
// every reporting procedure reaches it.

// The error being handled right now on the calling thread: set by ErrorTrap for the length of
// the report, cleared afterwards. Number 0 means no error.
ErrorRecord& Err();

// Shows the error being handled (Err()) in an Abort/Retry/Ignore box with the exclamation icon,
// naming `module` and `procedure`, and returns the button pressed (MessageBox::Abort, Retry or
// Ignore, or whatever else the installed handler answers).
int32_t gfnReportError(const Text& module, const Text& procedure);

// Cuts a procedure into steps. Each Step runs one piece of the procedure; when it raises an
// error, the error is reported through gfnReportError and the user's answer decides:
//   Retry  - the step runs again;
//   Ignore - Step returns true and the procedure goes on with its next step;
//   Abort (or any other answer) - Step returns false, and so does every later Step without
//            running, so the procedure leaves with what it had assigned so far.
// A procedure writes `if (!trap.Step([&] { ... })) return result;` for each step that can fail.
class ErrorTrap {
 public:
  ErrorTrap(const char16_t* module, const char16_t* procedure)
      : module_(module), procedure_(procedure) {}

  template <class StepFn>
  bool Step(StepFn&& step) {
    while (!aborted_) {
      try {
        std::forward<StepFn>(step)();
        return true;
      } catch (...) {
        const int32_t answer = Report(std::current_exception());
        if (answer == MessageBox::Ignore) return true;
        if (answer != MessageBox::Retry) aborted_ = true;
      }
    }
    return false;
  }

  // The step that closes the procedure: it runs also after the user chose to leave, since
  // leaving goes through it, and is trapped like any other step.
  template <class StepFn>
  bool Closing(StepFn&& step) {
    aborted_ = false;
    return Step(std::forward<StepFn>(step));
  }

  // True once the user has chosen to leave the procedure.
  bool Aborted() const { return aborted_; }

 private:
  int32_t Report(std::exception_ptr error) const;

  const char16_t* module_;
  const char16_t* procedure_;
  bool aborted_ = false;
};

}  // namespace lintra
