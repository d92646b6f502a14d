#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/Text.h"
#include "rules/NameScan.h"
#include "rules/VbToken.h"

namespace lintra {

// Keeps the uses of names and the local declarations of the statements VbStatements reads in
// full, into a NameScan: VbStatements tells it where blocks and bodies begin and end and which
// names each statement declares, then hands it the statement's tokens. When a body closes, the
// uses inside it that its locals (a procedure's) or members (a class's) declare, wherever they
// stand in it, are resolved there.
class VbUses {
 public:
  // Uses go to `out`, which must outlive this; positions are left for the caller.
  VbUses(TextView text, NameScan& out) : text_(text), out_(out) {}

  // A block of script `unit` begins, or ends at `end`; a body left open in a server script block
  // (unit other than 0) ends with it.
  void StartBlock(int32_t unit);
  void EndBlock(size_t end);
  // Closes the bodies left open at the end of the text, `end`.
  void Finish(size_t end);

  // The statement being read declares the name at `start` at script level.
  void DeclaredHere(size_t start);
  // The statement being read declares `token` inside a body: a local of the open procedure when
  // `inProcedure`, otherwise a member of the open class. A ReDim there declares no local: it
  // assigns the name it finds, and its name is kept in NameScan::reDimmed.
  void DeclareLocal(DeclarationKind kind, const VbToken& token, bool inProcedure);
  // A body opens with the statement at `begin`, or closes at `end` (a Class's close closes its
  // procedure too), as VbStatements follows them.
  void OpenBody(bool isClass, size_t begin);
  void CloseBody(bool isClass, size_t end);

  // Takes the uses among `tokens`, one whole statement, then forgets what it declared.
  void Statement(const std::vector<VbToken>& tokens);

 private:
  struct Body {
    bool open = false;
    int32_t begin = 0;
    size_t firstUse = 0;
    size_t firstLocal = 0;
    // The position in the locals of the member procedure this body belongs to, if any.
    std::optional<size_t> member;
  };
  // The bodies open in one script: <% %> code keeps its own across blocks.
  struct Bodies {
    Body procedure;
    Body klass;
  };

  Bodies& Open() { return unit_ == 0 ? main_ : other_; }
  void Close(Body& body, bool members, size_t end);
  // The member procedure that the statement opening a body at `begin` has just declared, if any.
  std::optional<size_t> MemberDeclaredAt(size_t begin) const;
  bool IsKeyword(const VbToken& token) const;
  // Whether `keyword` gives the name after it a kind (New, Call, and Set, Let, For, Erase and
  // ReDim, which assign), and which in `kind`.
  bool KindAfter(const VbToken& keyword, UseKind& kind) const;
  bool IsLiteralWord(const std::vector<VbToken>& tokens, size_t index) const;
  bool IsPunct(const std::vector<VbToken>& tokens, size_t index, char16_t unit) const;
  bool IsWord(const VbToken& token, TextView lowerWord) const;
  // Notes the ")" that closes each "(" of `tokens` (see closing_).
  void MatchParentheses(const std::vector<VbToken>& tokens);
  // How the name that heads a statement at `index` is used: assigned when "=" follows it, or
  // follows its parentheses; read when a member follows; called otherwise.
  UseKind HeadKind(const std::vector<VbToken>& tokens, size_t index) const;
  void Use(const VbToken& token, UseKind kind);
  // The upper-cased name of `token`, as NameScan::keys holds it.
  TextView Key(const VbToken& token);

  TextView text_;
  NameScan& out_;
  int32_t unit_ = 0;
  Bodies main_;
  Bodies other_;
  // The starts of the names the statement being read declares.
  std::vector<size_t> declared_;
  // The name being upper-cased, kept from one use to the next.
  Text upper_;
  // Spellings met lately and their keys, in a slot picked by the spelling's length and ends: a
  // file writes the same few names again and again, so most keys are found here without being
  // upper-cased and hashed.
  struct Spelling {
    TextView written;
    TextView key;
  };
  std::array<Spelling, 64> spellings_{};
  // By token of the statement being read: for a "(", the position of its ")", or the number of
  // tokens when none closes it; and the "(" still open while they are matched.
  std::vector<size_t> closing_;
  std::vector<size_t> open_;
};

}  // namespace lintra
