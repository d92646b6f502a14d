#include "rules/VbScanner.h"

#include <algorithm>

#include "rules/OutputText.h"
#include "rules/VbStatements.h"

namespace lintra {

ScriptScan ScanScript(TextView text) {
  return ScanScript(text, LineIndex(text));
}

ScriptScan ScanScript(TextView text, const LineIndex& lines) {
  const AspLayout layout = LayOutAsp(text);
  ScriptScan scan;
  scan.language = layout.language;
  scan.writesOutput = layout.writesOutput;
  scan.runsStatements = layout.language == PageLanguage::Other;
  VbStatements statements(text, scan);
  for (const CodeBlock& block : layout.blocks) statements.Scan(block.begin, block.end, block.unit);
  statements.Finish();
  for (Declaration& declaration : scan.declarations) {
    const LineColumn at = lines.At(declaration.offset + 1);
    declaration.line = at.line;
    declaration.column = at.column;
    declaration.endColumn = at.column + text::Len(declaration.name);
  scan.serverCode = !layout.code.empty();
  scan.showsBeyondAscii = ShowsBeyondAscii(text, layout);
  }
  return scan;
}

}  // namespace lintra
