#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/Text.h"
#include "rules/VbBranches.h"
#include "rules/VbScanner.h"
#include "rules/VbToken.h"

namespace lintra {

class VbUses;

// Reads VBScript code one statement at a time and keeps the script-level declarations, following
// the bodies that Class, Sub, Function and Property open and End closes, and the branches of the
// <% %> code's block If and Select Case statements with the statements that end the response in
// them (see VbBranches). A body may span several blocks of one script, as
// <% Sub A %> html <% End Sub %> does.
class VbStatements {
 public:
  // Declarations go to `out`, which must outlive this; positions are left for the caller. With
  // `uses`, every statement is read in full and handed to it, with the bodies and declarations
  // found (see VbUses); without, the statements that cannot declare at script level are passed
  // over.
  VbStatements(TextView text, ScriptScan& out, VbUses* uses = nullptr)
      : text_(text), out_(out), uses_(uses), branches_(text, out.branches) {}

  // Scans the code in [begin, end) as part of script `unit`. A new unit starts at script level;
  // only unit 0 records its bodies.
  void Scan(size_t begin, size_t end, int32_t unit);
  // Scans the expression of a <%= %> block in [begin, end) for its uses: it belongs to the
  // script of the <% %> code, and is no statement that runs.
  void ScanExpression(size_t begin, size_t end);

  // Closes a body left open at the end of the text, and puts the branches in order.
  void Finish();

 private:
  using TokenKind = VbToken::Kind;
  using Token = VbToken;

  size_t ReadToken(size_t at, size_t end);
  // After a token that ends at `at`: where reading goes on. When it is the first of a statement
  // that cannot matter (see MayMatter), that is the start of the next statement that may, the
  // ones between read without tokens.
  size_t ReadOn(size_t at, size_t end);
  // Whether a statement that begins with `first` may declare at script level, open or close a
  // body, or be one that VbBranches takes, as things stand.
  bool MayMatter(const Token& first) const;
  // Whether ".End" or ".Redirect" follows the word `object`, as in Response.End: a statement that
  // may end the response, which VbBranches tells for sure.
  bool EndingMember(const Token& object) const;
  // From `at`, in a statement that cannot matter: where the first token of the next statement
  // that may matter begins, or `end`.
  size_t SkipStatements(size_t at, size_t end);
  // Notes a statement that begins with `first` and cannot matter: at script level it runs,
  // unless it is Option.
  void NoteOther(const Token& first);
  // The line break or ":" that ends the statement going on at `at`, or `end`; strings, brackets,
  // comments and continuations are read as ReadToken reads them.
  size_t SkipStatement(size_t at, size_t end) const;
  // The first token from `at` on, passing over the blanks, line breaks, ":", comments and
  // continuations that ReadToken passes over before a statement's first token; or `end`.
  size_t StatementStart(size_t at, size_t end) const;
  // The "]" that closes a bracketed name from `at`, or the line break or `end` that cuts it short.
  size_t BracketEnd(size_t at, size_t end) const;
  size_t SkipString(size_t at, size_t end) const;
  size_t LineEnd(size_t at, size_t end) const;
  size_t Continuation(size_t at, size_t end) const;
  void EndStatement();
  // Whether a statement that begins with `first` may declare a name, or open or close a body.
  bool MayDeclare(const Token& first) const;
  // Takes the declarations of the statement read, and the body it opens or closes.
  void Declarations();

  bool Is(size_t index, TextView lowerWord) const;
  bool IsWord(const Token& token, TextView lowerWord) const;
  bool IsPunct(size_t index, char16_t unit) const;
  bool IsName(size_t index) const;
  bool AtScriptLevel() const { return !inClass_ && !inProcedure_; }
  void Declare(DeclarationKind kind, size_t index);
  void OpenBody(bool isClass);
  void CloseBody(bool isClass);
  void VariableList(size_t index, DeclarationKind kind);
  void ConstantList(size_t index);
  size_t SkipParentheses(size_t index) const;
  void Procedure(size_t index);
  // Declares the parameters in the parentheses at `index`, for the uses.
  void Parameters(size_t index);

  TextView text_;
  ScriptScan& out_;
  VbUses* uses_;
  // The branches of unit 0's blocks.
  VbBranches branches_;
  std::vector<Token> tokens_;
  int32_t unit_ = 0;
  bool inClass_ = false;
  bool inProcedure_ = false;
  // Unit 0 keeps its bodies across blocks while other units come and go.
  bool mainInClass_ = false;
  bool mainInProcedure_ = false;
  bool bodyOpen_ = false;
  int32_t bodyBegin_ = 0;
};

}  // namespace lintra
