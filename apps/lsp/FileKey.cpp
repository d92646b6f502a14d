#include "apps/lsp/FileKey.h"

namespace lintra::lsp {

Text FileKey(TextView webPath) {
  size_t start = 0;
  while (start < webPath.size() && (webPath[start] == u'/' || webPath[start] == u'\\')) ++start;
  Text key = text::UCase(webPath.substr(start));
  for (char16_t& unit : key) {
    if (unit == u'\\') unit = u'/';
  }
  return key;
}

}  // namespace lintra::lsp
