#include "rules/IncludePaths.h"

#include <algorithm>

#include "analysis/PathSegments.h"

namespace lintra {

namespace {

bool Delimits(char16_t unit) {
  return unit == u'"' || unit == u'\'' || unit == u'=' || unit == u'/' || unit == u'\\' ||
         unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\n';
}

}  // namespace

bool NamesParentFolder(TextView directive) {
  for (size_t at = text::FindAscii(directive, 0, u'.'); at != TextView::npos;
       at = text::FindAscii(directive, at + 1, u'.')) {
    if (at + 1 >= directive.size() || directive[at + 1] != u'.') continue;
    const bool opens = at == 0 || Delimits(directive[at - 1]);
    const size_t after = at + 2;
    const bool closes = after == directive.size() || Delimits(directive[after]) ||
                        directive.substr(after).starts_with(u"-->");
    if (opens && closes) return true;
  }
  return false;
}

bool DiffersOnlyInCase(TextView requested, TextView found) {
  if (requested == found) return false;
  const std::vector<TextView> asked = PathSegments(requested);
  const std::vector<TextView> given = PathSegments(found);
  return asked.size() == given.size() &&
         std::equal(asked.begin(), asked.end(), given.begin(), text::SameIgnoringCase) &&
         !std::equal(asked.begin(), asked.end(), given.begin());
}

bool HasExtension(TextView path, const std::vector<std::string>& extensions) {
  size_t dot = path.size();
  while (dot > 0 && path[dot - 1] != u'.') {
    if (path[dot - 1] == u'/' || path[dot - 1] == u'\\') return false;
    --dot;
  }
  if (dot == 0) return false;
  const TextView extension = path.substr(dot - 1);
  return std::any_of(extensions.begin(), extensions.end(), [&](const std::string& wanted) {
    return wanted.size() == extension.size() &&
           std::equal(wanted.begin(), wanted.end(), extension.begin(), [](char w, char16_t e) {
             return text::UCaseUnit(static_cast<unsigned char>(w)) == text::UCaseUnit(e);
           });
  });
}

}  // namespace lintra
