#pragma once

#include <cstdint>
#include <unordered_set>
#include <vector>

#include "platform/Text.h"
#include "rules/VbScanner.h"

namespace lintra {

// How a name is used: read (or passed), assigned (=, Set, For, Erase, ReDim in a procedure),
// called as a statement (or after Call), or made into an object by New.
enum class UseKind { Read, Assign, Call, New };

// A declaration inside a Class, Sub, Function or Property body: a local variable, constant or
// parameter of a procedure, or a member of a class (its variables and procedures). `scope` is the
// body that knows it: the procedure's, or the class's for a member. `body` is a member Sub,
// Function or Property's own body, from its keyword to the end of the statement that closes it;
// empty for any other local.
struct LocalName {
  Declaration declaration;
  TextSpan scope;
  bool member = false;
  TextSpan body;
};

// One use of a name in a file's server-side VBScript; its id stays -1 for a use resolved in the
// file (`local`). The member after "." (also inside a With block) is no use of a name, nor is a
// keyword, a literal or a name being declared. Placed as a NamePlace is, but without texts of its
// own: a file holds many uses of few names. The name as written is WrittenName.
struct NameUse {
  // The upper-cased name, a view of NameScan::keys.
  TextView key;
  int32_t id = -1;
  int32_t offset = 0;
  int32_t line = 1, column = 1, endColumn = 1;
  int32_t unit = 0;
  UseKind kind = UseKind::Read;
  // The position in NameScan::locals of the local or member it resolves to, or -1 for a use of a
  // name of the page.
  int32_t local = -1;
};

// What the full scan of one file's VBScript finds beyond its script-level declarations (which
// ScriptScan holds): every use of a name, and the declarations local to bodies.
struct NameScan {
  NameScan() = default;
  // A scan moves with the keys its uses view, and is never copied, which would leave the copy's
  // uses viewing the keys of the original.
  NameScan(NameScan&&) = default;
  NameScan& operator=(NameScan&&) = default;
  NameScan(const NameScan&) = delete;
  NameScan& operator=(const NameScan&) = delete;

  // In text order.
  std::vector<NameUse> uses;
  // The upper-cased names of the uses, each once: a file uses a few names many times.
  std::unordered_set<Text, text::UnitsHash, text::SameUnitsEqual> keys;
  // The positions in `uses` of the uses of names of the page (those not resolved in the file),
  // rising: all that a page's resolution reads of the file's uses.
  std::vector<uint32_t> pageUses;
  std::vector<LocalName> locals;
  // The upper-cased names that a ReDim in a procedure sizes. Such a ReDim uses the array that the
  // procedure sees, local or of the page, and declares it as a local of the procedure when there is
  // none (VBScript's ReDim statement "declares dynamic-array variables ... at procedure level").
  std::vector<Text> reDimmed;
  // The offsets of the file's first statement of <% %> code (any statement, declarations
  // included) and of its Option Explicit statement when that is the first; -1 when none.
  int32_t firstStatement = -1;
  int32_t optionExplicit = -1;
  // Whether a use names one of the built-ins that reach names by text: Execute, ExecuteGlobal,
  // Eval or GetRef.
  bool namesByText = false;
};

// The name of `use` as it is written in `text`, the text whose scan found it.
inline TextView WrittenName(TextView text, const NameUse& use) {
  return text.substr(static_cast<size_t>(use.offset), use.key.size());
}

// Scans `text` as ScanScript does, reading every statement, and keeps its uses and local
// declarations, placed with `lines`; what ScanScript finds goes to `script` when given, so that
// one scan serves both. Nothing for a file in another language than VBScript. Any text is
// accepted, and the scan is linear in its length.
NameScan ScanNames(TextView text, const LineIndex& lines, ScriptScan* script = nullptr);

}  // namespace lintra
