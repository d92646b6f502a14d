#include "rules/VbScanner.h"

#include <algorithm>

#include "rules/OutputText.h"
#include "rules/ScriptWords.h"
#include "rules/VbStatements.h"

namespace lintra {

size_t BodyHolding(const std::vector<TextSpan>& bodies, int32_t offset) {
  const auto after =
      std::upper_bound(bodies.begin(), bodies.end(), offset,
                       [](int32_t at, const TextSpan& body) { return at < body.begin; });
  if (after == bodies.begin() || offset >= (after - 1)->end) return TextView::npos;
  return static_cast<size_t>(after - 1 - bodies.begin());
}

NamePlace NameAt(TextView text, size_t start, size_t length, int32_t unit) {
  Text name(text.substr(start, length));
  Text key = text::UCase(name);
  return {std::move(name), std::move(key), -1, static_cast<int32_t>(start), 1, 1, 1, unit};
}

ScriptScan ScanScript(TextView text) {
  return ScanScript(text, LineIndex(text));
}

ScriptScan ScanScript(TextView text, const LineIndex& lines, VbUses* uses) {
  const AspLayout layout = LayOutAsp(text);
  ScriptScan scan;
  scan.language = layout.language;
  scan.runsStatements = layout.language == PageLanguage::Other;
  scan.serverCode = !layout.code.empty();
  scan.showsBeyondAscii = ShowsBeyondAscii(text, layout);
  scan.otherScript = !layout.otherCode.empty();
  scan.otherScriptWords = ScriptWords(text, layout.otherCode);
  for (const Text& id : layout.serverObjects) scan.serverObjects.push_back(text::UCase(id));
  scan.typeLibrary = layout.typeLibrary;
  scan.pageDirective = layout.pageDirective;
  VbStatements statements(text, scan, uses);
  // Uses are also read in the expressions of <%= %>, in text order with the code around them.
  const std::vector<CodeBlock> withExpressions =
      uses ? VbCode(text, layout) : std::vector<CodeBlock>();
  for (const CodeBlock& block : uses ? withExpressions : layout.blocks) {
    if (block.expression) {
      statements.ScanExpression(block.begin, block.end);
    } else {
      statements.Scan(block.begin, block.end, block.unit);
    }
  }
  statements.Finish();
  // What a procedure or class body holds is written when the procedure runs, not where the file
  // is included.
  scan.writesOutput = std::any_of(layout.outputs.begin(), layout.outputs.end(), [&](size_t at) {
    return BodyHolding(scan.bodies, static_cast<int32_t>(at)) == TextView::npos;
  });
  for (Declaration& declaration : scan.declarations) PlaceName(declaration, lines);
  return scan;
}

}  // namespace lintra
