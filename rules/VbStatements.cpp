#include "rules/VbStatements.h"

namespace lintra {

namespace {

bool IsLetter(char16_t unit) {
  return (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z') || unit >= 0x80;
}

bool IsWordUnit(char16_t unit) {
  return IsLetter(unit) || (unit >= u'0' && unit <= u'9') || unit == u'_';
}

bool IsLineBreak(char16_t unit) {
  return unit == u'\r' || unit == u'\n';
}

bool IsBlank(char16_t unit) {
  return unit == u' ' || unit == u'\t';
}

char16_t Lower(char16_t unit) {
  return (unit >= u'A' && unit <= u'Z') ? static_cast<char16_t>(unit + 32) : unit;
}

}  // namespace

void VbStatements::Scan(size_t begin, size_t end, int32_t unit) {
  unit_ = unit;
  inClass_ = unit == 0 ? mainInClass_ : false;
  inProcedure_ = unit == 0 ? mainInProcedure_ : false;
  tokens_.clear();
  size_t at = begin;
  while (at < end) at = ReadToken(at, end);
  EndStatement();
  if (unit == 0) {
    mainInClass_ = inClass_;
    mainInProcedure_ = inProcedure_;
  }
}

void VbStatements::Finish() {
  if (bodyOpen_) out_.bodies.push_back({bodyBegin_, static_cast<int32_t>(text_.size())});
  bodyOpen_ = false;
}

size_t VbStatements::ReadToken(size_t at, size_t end) {
  const char16_t unit = text_[at];
  if (IsBlank(unit)) return at + 1;
  if (IsLineBreak(unit) || unit == u':') {
    EndStatement();
    return at + 1;
  }
  if (unit == u'\'') return LineEnd(at, end);
  if (unit == u'"') {
    tokens_.push_back({TokenKind::Other, at, 1});
    return SkipString(at + 1, end);
  }
  if (unit == u'_') {
    const size_t next = Continuation(at + 1, end);
    if (next != 0) return next;
  }
  if (unit == u'[') {
    size_t close = at + 1;
    while (close < end && text_[close] != u']' && !IsLineBreak(text_[close])) ++close;
    tokens_.push_back({TokenKind::Bracketed, at + 1, close - at - 1});
    return close < end && text_[close] == u']' ? close + 1 : close;
  }
  if (IsWordUnit(unit)) {
    size_t after = at + 1;
    while (after < end && IsWordUnit(text_[after])) ++after;
    const TokenKind kind = IsLetter(unit) ? TokenKind::Word : TokenKind::Other;
    tokens_.push_back({kind, at, after - at});
    if (tokens_.size() == 1 && Is(0, u"rem")) {
      tokens_.clear();
      return LineEnd(after, end);
    }
    return after;
  }
  tokens_.push_back({TokenKind::Punct, at, 1});
  return at + 1;
}

size_t VbStatements::SkipString(size_t at, size_t end) const {
  while (at < end && !IsLineBreak(text_[at])) {
    if (text_[at] == u'"') {
      if (at + 1 < end && text_[at + 1] == u'"') {
        at += 2;
        continue;
      }
      return at + 1;
    }
    ++at;
  }
  return at;
}

size_t VbStatements::LineEnd(size_t at, size_t end) const {
  while (at < end && !IsLineBreak(text_[at])) ++at;
  return at;
}

// After a "_" at `at` - 1: the position after the line break when only blanks stand before it,
// so that the statement goes on on the next line; otherwise 0.
size_t VbStatements::Continuation(size_t at, size_t end) const {
  while (at < end && IsBlank(text_[at])) ++at;
  if (at >= end || !IsLineBreak(text_[at])) return 0;
  if (text_[at] == u'\r' && at + 1 < end && text_[at + 1] == u'\n') ++at;
  return at + 1;
}

bool VbStatements::Is(size_t index, TextView lowerWord) const {
  if (index >= tokens_.size() || tokens_[index].kind != TokenKind::Word) return false;
  const Token& token = tokens_[index];
  if (token.length != lowerWord.size()) return false;
  for (size_t i = 0; i < token.length; ++i) {
    if (Lower(text_[token.start + i]) != lowerWord[i]) return false;
  }
  return true;
}

bool VbStatements::IsPunct(size_t index, char16_t unit) const {
  return index < tokens_.size() && tokens_[index].kind == TokenKind::Punct &&
         text_[tokens_[index].start] == unit;
}

bool VbStatements::IsName(size_t index) const {
  return index < tokens_.size() && tokens_[index].length > 0 &&
         (tokens_[index].kind == TokenKind::Word || tokens_[index].kind == TokenKind::Bracketed);
}

void VbStatements::EndStatement() {
  if (tokens_.empty()) return;
  size_t index = 0;
  if (Is(0, u"end")) {
    if (Is(1, u"sub") || Is(1, u"function") || Is(1, u"property")) CloseBody(false);
    if (Is(1, u"class")) CloseBody(true);
  } else {
    const bool modifier = Is(0, u"public") || Is(0, u"private");
    if (modifier) index = Is(1, u"default") ? 2 : 1;
    if (Is(index, u"sub") || Is(index, u"function") || Is(index, u"property")) {
      Procedure(index);
    } else if (Is(index, u"class") && !modifier) {
      if (IsName(index + 1)) Declare(DeclarationKind::Class, index + 1);
      OpenBody(true);
    } else if (Is(index, u"const")) {
      ConstantList(index + 1);
    } else if (modifier) {
      VariableList(index, DeclarationKind::Variable);
    } else if (Is(0, u"dim")) {
      VariableList(1, DeclarationKind::Variable);
    } else if (Is(0, u"redim")) {
      VariableList(Is(1, u"preserve") ? 2 : 1, DeclarationKind::ReDim);
    }
  }
  tokens_.clear();
}

void VbStatements::Procedure(size_t index) {
  const bool property = Is(index, u"property");
  const size_t name = property ? index + 2 : index + 1;
  const bool accessor =
      !property || Is(index + 1, u"get") || Is(index + 1, u"let") || Is(index + 1, u"set");
  if (accessor && IsName(name)) Declare(DeclarationKind::Procedure, name);
  OpenBody(false);
}

void VbStatements::Declare(DeclarationKind kind, size_t index) {
  if (!AtScriptLevel()) return;
  const Token& token = tokens_[index];
  const Text name(text_.substr(token.start, token.length));
  out_.declarations.push_back(
      {kind, name, text::UCase(name), -1, static_cast<int32_t>(token.start), 1, 1, 1, unit_});
}

void VbStatements::OpenBody(bool isClass) {
  if (AtScriptLevel() && unit_ == 0 && !bodyOpen_) {
    bodyOpen_ = true;
    bodyBegin_ = static_cast<int32_t>(tokens_.front().start);
  }
  if (isClass) {
    inClass_ = true;
  } else {
    inProcedure_ = true;
  }
}

void VbStatements::CloseBody(bool isClass) {
  inProcedure_ = false;
  if (isClass) inClass_ = false;
  if (AtScriptLevel() && unit_ == 0 && bodyOpen_) {
    const Token& last = tokens_.back();
    out_.bodies.push_back({bodyBegin_, static_cast<int32_t>(last.start + last.length)});
    bodyOpen_ = false;
  }
}

void VbStatements::VariableList(size_t index, DeclarationKind kind) {
  while (IsName(index)) {
    Declare(kind, index);
    index = SkipParentheses(index + 1);
    if (!IsPunct(index, u',')) return;
    ++index;
  }
}

void VbStatements::ConstantList(size_t index) {
  while (IsName(index)) {
    Declare(DeclarationKind::Constant, index);
    int32_t depth = 0;
    for (++index; index < tokens_.size(); ++index) {
      if (IsPunct(index, u'(')) ++depth;
      if (IsPunct(index, u')')) --depth;
      if (depth <= 0 && IsPunct(index, u',')) break;
    }
    if (index >= tokens_.size()) return;
    ++index;
  }
}

size_t VbStatements::SkipParentheses(size_t index) const {
  if (!IsPunct(index, u'(')) return index;
  int32_t depth = 0;
  for (; index < tokens_.size(); ++index) {
    if (IsPunct(index, u'(')) ++depth;
    if (IsPunct(index, u')') && --depth == 0) return index + 1;
  }
  return index;
}

}  // namespace lintra
