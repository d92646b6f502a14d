#include "rules/NameScan.h"

#include <algorithm>

#include "rules/VbStatements.h"
#include "rules/VbUses.h"

namespace lintra {

namespace {

// The code of `layout` that holds uses of names, in text order: its blocks, and the expressions
// of its <%= %> blocks, which belong to the <% %> code's script.
std::vector<CodeBlock> CodeWithExpressions(TextView text, const AspLayout& layout) {
  std::vector<CodeBlock> code = layout.blocks;
  for (const TextStretch& stretch : layout.code) {
    if (stretch.begin < stretch.end && text[stretch.begin] == u'=') {
      code.push_back({stretch.begin + 1, stretch.end, 0});
    }
  }
  std::sort(code.begin(), code.end(),
            [](const CodeBlock& a, const CodeBlock& b) { return a.begin < b.begin; });
  return code;
}

}  // namespace

NameScan ScanNames(TextView text, const LineIndex& lines) {
  NameScan names;
  const AspLayout layout = LayOutAsp(text);
  if (layout.language == PageLanguage::Other) return names;
  ScriptScan script;
  VbUses uses(text, names);
  VbStatements statements(text, script, &uses);
  for (const CodeBlock& block : CodeWithExpressions(text, layout)) {
    statements.Scan(block.begin, block.end, block.unit);
  }
  statements.Finish();
  for (NameUse& use : names.uses) PlaceName(use, lines);
  for (LocalName& local : names.locals) PlaceName(local.declaration, lines);
  return names;
}

}  // namespace lintra
