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

void AddPageNumbers(RuleFinding& finding, const RuleFinding& other) {
  if (other.pages == 0) return;
  std::vector<int64_t>& numbers = finding.laterPageNumbers;
  numbers.push_back(other.pageNumber);
  numbers.insert(numbers.end(), other.laterPageNumbers.begin(), other.laterPageNumbers.end());
}

Text LineLocation(TextView file, int32_t line) {
  return text::Concat({file, u":", text::FromNumber(line)});
}

}  // namespace lintra
