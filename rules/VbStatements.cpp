#include "rules/VbStatements.h"

#include <algorithm>
#include <utility>

#include "rules/OutputText.h"
#include "rules/VbComments.h"
#include "rules/VbUses.h"

namespace lintra {

namespace {

bool IsLineBreak(char16_t unit) {
  return unit == u'\r' || unit == u'\n';
}

bool IsBlank(char16_t unit) {
  return unit == u' ' || unit == u'\t';
}

}  // namespace

void VbStatements::Scan(size_t begin, size_t end, int32_t unit) {
  unit_ = unit;
  inClass_ = unit == 0 ? mainInClass_ : false;
  inProcedure_ = unit == 0 ? mainInProcedure_ : false;
  tokens_.clear();
  if (uses_) uses_->StartBlock(unit);
  size_t at = begin;
  while (at < end) at = ReadToken(at, end);
  EndStatement();
  if (uses_) uses_->EndBlock(end);
  if (unit == 0) {
    mainInClass_ = inClass_;
    mainInProcedure_ = inProcedure_;
  }
}

void VbStatements::ScanExpression(size_t begin, size_t end) {
  const bool runsStatements = out_.runsStatements;
  Scan(begin, end, 0);
  out_.runsStatements = runsStatements;
}

void VbStatements::Finish() {
  if (bodyOpen_) out_.bodies.push_back({bodyBegin_, static_cast<int32_t>(text_.size())});
  bodyOpen_ = false;
  branches_.Finish();
  out_.branchEnds = std::any_of(out_.branches.begin(), out_.branches.end(),
                                [](const Branch& branch) { return branch.ends >= 0; });
  if (uses_) uses_->Finish(text_.size());
}

size_t VbStatements::ReadToken(size_t at, size_t end) {
  const char16_t unit = text_[at];
  if (IsBlank(unit)) {
    while (++at < end && IsBlank(text_[at])) continue;
    return at;
  }
  if (IsLineBreak(unit) || unit == u':') {
    EndStatement();
    return at + 1;
  }
  if (unit == u'\'') return LineEnd(at, end);
  if (unit == u'"') {
    tokens_.push_back({TokenKind::Other, at, 1});
    return ReadOn(SkipString(at + 1, end), end);
  }
  if (unit == u'_') {
    const size_t next = Continuation(at + 1, end);
    if (next != 0) return next;
  }
  if (unit == u'[') {
    const size_t close = BracketEnd(at + 1, end);
    tokens_.push_back({TokenKind::Bracketed, at + 1, close - at - 1});
    return ReadOn(close < end && text_[close] == u']' ? close + 1 : close, end);
  }
  if (IsVbWordUnit(unit)) {
    size_t after = at + 1;
    while (after < end && IsVbWordUnit(text_[after])) ++after;
    if (VbRemAt(text_, at, end)) return LineEnd(after, end);
    const TokenKind kind = IsVbLetter(unit) ? TokenKind::Word : TokenKind::Other;
    tokens_.push_back({kind, at, after - at});
    return ReadOn(after, end);
  }
  tokens_.push_back({TokenKind::Punct, at, 1});
  return ReadOn(at + 1, end);
}

size_t VbStatements::ReadOn(size_t at, size_t end) {
  if (tokens_.size() != 1 || MayMatter(tokens_.front())) return at;
  NoteOther(tokens_.front());
  if (uses_) return at;
  tokens_.clear();
  return SkipStatements(at, end);
}

size_t VbStatements::SkipStatements(size_t at, size_t end) {
  while ((at = StatementStart(SkipStatement(at, end), end)) < end) {
    // A first token that is no word cannot matter; SkipStatement reads it.
    if (!IsVbLetter(text_[at])) {
      NoteOther({TokenKind::Other, at, 1});
      continue;
    }
    size_t after = at + 1;
    while (after < end && IsVbWordUnit(text_[after])) ++after;
    const Token first{TokenKind::Word, at, after - at};
    if (VbRemAt(text_, at, end)) {
      at = LineEnd(after, end);
    } else if (MayMatter(first)) {
      return at;
    } else {
      NoteOther(first);
      at = after;
    }
  }
  return at;
}

void VbStatements::NoteOther(const Token& first) {
  if (!AtScriptLevel()) return;
  if (IsWord(first, u"option")) {
    out_.optionStatement = true;
  } else {
    out_.runsStatements = true;
  }
}

size_t VbStatements::StatementStart(size_t at, size_t end) const {
  while (at < end) {
    const char16_t unit = text_[at];
    if (IsBlank(unit) || IsLineBreak(unit) || unit == u':') {
      ++at;
    } else if (unit == u'\'') {
      at = LineEnd(at, end);
    } else if (const size_t next = unit == u'_' ? Continuation(at + 1, end) : 0; next != 0) {
      at = next;
    } else {
      break;
    }
  }
  return at;
}

// Only the statements that declare at script level, open or close a body, or (in the <% %> code)
// a branch of a block or a loop, or end the response, change what the scan keeps; which of them
// can do so here shows in their first word.
bool VbStatements::MayMatter(const Token& first) const {
  // The words that can lead such a statement, and when: always, outside a class, outside a
  // procedure, at script level, in the <% %> code, in the <% %> code before ".End" or ".Redirect".
  enum When { Always, OutsideClass, OutsideProcedure, AtScriptLevel, InMainCode, EndingInMainCode };
  static constexpr std::pair<TextView, When> Leads[] = {
      {u"end", Always},
      {u"if", InMainCode},
      {u"else", InMainCode},
      {u"elseif", InMainCode},
      {u"case", InMainCode},
      {u"select", InMainCode},
      {u"for", InMainCode},
      {u"next", InMainCode},
      {u"do", InMainCode},
      {u"loop", InMainCode},
      {u"while", InMainCode},
      {u"wend", InMainCode},
      {u"response", EndingInMainCode},
      {u"class", OutsideClass},
      {u"sub", OutsideProcedure},
      {u"function", OutsideProcedure},
      {u"property", OutsideProcedure},
      {u"public", OutsideProcedure},
      {u"private", OutsideProcedure},
      {u"dim", AtScriptLevel},
      {u"redim", AtScriptLevel},
      {u"const", AtScriptLevel},
  };
  const auto found = FindWord(text_, first, Leads, [](const auto& lead) { return lead.first; });
  if (found == std::end(Leads)) return false;
  const When when = found->second;
  return when == Always || (when == OutsideClass && !inClass_) ||
         (when == OutsideProcedure && !inProcedure_) ||
         (when == AtScriptLevel && !inClass_ && !inProcedure_) ||
         (when == InMainCode && unit_ == 0) ||
         (when == EndingInMainCode && unit_ == 0 && EndingMember(first));
}

bool VbStatements::EndingMember(const Token& object) const {
  size_t at = object.start + object.length;
  while (at < text_.size() && IsBlank(text_[at])) ++at;
  if (at == text_.size() || text_[at] != u'.') return false;
  while (++at < text_.size() && IsBlank(text_[at])) continue;
  size_t after = at;
  while (after < text_.size() && IsVbWordUnit(text_[after])) ++after;
  const Token member{TokenKind::Word, at, after - at};
  return IsWord(member, u"end") || IsWord(member, u"redirect");
}

size_t VbStatements::SkipStatement(size_t at, size_t end) const {
  constexpr uint64_t Stops = uint64_t{1} << u'\n' | uint64_t{1} << u'\r' | uint64_t{1} << u'"' |
                             uint64_t{1} << u'\'' | uint64_t{1} << u':';
  while (at < end) {
    const char16_t unit = text_[at];
    if (unit >= 64 ? unit != u'[' && unit != u'_' && (unit | 0x20) != u'r'
                   : (Stops >> unit & 1) == 0) {
      ++at;
    } else if ((unit | 0x20) == u'r') {
      if (VbRemAt(text_, at, end)) return LineEnd(at, end);
      ++at;
    } else if (unit == u'"') {
      at = SkipString(at + 1, end);
    } else if (unit == u'[') {
      at = BracketEnd(at + 1, end);
    } else if (unit == u'_') {
      // A "_" that ends a word is part of it; only one that starts a token continues the line.
      const size_t next = IsVbWordUnit(text_[at - 1]) ? 0 : Continuation(at + 1, end);
      at = next != 0 ? next : at + 1;
    } else if (unit == u'\'') {
      return LineEnd(at, end);
    } else {
      return at;
    }
  }
  return at;
}

size_t VbStatements::BracketEnd(size_t at, size_t end) const {
  while (at < end && text_[at] != u']' && !IsLineBreak(text_[at])) ++at;
  return at;
}

size_t VbStatements::SkipString(size_t at, size_t end) const {
  return VbStringEnd(text_, at, end);
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
  return index < tokens_.size() && IsWord(tokens_[index], lowerWord);
}

bool VbStatements::IsWord(const Token& token, TextView lowerWord) const {
  return lintra::IsWord(text_, token, lowerWord);
}

bool VbStatements::IsPunct(size_t index, char16_t unit) const {
  return index < tokens_.size() && lintra::IsPunct(text_, tokens_[index], unit);
}

bool VbStatements::IsName(size_t index) const {
  return index < tokens_.size() && tokens_[index].length > 0 &&
         (tokens_[index].kind == TokenKind::Word || tokens_[index].kind == TokenKind::Bracketed);
}

void VbStatements::EndStatement() {
  if (tokens_.empty()) return;
  // A statement of a block's branches runs (End If and End Select too, in their block).
  if (unit_ == 0 && branches_.Statement(tokens_, !AtScriptLevel()) && !Is(0, u"end")) {
    NoteOther(tokens_.front());
  }
  if (MayDeclare(tokens_.front())) Declarations();
  if (uses_) uses_->Statement(tokens_);
  tokens_.clear();
}

bool VbStatements::MayDeclare(const Token& first) const {
  static constexpr TextView Leads[] = {u"end",      u"public", u"private", u"sub", u"function",
                                       u"property", u"class",  u"const",   u"dim", u"redim"};
  return FindWord(text_, first, Leads, [](TextView word) { return word; }) != std::end(Leads);
}

void VbStatements::Declarations() {
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
}

void VbStatements::Procedure(size_t index) {
  const bool property = Is(index, u"property");
  const size_t name = property ? index + 2 : index + 1;
  const bool accessor =
      !property || Is(index + 1, u"get") || Is(index + 1, u"let") || Is(index + 1, u"set");
  if (accessor && IsName(name)) Declare(DeclarationKind::Procedure, name);
  OpenBody(false);
  if (uses_) Parameters(name + 1);
}

void VbStatements::Parameters(size_t index) {
  if (!IsPunct(index, u'(')) return;
  for (++index; index < tokens_.size() && !IsPunct(index, u')');) {
    const bool modifier = Is(index, u"byval") || Is(index, u"byref") || Is(index, u"optional") ||
                          Is(index, u"paramarray");
    if (IsName(index) && !modifier) {
      Declare(DeclarationKind::Variable, index);
      index = SkipParentheses(index + 1);
    } else {
      ++index;
    }
  }
}

void VbStatements::Declare(DeclarationKind kind, size_t index) {
  const Token& token = tokens_[index];
  if (!AtScriptLevel()) {
    if (uses_) uses_->DeclareLocal(kind, token, inProcedure_);
    return;
  }
  if (uses_) uses_->DeclaredHere(token.start);
  out_.declarations.push_back({NameAt(text_, token.start, token.length, unit_), kind});
}

void VbStatements::OpenBody(bool isClass) {
  if (uses_) uses_->OpenBody(isClass, tokens_.front().start);
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
  if (uses_) {
    const Token& last = tokens_.back();
    uses_->CloseBody(isClass, last.start + last.length);
  }
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
