#pragma once

#include <cstdint>
#include <vector>

#include "platform/Text.h"
#include "rules/VbScanner.h"
#include "rules/VbToken.h"

namespace lintra {

// Whether the offsets `first` and `second` lie in different branches of one block among
// `branches`, as VbBranches keeps them: each time that block runs, at most one of the two places
// does.
bool InOtherBranches(const std::vector<Branch>& branches, int32_t first, int32_t second);

// Whether a branch among `branches`, as VbBranches keeps them, that holds the offset `place` and
// not the offset `outside` (-1 for none) ends the response after `place` (see Branch::ends): once
// `place` runs, nothing after that branch does.
bool EndsResponseAfter(const std::vector<Branch>& branches, int32_t place, int32_t outside);

// Follows the block If and Select Case statements of one script, statement by statement, and
// keeps the branches of the blocks it sees, each with the first of its own statements that ends
// the response. A single-line If (a statement after Then) opens no block; a branch or End that no
// open block of its kind takes is passed over, and a branch still open when the text ends is not
// kept. It follows the loops (For, Do, While) too, whose statements are none of a branch's own.
class VbBranches {
 public:
  // Branches go to `out`, which must outlive this.
  VbBranches(TextView text, std::vector<Branch>& out) : text_(text), out_(out) {}

  // Takes the next statement, `tokens` (not empty), which stands in a Class, Sub, Function or
  // Property body when `inBody`; false when it is none of If, ElseIf, Else, Case, Select Case,
  // End, the first or last statement of a loop, and a call of Response.End or Response.Redirect.
  bool Statement(const std::vector<VbToken>& tokens, bool inBody);
  // After the last statement: puts the branches in order of their starts and links each to the
  // branch that holds it.
  void Finish();

 private:
  struct Block {
    bool select = false;
    int32_t id = 0;
    // The start of the branch going on, or -1 before a Select Case's first Case.
    int32_t branchBegin = -1;
    // The loops open, and whether in a body, where the block began: a statement of the branch's
    // own stands where both are the same.
    int32_t loops = 0;
    bool inBody = false;
    // The start of the branch's first own statement that ends the response, or -1.
    int32_t ends = -1;
  };

  // The words that lead the statements followed here; Other for any other first token.
  enum class Lead {
    Other,
    If,
    Else,
    ElseIf,
    Case,
    Select,
    End,
    For,
    Do,
    While,
    Next,
    Loop,
    Wend,
    Response
  };
  // The lead of a statement whose first token, read from `text`, is `first`.
  static Lead LeadOf(TextView text, const VbToken& first);
  // Takes a statement, led by `lead`, that opens or closes a block If or Select Case, or one of
  // its branches; false when `tokens` are none of those.
  bool BlockStatement(Lead lead, const std::vector<VbToken>& tokens, bool inBody);
  // Counts the loops that a For, Do or While opens and a Next, Loop or Wend closes; false when
  // `lead` is none of those.
  bool LoopStatement(Lead lead);
  // Whether `tokens` call Response.End or Response.Redirect, which stop the script.
  bool EndsResponse(const std::vector<VbToken>& tokens) const;
  // Notes the end of the response at `at`, in a body when `inBody`, for the branch going on when
  // the statement is one of its own.
  void NoteEnd(size_t at, bool inBody);
  // Ends the branch going on in the innermost block, when it is a Select Case (`select`) or a
  // block If as asked, at `at`, and begins the next one there unless `closes`.
  void NextBranch(bool select, size_t at, bool closes);
  bool IsWord(const std::vector<VbToken>& tokens, size_t index, TextView lowerWord) const;
  bool IsPunct(const std::vector<VbToken>& tokens, size_t index, char16_t unit) const;

  TextView text_;
  std::vector<Branch>& out_;
  std::vector<Block> open_;
  int32_t blocks_ = 0;
  int32_t loops_ = 0;
};

}  // namespace lintra
