#include "rules/OutputText.h"

#include <cstdint>
#include <cstring>

#include "rules/VbComments.h"

namespace lintra {

namespace {

bool IsLineBreak(char16_t unit) {
  return unit == u'\r' || unit == u'\n';
}

bool AnyBeyondAscii(TextView text, size_t from, size_t to) {
  // Four units at a time: a unit beyond ASCII has a bit of 0xFF80 set in its lane.
  constexpr uint64_t BeyondAscii = 0xFF80FF80FF80FF80;
  size_t at = from;
  for (; at + 4 <= to; at += 4) {
    uint64_t units;
    std::memcpy(&units, text.data() + at, sizeof units);
    if (units & BeyondAscii) return true;
  }
  for (; at < to; ++at) {
    if (text[at] >= 0x80) return true;
  }
  return false;
}

size_t LineEnd(TextView text, size_t at, size_t end) {
  while (at < end && !IsLineBreak(text[at])) ++at;
  return at;
}

// Whether the server code [from, to) of `text`, read as VBScript, has a string literal with a
// character beyond ASCII.
bool StringsShow(TextView text, size_t from, size_t to) {
  bool statementStart = true;
  for (size_t at = from; at < to;) {
    const char16_t unit = text[at];
    if (unit == u'"') {
      const size_t end = VbStringEnd(text, at + 1, to);
      if (AnyBeyondAscii(text, at + 1, end)) return true;
      at = end;
      statementStart = false;
    } else if (unit == u'\'' || (statementStart && VbRemAt(text, at, to))) {
      at = LineEnd(text, at, to);
    } else {
      if (IsLineBreak(unit) || unit == u':') {
        statementStart = true;
      } else if (unit != u' ' && unit != u'\t') {
        statementStart = false;
      }
      ++at;
    }
  }
  return false;
}

// Whether the HTML [from, to) of `text` has a character beyond ASCII outside comments.
// `inComment` says whether a comment is open at `from`, and is left saying whether one is open at
// `to` (server code inside a comment does not close it).
bool HtmlShows(TextView text, size_t from, size_t to, bool& inComment) {
  const TextView html = text.substr(0, to);
  for (size_t at = from; at < to;) {
    if (inComment) {
      const size_t close = html.find(u"-->", at);
      if (close == TextView::npos) return false;
      inComment = false;
      at = close + 3;
      continue;
    }
    const size_t open = html.find(u"<!--", at);
    if (AnyBeyondAscii(text, at, open == TextView::npos ? to : open)) return true;
    if (open == TextView::npos) return false;
    inComment = true;
    at = open + 4;
  }
  return false;
}

}  // namespace

size_t VbStringEnd(TextView text, size_t at, size_t end) {
  while (at < end && !IsLineBreak(text[at])) {
    if (text[at] == u'"') {
      if (at + 1 < end && text[at + 1] == u'"') {
        at += 2;
        continue;
      }
      return at + 1;
    }
    ++at;
  }
  return at;
}

bool ShowsBeyondAscii(TextView text, const AspLayout& layout) {
  size_t plain = text::ByteOrderMarkLength(text);
  // Most texts are ASCII throughout, which a plain look at every unit settles.
  if (!AnyBeyondAscii(text, plain, text.size())) return false;
  bool inComment = false;
  for (const TextStretch& code : layout.code) {
    if (HtmlShows(text, plain, code.begin, inComment)) return true;
    if (StringsShow(text, code.begin, code.end)) return true;
    plain = code.end;
  }
  return HtmlShows(text, plain, text.size(), inComment);
}

}  // namespace lintra
