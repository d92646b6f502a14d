#include "errors/modPendryError.h"

namespace lintra {

ErrorRecord& Err() {
  thread_local ErrorRecord current;
  return current;
}

int32_t gfnReportError(const Text& module, const Text& procedure) {
  const ErrorRecord& error = Err();
  const Text prompt = u"An error has occured.\r\nError No: " + text::FromNumber(error.Number) +
                      u" - " + error.Description + u"\r\nSource : Lintra." + module + u"." +
                      procedure;
  return MessageBox::Show(prompt, MessageBox::AbortRetryIgnore + MessageBox::Exclamation,
                          u"Corvane");
}

int32_t ErrorTrap::Report(std::exception_ptr error) const {
  Err() = CurrentErrorRecord(error);
  const int32_t answer = gfnReportError(module_, procedure_);
  Err() = ErrorRecord();
  return answer;
}

}  // namespace lintra
