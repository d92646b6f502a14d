#include "rules/RuleFinding.h"

#include <algorithm>

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

void AddPages(std::vector<uint32_t>& into, const std::vector<uint32_t>& more) {
  const auto middle = static_cast<ptrdiff_t>(into.size());
  into.insert(into.end(), more.begin(), more.end());
  std::inplace_merge(into.begin(), into.begin() + middle, into.end());
  into.erase(std::unique(into.begin(), into.end()), into.end());
}

Text LineLocation(const Place& place) {
  return text::Concat({place.file, u":", text::FromNumber(place.line)});
}

}  // namespace lintra
