#include "apps/qt/gui/AnalysisAttempt.h"

namespace lintra {

Text FailureMessage(const Text& page, const ErrorRecord& error, const WindowHost& host) {
  Text message = u"Couldn't analyse " + page + u"\r\nError " + text::FromNumber(error.Number) +
                 u" - " + error.Description;
  if (host.LimitReached()) {
    message += u"\r\nThe page asked for more than " +
               text::FromNumber(static_cast<int64_t>(host.MaxRequests())) + u" files.";
  }
  return message;
}

}  // namespace lintra
