#include "analysis/LintraFuncs.h"

#include <algorithm>

#include "errors/modPendryError.h"

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

AttributeResult ReadAttribute(TextView name, TextView text) {
  const Text upper = text::UCase(text);
  const int32_t length = Len(upper);
  const int32_t p = InStr(1, upper, text::UCase(name));
  if (p == 0) return {};
  int32_t i = p + Len(name);
  for (;; ++i) {
    const TextView c = CharAt(upper, i);
    if (c == u"=") break;
    if (!gfbWhiteSpace(c) || i == length) return {AttributeResult::NoValue, Text()};
  }
  for (++i;; ++i) {
    const TextView c = CharAt(upper, i);
    if (!gfbWhiteSpace(c)) break;
    if (i == length) return {AttributeResult::NoValue, Text()};
  }
  const TextView opening = CharAt(upper, i);
  if (opening == u"\"" || opening == u"'") {
    const int32_t s = i + 1;
    const int32_t e = InStr(s, upper, opening);
    if (e == 0) return {AttributeResult::NoValue, Text()};
    return {AttributeResult::Found, Mid(text, s, e - s)};
  }
  const int32_t e = InStr(i, upper, u" ");
  if (e > 0) return {AttributeResult::Found, Mid(text, i, e - i)};
  if (i < length) return {AttributeResult::Found, Mid(text, i)};
  return {AttributeResult::NoValue, Text()};
}

}  // namespace

AttributeResult AttributeValue(TextView Name, TextView Text) {
  ErrorTrap trap(u"LintraFuncs", u"AttributeValue");
  AttributeResult result;
  trap.Step([&] { result = ReadAttribute(Name, Text); });
  return result;
}

Text gfsFileName(TextView path) {
  ErrorTrap trap(u"LintraFuncs", u"gfsFileName");
  Text result;
  trap.Step([&] {
    const size_t last = path.find_last_of(u"/\\");
    result = Text(last == TextView::npos ? path : path.substr(last + 1));
  });
  return result;
}

Text gfsFilePath(TextView path) {
  ErrorTrap trap(u"LintraFuncs", u"gfsFilePath");
  Text result;
  trap.Step([&] {
    const Text slashed = text::Replace(path, u'\\', u'/');
    const size_t last = slashed.rfind(u'/');
    if (last != Text::npos) result = slashed.substr(0, last + 1);
  });
  return result;
}

namespace {

// True when the ".." at 1-based `n` is a whole segment: a "/" before it and a "/" or the end
// after it.
bool IsParentSegment(const Text& path, int32_t n) {
  const auto at = static_cast<size_t>(n - 1);
  const bool slashBefore = at > 0 && path[at - 1] == u'/';
  const bool endsAfter = at + 2 == path.size() || path[at + 2] == u'/';
  return slashBefore && endsAfter;
}

// Resolves the ".." segments of a path in web form. A ".." that is a whole segment removes the
// segment before it together with its separators; a path that begins with ".." keeps it. Odd
// forms get a sensible result: a ".." that is part of a name is left alone, a final ".." acts as
// if a "/" followed it, and "/.." at the very start is dropped.
Text ResolveParents(Text path) {
  int32_t from = 2;
  for (int32_t n = InStr(from, path, u".."); n > 0; n = InStr(from, path, u"..")) {
    if (!IsParentSegment(path, n)) {
      from = n + 1;
      continue;
    }
    if (n + 1 == Len(path)) path += u'/';
    const int32_t length = Len(path);
    const int32_t p1 = n - 1;
    const int32_t p2 = p1 > 1 ? text::InStrRev(path, u"/", p1 - 1) : 0;
    if (p1 == 1) {
      path = text::Left(path, 1) + text::Right(path, length - n - 2);
    } else if (p2 > 0) {
      path = text::Left(path, p2 - 1) + text::Right(path, length - n - 1);
    } else {
      path = text::Right(path, length - n - 2);
    }
    from = 2;
  }
  return path;
}

}  // namespace

Text gfsCorrectWebPath(TextView path) {
  ErrorTrap trap(u"LintraFuncs", u"gfsCorrectWebPath");
  Text result;
  trap.Step([&] { result = ResolveParents(text::Replace(path, u'\\', u'/')); });
  return result;
}

int32_t fnDirLevels(TextView t) {
  return static_cast<int32_t>(std::count(t.begin(), t.end(), u'/'));
}

namespace {

TextView DropTrailingSlash(TextView t) { return t.ends_with(u'/') ? t.substr(0, t.size() - 1) : t; }

// `t` up to its last "/", or empty when it has none.
Text BeforeLastSlash(const Text& t) {
  const size_t last = t.rfind(u'/');
  return last == Text::npos ? Text() : t.substr(0, last);
}

Text RelativeFolder(TextView base, TextView target) {
  Text a = text::UCase(DropTrailingSlash(base));
  const Text t(DropTrailingSlash(target));
  if (a.empty()) return t.empty() ? Text(u".") : t;
  const Text upperTarget = text::UCase(t);
  Text b = upperTarget;
  Text r;
  while (b != a) {
    const int32_t levelsA = fnDirLevels(a);
    const int32_t levelsB = fnDirLevels(b);
    if (levelsA > levelsB) {
      r += u"../";
      a = BeforeLastSlash(a);
    } else if (levelsA < levelsB) {
      b = BeforeLastSlash(b);
    } else {
      r += u"../";
      const bool nested = a.find(u'/') != Text::npos;
      a = nested ? BeforeLastSlash(a) : Text();
      b = nested ? BeforeLastSlash(b) : Text();
    }
  }
  if (upperTarget == a) return u".";
  if (a.empty()) return r + t;
  return r + text::Right(t, Len(t) - Len(a) - 1);
}

}  // namespace

Text gfsRelativePath(TextView base, TextView target) {
  ErrorTrap trap(u"LintraFuncs", u"gfsRelativePath");
  Text result;
  trap.Step([&] { result = RelativeFolder(base, target); });
  return result;
}
