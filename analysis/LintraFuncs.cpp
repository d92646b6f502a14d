#include "analysis/LintraFuncs.h"

#include <algorithm>
#include <vector>

#include "errors/modPendryError.h"

namespace lintra {

using text::InStr;
using text::Len;
using text::Mid;

bool gfbWhiteSpace(TextView t) {
  ErrorTrap trap(u"LintraFuncs", u"gfbWhiteSpace");
  return t == u" " || t == u"\t";
}

namespace {

// The one-unit text at 1-based position i, or empty past the end.
TextView CharAt(TextView t, int32_t i) {
  return (i >= 1 && i <= Len(t)) ? t.substr(static_cast<size_t>(i - 1), 1) : TextView();
}

// The 1-based position of the first occurrence of `name` in `text`, units compared by their
// upper case; 0 when there is none.
int32_t FindIgnoringCase(TextView text, TextView name) {
  if (name.size() > text.size()) return 0;
  if (name.empty()) return 1;
  const char16_t first = text::UCaseUnit(name[0]);
  for (size_t at = 0; at + name.size() <= text.size(); ++at) {
    if (text::UCaseUnit(text[at]) != first) continue;
    size_t k = 1;
    while (k < name.size() && text::UCaseUnit(text[at + k]) == text::UCaseUnit(name[k])) ++k;
    if (k == name.size()) return static_cast<int32_t>(at + 1);
  }
  return 0;
}

// Only the name is compared without regard to case: the marks that follow it ("=", quotes,
// blanks and tabs) are their own upper case, and nothing else upper-cases to them.
AttributeResult ReadAttribute(TextView name, TextView text) {
  const int32_t length = Len(text);
  const int32_t p = FindIgnoringCase(text, name);
  if (p == 0) return {};
  int32_t i = p + Len(name);
  for (;; ++i) {
    const TextView c = CharAt(text, i);
    if (c == u"=") break;
    if (!gfbWhiteSpace(c) || i == length) return {AttributeResult::NoValue, Text()};
  }
  for (++i;; ++i) {
    const TextView c = CharAt(text, i);
    if (!gfbWhiteSpace(c)) break;
    if (i == length) return {AttributeResult::NoValue, Text()};
  }
  const TextView opening = CharAt(text, i);
  if (opening == u"\"" || opening == u"'") {
    const int32_t s = i + 1;
    const int32_t e = InStr(s, text, opening);
    if (e == 0) return {AttributeResult::NoValue, Text()};
    return {AttributeResult::Found, Mid(text, s, e - s)};
  }
  const int32_t e = InStr(i, text, u" ");
  if (e > 0) return {AttributeResult::Found, Mid(text, i, e - i)};
  if (i < length) return {AttributeResult::Found, Mid(text, i)};
  return {AttributeResult::NoValue, Text()};
}

}  // namespace

AttributeResult AttributeValue(TextView Name, TextView Source) {
  ErrorTrap trap(u"LintraFuncs", u"AttributeValue");
  AttributeResult result;
  trap.Step([&] { result = ReadAttribute(Name, Source); });
  return result;
}

Text gfsFileName(TextView path) {
  ErrorTrap trap(u"LintraFuncs", u"gfsFileName");
  Text result;
  trap.Step([&] {
    const size_t last = text::FindLastSlash(path);
    result = Text(last == TextView::npos ? path : path.substr(last + 1));
  });
  return result;
}

Text gfsFilePath(TextView path) {
  ErrorTrap trap(u"LintraFuncs", u"gfsFilePath");
  Text result;
  trap.Step([&] {
    const size_t last = text::FindLastSlash(path);
    if (last == TextView::npos) return;
    result.assign(path.substr(0, last + 1));
    std::replace(result.begin(), result.end(), u'\\', u'/');
  });
  return result;
}

namespace {

// Whether `path` holds "..".
bool HasParentMarks(TextView path) {
  for (size_t dot = path.find(u'.'); dot != TextView::npos; dot = path.find(u'.', dot + 1)) {
    if (dot + 1 < path.size() && path[dot + 1] == u'.') return true;
  }
  return false;
}

// Resolves the ".." segments of a path, left to right in one pass so that long paths take linear
// time; "/" and "\\" both separate segments, and "/" joins the segments kept. A ".." segment
// removes itself and the segment before it with the separator between them; a ".." right after a
// leading "/" removes only itself. A ".." that stands first, from the start or because everything
// before it was removed, stays and can itself be removed by the next "..". A ".." that is only part
// of a name is left alone, and a final ".." that is resolved leaves a trailing "/".
Text ResolveParents(TextView path) {
  Text out;
  out.reserve(path.size());
  size_t kept = 0;  // segments kept in `out`, with a "/" between each two
  auto keep = [&](TextView segment) {
    if (kept++ > 0) out += u'/';
    out += segment;
  };
  for (size_t from = 0;;) {
    size_t slash = from;
    while (slash < path.size() && path[slash] != u'/' && path[slash] != u'\\') ++slash;
    const bool last = slash == path.size();
    const TextView segment = path.substr(from, slash - from);
    if (segment != u".." || kept == 0) {
      keep(segment);
    } else {
      if (kept > 1) {
        out.resize(out.rfind(u'/'));
        --kept;
      } else if (!out.empty()) {
        out.clear();
        kept = 0;
      }
      if (last) keep(TextView());
    }
    if (last) return out;
    from = slash + 1;
  }
}

}  // namespace

Text gfsCorrectWebPath(TextView path) {
  ErrorTrap trap(u"LintraFuncs", u"gfsCorrectWebPath");
  Text result;
  trap.Step([&] {
    result = HasParentMarks(path) ? ResolveParents(path) : text::Replace(path, u'\\', u'/');
  });
  return result;
}

int32_t fnDirLevels(TextView t) {
  return static_cast<int32_t>(std::count(t.begin(), t.end(), u'/'));
}

namespace {

// The parts of a path between its "/" separators, as views into it: one more than it has "/".
std::vector<TextView> Segments(TextView path) {
  std::vector<TextView> segments;
  for (size_t from = 0;;) {
    const size_t slash = path.find(u'/', from);
    segments.push_back(path.substr(from, slash == TextView::npos ? slash : slash - from));
    if (slash == TextView::npos) return segments;
    from = slash + 1;
  }
}

TextView DropTrailingSlash(TextView t) {
  return t.ends_with(u'/') ? t.substr(0, t.size() - 1) : t;
}

// Climbs from the base to the deepest folder it shares with the target, one "../" for each folder
// left behind, and goes down from there to the target. When not even their first folders match,
// they meet above the first folder, one step higher. Segments are compared in one pass, so deep
// folders take linear time.
Text RelativeFolder(TextView base, TextView target) {
  const Text a = text::UCase(DropTrailingSlash(base));
  const Text t(DropTrailingSlash(target));
  if (a.empty()) return t.empty() ? Text(u".") : t;
  const Text upperTarget = text::UCase(t);
  const std::vector<TextView> from = Segments(a);
  const std::vector<TextView> to = Segments(upperTarget);
  size_t shared = 0;
  size_t sharedLength = 0;
  while (shared < from.size() && shared < to.size() && from[shared] == to[shared]) {
    sharedLength += from[shared].size() + (shared > 0 ? 1 : 0);
    ++shared;
  }
  if (TextView(upperTarget) == TextView(a).substr(0, sharedLength)) return u".";
  Text r;
  for (size_t i = shared; i < from.size(); ++i) r += u"../";
  if (sharedLength == 0) return r + t;
  return r + t.substr(sharedLength + 1);
}

}  // namespace

Text gfsRelativePath(TextView base, TextView target) {
  ErrorTrap trap(u"LintraFuncs", u"gfsRelativePath");
  Text result;
  trap.Step([&] { result = RelativeFolder(base, target); });
  return result;
}

}  // namespace lintra
