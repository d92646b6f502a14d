#include "rules/NameScan.h"

#include "rules/VbStatements.h"
#include "rules/VbUses.h"

namespace lintra {

NameScan ScanNames(TextView text, const LineIndex& lines) {
  NameScan names;
  const AspLayout layout = LayOutAsp(text);
  if (layout.language == PageLanguage::Other) return names;
  ScriptScan script;
  VbUses uses(text, names);
  VbStatements statements(text, script, &uses);
  for (const CodeBlock& block : VbCode(text, layout)) {
    statements.Scan(block.begin, block.end, block.unit);
  }
  statements.Finish();
  for (NameUse& use : names.uses) PlaceName(use, lines);
  for (LocalName& local : names.locals) PlaceName(local.declaration, lines);
  return names;
}

}  // namespace lintra
