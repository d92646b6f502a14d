#include "apps/lsp/FileKey.h"

#include <algorithm>

namespace lintra::lsp {

namespace {

// `webPath` without its leading separators.
TextView Relative(TextView webPath) {
  return webPath.substr(std::min(webPath.find_first_not_of(u"/\\"), webPath.size()));
}

// `unit` as it stands in a FileKey.
char16_t KeyUnit(char16_t unit) {
  return unit == u'\\' ? u'/' : unit;
}

}  // namespace

Text FileKey(TextView webPath) {
  const TextView path = Relative(webPath);
  Text key(path.size(), u'\0');
  std::transform(path.begin(), path.end(), key.begin(), KeyUnit);
  return key;
}

bool HasFileKey(TextView webPath, TextView key) {
  const TextView path = Relative(webPath);
  return path.size() == key.size() &&
         std::equal(path.begin(), path.end(), key.begin(),
                    [](char16_t unit, char16_t keyUnit) { return KeyUnit(unit) == keyUnit; });
}

}  // namespace lintra::lsp
