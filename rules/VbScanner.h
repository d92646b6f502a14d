#pragma once

#include <cstdint>
#include <vector>

#include "platform/Text.h"
#include "rules/AspBlocks.h"
#include "site/TextPosition.h"

namespace lintra {

// What a script-level declaration declares: a variable (Dim, Public, Private), a constant, an
// array by ReDim, a class, or a procedure (Sub, Function, Property).
enum class DeclarationKind { Variable, Constant, ReDim, Class, Procedure };

// A name in a file's text: where it stands and which script it belongs to.
struct NamePlace {
  // The name as written, and upper-cased for comparing without regard to case.
  Text name;
  Text key;
  // The number of `key` among the names of a run, given by the run's SourceFacts; -1 until then.
  int32_t id = -1;
  // 0-based offset of the name in the text, and its place: line and column counted from 1, and
  // the column just after the name (names never span lines).
  int32_t offset = 0;
  int32_t line = 1;
  int32_t column = 1;
  int32_t endColumn = 1;
  // The script the name belongs to (see CodeBlock::unit).
  int32_t unit = 0;
};

// The name of `length` units at `start` in `text`, in script `unit`; its line and columns are left
// for PlaceName.
NamePlace NameAt(TextView text, size_t start, size_t length, int32_t unit);

// One name declared at script level, that is outside every Class, Sub, Function and Property.
struct Declaration : NamePlace {
  DeclarationKind kind = DeclarationKind::Variable;
};

// A stretch of the text, [begin, end) in 0-based offsets.
struct TextSpan {
  int32_t begin = 0;
  int32_t end = 0;
};

// One branch of a block If or Select Case: from the start of the statement that opens it (If,
// ElseIf, Else or Case) to the start of the one that opens the next branch or ends the block.
// `block` numbers the block among the file's, so that the branches of one block share it;
// `parent` is the position of the branch that holds this one's block, or -1. `ends` is the start
// of the first statement that ends the response (Response.End, Response.Redirect) among the
// branch's own, outside the blocks, loops and bodies within it, or -1: when the branch runs up to
// there, nothing after it in the page runs.
struct Branch {
  TextSpan span;
  int32_t block = 0;
  int32_t parent = -1;
  int32_t ends = -1;
};

// What the scan of one file's text finds.
struct ScriptScan {
  PageLanguage language = PageLanguage::Unstated;
  // In text order.
  std::vector<Declaration> declarations;
  // The Class, Sub, Function and Property bodies of the file's <% %> code, from the keyword that
  // opens one to the end of the statement that closes it (or the end of the text), in text order.
  // What an include directive inside one brings in is not at script level.
  std::vector<TextSpan> bodies;
  // The branches of the block If and Select Case statements of the file's <% %> code, in text
  // order of their starts (see VbBranches).
  std::vector<Branch> branches;
  // Whether one of `branches` ends the response (see Branch::ends).
  bool branchEnds = false;
  // Whether including the file does anything beyond declaring: it writes to the response outside
  // every body (see AspLayout::outputs; what a body holds is written when its procedure runs), or
  // its script runs a statement at script level (anything but a declaration, a body, Option or
  // Rem; always so for a language other than VBScript).
  bool writesOutput = false;
  bool runsStatements = false;
  // Whether the file holds server code (see AspLayout::code), which a request for the file on its
  // own would show as it is where the server does not run it.
  bool serverCode = false;
  // Whether the file writes a character beyond ASCII where a reader sees it (see ShowsBeyondAscii).
  bool showsBeyondAscii = false;
  // What the file brings that no declaration shows (see AspLayout): a server script block in
  // another language, the upper-cased ids of its server objects, a type library's constants.
  bool otherScript = false;
  // The words of its server script in another language (see ScriptWords), which may name what
  // the page's VBScript declares.
  std::vector<Text> otherScriptWords;
  std::vector<Text> serverObjects;
  bool typeLibrary = false;
  // Whether the file holds a page directive (see AspLayout::pageDirective), and an Option
  // statement at script level.
  bool pageDirective = false;
  bool optionStatement = false;
  bool HasEffects() const { return writesOutput || runsStatements; }
};

// The position in `bodies`, in text order and not overlapping, of the body that holds `offset`, or
// npos when none does.
size_t BodyHolding(const std::vector<TextSpan>& bodies, int32_t offset);

// Places `named`, found at its offset: its line, column and end column by `lines`.
inline void PlaceName(NamePlace& named, const LineIndex& lines) {
  const LineColumn at = lines.At(named.offset + 1);
  named.line = at.line;
  named.column = at.column;
  named.endColumn = at.column + text::Len(named.name);
}

class VbUses;

// Scans the server-side VBScript of `text` (see LayOutAsp) statement by statement: ' and Rem
// comments, strings with doubled quotes, : separators and _ line continuations; keywords in any
// letter case. Any text is accepted, and the scan is linear in its length.
ScriptScan ScanScript(TextView text);
// The same, with the line index of `text` at hand for placing the declarations. With `uses`,
// every statement is read in full and handed to it (see ScanNames); the scan finds the same.
ScriptScan ScanScript(TextView text, const LineIndex& lines, VbUses* uses = nullptr);

}  // namespace lintra
