#include "rules/VbUses.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace lintra {

namespace {

using Kind = VbToken::Kind;

// The words of the language that never name a variable, constant, procedure or class, sorted.
// Built-in functions, constants and objects (Len, vbCrLf, Response, Err) are names: a page may
// use them like its own, and what they resolve to is for the reader of the uses to say.
constexpr std::array<TextView, 63> Keywords = {
    u"and",   u"as",         u"byref",    u"byval",   u"call",     u"case",   u"class",
    u"const", u"default",    u"dim",      u"do",      u"each",     u"else",   u"elseif",
    u"empty", u"end",        u"eqv",      u"erase",   u"error",    u"exit",   u"explicit",
    u"false", u"for",        u"function", u"get",     u"goto",     u"if",     u"imp",
    u"in",    u"is",         u"let",      u"loop",    u"me",       u"mod",    u"new",
    u"next",  u"not",        u"nothing",  u"null",    u"on",       u"option", u"optional",
    u"or",    u"paramarray", u"preserve", u"private", u"property", u"public", u"redim",
    u"rem",   u"resume",     u"select",   u"set",     u"step",     u"stop",   u"sub",
    u"then",  u"to",         u"until",    u"wend",    u"while",    u"with",   u"xor"};

static_assert(std::is_sorted(Keywords.begin(), Keywords.end()));

constexpr size_t LongestKeyword = 10;

// Where the keywords that begin with each letter from "a" to "z" start in Keywords, and after
// "z", where they end.
constexpr std::array<size_t, 27> KeywordStarts = [] {
  std::array<size_t, 27> starts{};
  size_t at = 0;
  for (size_t letter = 0; letter < starts.size(); ++letter) {
    while (at < Keywords.size() && static_cast<size_t>(Keywords[at][0] - u'a') < letter) ++at;
    starts[letter] = at;
  }
  return starts;
}();

bool IsHexDigit(char16_t unit) {
  return (unit >= u'0' && unit <= u'9') ||
         (text::LowerAscii(unit) >= u'a' && text::LowerAscii(unit) <= u'f');
}

}  // namespace

void VbUses::StartBlock(int32_t unit) {
  unit_ = unit;
}

void VbUses::EndBlock(size_t end) {
  if (unit_ == 0) return;
  Close(other_.procedure, false, end);
  Close(other_.klass, true, end);
}

void VbUses::Finish(size_t end) {
  unit_ = 0;
  Close(main_.procedure, false, end);
  Close(main_.klass, true, end);
}

void VbUses::DeclaredHere(size_t start) {
  declared_.push_back(start);
}

void VbUses::DeclareLocal(DeclarationKind kind, const VbToken& token, bool inProcedure) {
  if (kind == DeclarationKind::ReDim) {
    if (inProcedure) out_.reDimmed.push_back(NameAt(text_, token.start, token.length, unit_).key);
    return;
  }
  const Body& body = inProcedure ? Open().procedure : Open().klass;
  out_.locals.push_back(
      {{NameAt(text_, token.start, token.length, unit_), kind}, {body.begin, 0}, !inProcedure, {}});
  declared_.push_back(token.start);
}

void VbUses::OpenBody(bool isClass, size_t begin) {
  Body& body = isClass ? Open().klass : Open().procedure;
  if (body.open) return;
  body = {true, static_cast<int32_t>(begin), out_.uses.size(), out_.locals.size(), {}};
  if (!isClass) body.member = MemberDeclaredAt(begin);
}

std::optional<size_t> VbUses::MemberDeclaredAt(size_t begin) const {
  if (out_.locals.empty()) return std::nullopt;
  const LocalName& last = out_.locals.back();
  const bool declaredHere = last.member && last.declaration.unit == unit_ &&
                            last.declaration.kind == DeclarationKind::Procedure &&
                            last.declaration.offset >= static_cast<int32_t>(begin);
  return declaredHere ? std::optional(out_.locals.size() - 1) : std::nullopt;
}

void VbUses::CloseBody(bool isClass, size_t end) {
  Close(Open().procedure, false, end);
  if (isClass) Close(Open().klass, true, end);
}

void VbUses::Close(Body& body, bool members, size_t end) {
  if (!body.open) return;
  body.open = false;
  if (body.member) out_.locals[*body.member].body = {body.begin, static_cast<int32_t>(end)};
  std::unordered_map<TextView, int32_t> known;
  for (size_t i = body.firstLocal; i < out_.locals.size(); ++i) {
    LocalName& local = out_.locals[i];
    if (local.member != members || local.declaration.unit != unit_) continue;
    if (local.scope.end == 0) local.scope.end = static_cast<int32_t>(end);
    known.try_emplace(local.declaration.key, static_cast<int32_t>(i));
  }
  if (known.empty()) return;
  for (size_t i = body.firstUse; i < out_.uses.size(); ++i) {
    NameUse& use = out_.uses[i];
    if (use.local >= 0 || use.unit != unit_) continue;
    const auto found = known.find(use.key);
    if (found != known.end()) use.local = found->second;
  }
}

void VbUses::Statement(const std::vector<VbToken>& tokens) {
  if (tokens.empty()) return;
  if (unit_ == 0 && out_.firstStatement < 0) {
    out_.firstStatement = static_cast<int32_t>(tokens[0].start);
    if (tokens.size() > 1 && IsWord(tokens[0], u"option") && IsWord(tokens[1], u"explicit")) {
      out_.optionExplicit = out_.firstStatement;
    }
  }
  MatchParentheses(tokens);
  std::sort(declared_.begin(), declared_.end());
  size_t nextDeclared = 0;
  bool head = true;
  bool inDate = false;
  // The kind that a keyword gives the name after it (New, Call, Set...), when one does.
  bool kindGiven = false;
  UseKind givenKind = UseKind::Read;
  for (size_t i = 0; i < tokens.size(); ++i) {
    const VbToken& token = tokens[i];
    if (token.kind == Kind::Punct) {
      if (text_[token.start] == u'#') inDate = !inDate;
      head = false;
      continue;
    }
    if (token.kind == Kind::Other || inDate || token.length == 0) {
      head = false;
      continue;
    }
    if (IsKeyword(token)) {
      if (KindAfter(token, givenKind)) kindGiven = true;
      head = IsWord(token, u"then") || IsWord(token, u"else");
      continue;
    }
    const bool member = IsPunct(tokens, i - 1, u'.');
    while (nextDeclared < declared_.size() && declared_[nextDeclared] < token.start) ++nextDeclared;
    const bool declared = nextDeclared < declared_.size() && declared_[nextDeclared] == token.start;
    if (!member && !declared && !IsLiteralWord(tokens, i)) {
      Use(token, kindGiven ? givenKind : head ? HeadKind(tokens, i) : UseKind::Read);
    }
    kindGiven = false;
    head = false;
  }
  declared_.clear();
}

void VbUses::Use(const VbToken& token, UseKind kind) {
  NameUse use;
  use.key = Key(token);
  use.offset = static_cast<int32_t>(token.start);
  use.unit = unit_;
  use.kind = kind;
  out_.uses.push_back(use);
}

TextView VbUses::Key(const VbToken& token) {
  const TextView written = text_.substr(token.start, token.length);
  const size_t slot = written.size() * 31 + written.front() * 7 + written.back();
  Spelling& spelling = spellings_[slot % spellings_.size()];
  if (spelling.written == written) return spelling.key;
  text::UCaseInto(written, upper_);
  auto known = out_.keys.find(TextView(upper_));
  if (known == out_.keys.end()) known = out_.keys.insert(upper_).first;
  spelling = {written, *known};
  return *known;
}

void VbUses::MatchParentheses(const std::vector<VbToken>& tokens) {
  closing_.assign(tokens.size(), tokens.size());
  open_.clear();
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (IsPunct(tokens, i, u'(')) open_.push_back(i);
    if (IsPunct(tokens, i, u')') && !open_.empty()) {
      closing_[open_.back()] = i;
      open_.pop_back();
    }
  }
}

UseKind VbUses::HeadKind(const std::vector<VbToken>& tokens, size_t index) const {
  size_t after = index + 1;
  if (IsPunct(tokens, after, u'(')) after = closing_[after] + 1;
  if (IsPunct(tokens, after, u'=')) return UseKind::Assign;
  if (IsPunct(tokens, index + 1, u'.')) return UseKind::Read;
  return UseKind::Call;
}

bool VbUses::KindAfter(const VbToken& keyword, UseKind& kind) const {
  if (IsWord(keyword, u"new")) {
    kind = UseKind::New;
  } else if (IsWord(keyword, u"call")) {
    kind = UseKind::Call;
  } else if (IsWord(keyword, u"set") || IsWord(keyword, u"let") || IsWord(keyword, u"for") ||
             IsWord(keyword, u"erase") || IsWord(keyword, u"redim")) {
    kind = UseKind::Assign;
  } else {
    return false;
  }
  return true;
}

bool VbUses::IsKeyword(const VbToken& token) const {
  if (token.kind != Kind::Word || token.length > LongestKeyword) return false;
  const TextView word = text_.substr(token.start, token.length);
  const char16_t first = text::LowerAscii(word[0]);
  if (first < u'a' || first > u'z') return false;
  const size_t letter = first - u'a';
  return std::any_of(Keywords.begin() + static_cast<ptrdiff_t>(KeywordStarts[letter]),
                     Keywords.begin() + static_cast<ptrdiff_t>(KeywordStarts[letter + 1]),
                     [&](TextView keyword) { return text::SameAsciiWord(word, keyword); });
}

// A word that is part of a literal: the digits of &H1F or &O17.
bool VbUses::IsLiteralWord(const std::vector<VbToken>& tokens, size_t index) const {
  const VbToken& token = tokens[index];
  if (!IsPunct(tokens, index - 1, u'&') || tokens[index - 1].start + 1 != token.start) return false;
  const char16_t radix = text::LowerAscii(text_[token.start]);
  if (radix != u'h' && radix != u'o') return false;
  for (size_t i = token.start + 1; i < token.start + token.length; ++i) {
    if (!IsHexDigit(text_[i])) return false;
  }
  return true;
}

bool VbUses::IsPunct(const std::vector<VbToken>& tokens, size_t index, char16_t unit) const {
  return index < tokens.size() && tokens[index].kind == Kind::Punct &&
         text_[tokens[index].start] == unit;
}

bool VbUses::IsWord(const VbToken& token, TextView lowerWord) const {
  return lintra::IsWord(text_, token, lowerWord);
}

}  // namespace lintra
