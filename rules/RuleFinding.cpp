#include "rules/RuleFinding.h"

namespace lintra {

const char* SeverityName(Severity severity) {
  switch (severity) {
    case Severity::Error:
      return "error";
    case Severity::Warning:
      return "warning";
    case Severity::Note:
      return "note";
  }
  return "";
}

Text LineLocation(const Place& place) {
  return text::Concat({place.file, u":", text::FromNumber(place.line)});
}

}  // namespace lintra
