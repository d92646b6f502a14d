#include "rules/AspBlocks.h"

#include <algorithm>

namespace lintra {

namespace {

bool IsSpace(char16_t unit) {
  return unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\n' || unit == u'\f';
}

bool IsNameUnit(char16_t unit) {
  return (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z') ||
         (unit >= u'0' && unit <= u'9') || unit == u'-' || unit == u'_' || unit == u':';
}

bool StartsWithWord(TextView text, size_t at, TextView lower) {
  return at + lower.size() <= text.size() &&
         text::SameAsciiWord(text.substr(at, lower.size()), lower);
}

// The first `lower` at or after `from`, without regard to case, or the end of the text.
size_t FindWord(TextView text, size_t from, TextView lower) {
  for (size_t at = text::FindAscii(text, from, lower[0]); at != TextView::npos;
       at = text::FindAscii(text, at + 1, lower[0])) {
    if (StartsWithWord(text, at, lower)) return at;
  }
  return text.size();
}

// The attributes of a tag or directive, read from `at` up to `stop` outside quotes or `end`.
struct Attributes {
  TextView language;
  TextView runat;
  TextView id;
  bool hasLanguage = false;
  // Where reading stopped: at `stop`, or `end`.
  size_t stoppedAt = 0;
};

size_t SkipSpaces(TextView text, size_t at, size_t end) {
  while (at < end && IsSpace(text[at])) ++at;
  return at;
}

TextView ReadValue(TextView text, size_t& at, size_t end, char16_t stop) {
  if (at < end && (text[at] == u'"' || text[at] == u'\'')) {
    const char16_t quote = text[at++];
    const size_t begin = at;
    while (at < end && text[at] != quote) ++at;
    const TextView value = text.substr(begin, at - begin);
    if (at < end) ++at;
    return value;
  }
  const size_t begin = at;
  while (at < end && !IsSpace(text[at]) && text[at] != stop) ++at;
  return text.substr(begin, at - begin);
}

Attributes ReadAttributes(TextView text, size_t at, size_t end, char16_t stop) {
  Attributes found;
  while (true) {
    at = SkipSpaces(text, at, end);
    if (at >= end || text[at] == stop) break;
    if (!IsNameUnit(text[at])) {
      ++at;
      continue;
    }
    const size_t nameBegin = at;
    while (at < end && IsNameUnit(text[at])) ++at;
    const TextView name = text.substr(nameBegin, at - nameBegin);
    at = SkipSpaces(text, at, end);
    if (at >= end || text[at] != u'=') continue;
    at = SkipSpaces(text, at + 1, end);
    const TextView value = ReadValue(text, at, end, stop);
    if (text::SameAsciiWord(name, u"language")) {
      found.language = value;
      found.hasLanguage = true;
    } else if (text::SameAsciiWord(name, u"runat")) {
      found.runat = value;
    } else if (text::SameAsciiWord(name, u"id")) {
      found.id = value;
    }
  }
  found.stoppedAt = at;
  return found;
}

PageLanguage LanguageOf(TextView value) {
  return text::SameAsciiWord(value, u"vbscript") ? PageLanguage::VbScript : PageLanguage::Other;
}

// Lays out one file, a step at a time from `at_`.
class Layout {
 public:
  explicit Layout(TextView text) : text_(text), plainFrom_(text::ByteOrderMarkLength(text)) {}

  AspLayout Run() {
    while (at_ < text_.size()) {
      const size_t open = text::FindAscii(text_, at_, u'<');
      if (open == TextView::npos) break;
      // The unit after "<" tells most tags apart without reading on.
      const char16_t next = open + 1 < text_.size() ? text::LowerAscii(text_[open + 1]) : u'\0';
      if (next == u'%') {
        NotePlain(plainFrom_, open);
        ReadServerBlock(open + 2);
        plainFrom_ = at_;
      } else if (next == u's' && OpensElement(open, u"<script")) {
        ReadScriptElement(open, open + 7);
      } else if (next == u'o' && OpensElement(open, u"<object")) {
        ReadObjectElement(open + 7);
      } else if (next == u'!' && StartsWithWord(text_, open, u"<!--") &&
                 StartsWithWord(text_, SkipSpaces(text_, open + 4, text_.size()), u"metadata")) {
        layout_.typeLibrary = true;
        at_ = open + 1;
      } else {
        at_ = open + 1;
      }
    }
    NotePlain(plainFrom_, text_.size());
    return std::move(layout_);
  }

 private:
  // Whether the tag `lowerTag`, "<" and its name, opens at `open`, followed by a blank.
  bool OpensElement(size_t open, TextView lowerTag) const {
    const size_t after = open + lowerTag.size();
    return StartsWithWord(text_, open, lowerTag) && after < text_.size() && IsSpace(text_[after]);
  }

  void ReadServerBlock(size_t code) {
    const size_t close = FindBlockClose(text_, code);
    const size_t end = close == TextView::npos ? text_.size() : close;
    if (code < end && text_[code] == u'@') {
      ReadPageDirective(code + 1, end);
    } else {
      ReadCode(code, end);
    }
    at_ = close == TextView::npos ? text_.size() : close + 2;
  }

  // Notes the code [code, end) of a <% block or a <%= expression.
  void ReadCode(size_t code, size_t end) {
    layout_.code.push_back({code, end});
    if (code >= end || text_[code] != u'=') {
      layout_.blocks.push_back({code, end, 0});
    } else {
      layout_.outputs.push_back(code);
    }
  }

  void ReadPageDirective(size_t at, size_t end) {
    const Attributes attributes = ReadAttributes(text_, at, end, u'\0');
    if (attributes.hasLanguage && !sawDirective_) {
      layout_.language = LanguageOf(attributes.language);
    }
    sawDirective_ = true;
    layout_.pageDirective = true;
  }

  void ReadScriptElement(size_t open, size_t at) {
    const Attributes attributes = ReadAttributes(text_, at, text_.size(), u'>');
    if (attributes.stoppedAt >= text_.size()) {
      at_ = text_.size();
      return;
    }
    const size_t body = attributes.stoppedAt + 1;
    if (!text::SameAsciiWord(attributes.runat, u"server")) {
      at_ = body;
      return;
    }
    const size_t end = FindWord(text_, body, u"</script");
    layout_.code.push_back({body, end});
    if (!attributes.hasLanguage || LanguageOf(attributes.language) == PageLanguage::VbScript) {
      layout_.blocks.push_back({body, end, ++scriptElements_});
    } else {
      layout_.otherCode.push_back({body, end});
    }
    NotePlain(plainFrom_, open);
    at_ = end;
    if (end < text_.size()) at_ += 1;
    const size_t closer = text::FindAscii(text_, at_, u'>');
    plainFrom_ = closer == TextView::npos ? text_.size() : closer + 1;
  }

  // Notes the id of an <object> tag whose attributes begin at `at` when it runs at the server;
  // the tag itself is text that the reader sees as any other.
  void ReadObjectElement(size_t at) {
    const Attributes attributes = ReadAttributes(text_, at, text_.size(), u'>');
    if (text::SameAsciiWord(attributes.runat, u"server") && !attributes.id.empty()) {
      layout_.serverObjects.emplace_back(attributes.id);
    }
    at_ = at;
  }

  // Notes whether and where [from, to), text outside server code, writes to the response: anything
  // but blanks and include directives, which the server replaces.
  void NotePlain(size_t from, size_t to) {
    for (size_t at = from; at < to; ++at) {
      if (IsSpace(text_[at])) continue;
      const size_t close = IncludeCommentEnd(at, to);
      if (close == 0) {
        layout_.outputs.push_back(at);
        return;
      }
      at = close - 1;
    }
  }

  // The end of the include directive's comment that starts at `at`, before `to`; 0 when none
  // starts there.
  size_t IncludeCommentEnd(size_t at, size_t to) const {
    if (!StartsWithWord(text_, at, u"<!--")) return 0;
    const size_t close = text_.substr(0, to).find(u"-->", at + 4);
    if (close == TextView::npos) return 0;
    const size_t keyword = FindWord(text_.substr(0, close), at + 4, u"#include");
    return keyword < close ? close + 3 : 0;
  }

  TextView text_;
  size_t at_ = 0;
  // Where the text outside server code that is not yet noted begins.
  size_t plainFrom_;
  bool sawDirective_ = false;
  int32_t scriptElements_ = 0;
  AspLayout layout_;
};

}  // namespace

// Both look for the "%", which a page holds far more rarely than "<" or ">".
size_t FindBlockOpen(TextView text, size_t from) {
  for (size_t at = text::FindAscii(text, from + 1, u'%'); at != TextView::npos;
       at = text::FindAscii(text, at + 1, u'%')) {
    if (text[at - 1] == u'<') return at - 1;
  }
  return TextView::npos;
}

size_t FindBlockClose(TextView text, size_t from) {
  for (size_t at = text::FindAscii(text, from, u'%'); at != TextView::npos;
       at = text::FindAscii(text, at + 1, u'%')) {
    if (at + 1 < text.size() && text[at + 1] == u'>') return at;
  }
  return TextView::npos;
}

AspLayout LayOutAsp(TextView text) {
  return Layout(text).Run();
}

std::vector<CodeBlock> VbCode(TextView text, const AspLayout& layout) {
  std::vector<CodeBlock> code = layout.blocks;
  for (const TextStretch& stretch : layout.code) {
    if (stretch.begin < stretch.end && text[stretch.begin] == u'=') {
      code.push_back({stretch.begin + 1, stretch.end, 0, true});
    }
  }
  std::sort(code.begin(), code.end(),
            [](const CodeBlock& a, const CodeBlock& b) { return a.begin < b.begin; });
  return code;
}

}  // namespace lintra
