#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/Text.h"

namespace lintra {

// The language a page's directive (<%@ Language=... %>) names: none, VBScript, or another one
// (JScript, JavaScript, ...), whose code the VBScript rules leave alone.
enum class PageLanguage { Unstated, VbScript, Other };

// One stretch of server-side VBScript in a file: the code of a <% %> block, or the body of a
// <script runat="server"> block in VBScript.
struct CodeBlock {
  // Offsets of the code, delimiters left out: [begin, end).
  size_t begin = 0;
  size_t end = 0;
  // 0 for <% %> code, which the server compiles as one script with the rest of the page's; n for
  // the n-th server script block of the file, a script of its own.
  int32_t unit = 0;
  // Whether it is the expression of a <%= %> block (see VbCode): uses of names, and no statement.
  bool expression = false;
};

// A stretch of a file's text: offsets [begin, end).
struct TextStretch {
  size_t begin = 0;
  size_t end = 0;
};

// Where a file's server-side VBScript lies, where all its server code lies, the language its first
// page directive names, and whether and where the file writes to the response: text outside server
// code that is not blank, no include directive and no leading byte-order mark, or a <%= expression.
struct AspLayout {
  std::vector<CodeBlock> blocks;
  // Every stretch of server code, delimiters left out, in text order: the code of <% %> blocks and
  // <%= expressions, and the bodies of server script blocks in any language; page directives are
  // none.
  std::vector<TextStretch> code;
  PageLanguage language = PageLanguage::Unstated;
  // Where it writes, in text order: where each stretch of such text begins to write, and where
  // each <%= expression's code begins.
  std::vector<size_t> outputs;
  // The bodies of the server script blocks in another language than VBScript, in text order: what
  // they declare, the VBScript of the page may call, and they may call what it declares.
  std::vector<TextStretch> otherCode;
  // The ids of the <object runat="server"> tags, as written: each is a name the page's script
  // knows.
  std::vector<Text> serverObjects;
  // Whether a <!-- METADATA --> comment brings a type library's constants into the page.
  bool typeLibrary = false;
  // Whether the text holds a page directive, <%@ ... %>.
  bool pageDirective = false;
};

// The first "<%" at or after `from` in `text`, or npos.
size_t FindBlockOpen(TextView text, size_t from);
// The first "%>" at or after `from` in `text`, or npos.
size_t FindBlockClose(TextView text, size_t from);

// The code blocks of `text` in text order. A <% block ends at the first %> (strings and comments
// do not hide it, as the server reads it); <%= expressions and <%@ directives hold no code to
// scan. A block or script element left open runs to the end of the text.
AspLayout LayOutAsp(TextView text);

// The VBScript of `text`, laid out as `layout`, that holds uses of names, in text order: its
// blocks, and the expressions of its <%= %> blocks, which belong to the <% %> code's script.
std::vector<CodeBlock> VbCode(TextView text, const AspLayout& layout);

}  // namespace lintra
