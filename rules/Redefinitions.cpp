#include "rules/Redefinitions.h"

#include <limits>

#include "analysis/File.h"
#include "analysis/Files.h"
#include "analysis/TreeWalk.h"
#include "rules/NameTable.h"
#include "rules/SourceFacts.h"
#include "site/PageTree.h"

namespace lintra {

bool Expanded(const File& node) {
  return !node.MissingFile() && !node.CircularInclude();
}

bool AtScriptLevel(const File& include, const ScriptScan& holder) {
  return Expanded(include) &&
         BodyHolding(holder.bodies, DirectiveOffset(include)) == TextView::npos;
}

namespace {

// One node whose declarations and includes are being merged.
struct Frame {
  File* node;
  const ScriptScan* scan;
  size_t nextDeclaration = 0;
  size_t nextInclude = 0;
};

// Takes the declarations of the page in page order and keeps the clashes.
class Merge {
 public:
  explicit Merge(SourceFacts& facts)
      : facts_(facts), page_(facts.PageNames()), block_(facts.BlockNames()) {
    page_.Clear();
    block_.Clear();
  }

  std::vector<Redefinition> Run(File& page) {
    const ScriptScan& scan = facts_.Script(page);
    if (scan.language == PageLanguage::Other || !Expanded(page)) return {};
    walk_.Enter(Frame{&page, &scan});
    walk_.Run([this](Frame& frame) { return Step(frame); });
    return std::move(found_);
  }

 private:
  bool Step(Frame& frame) {
    const Files* includes = frame.node->IncludesIfAny();
    if (!includes || frame.nextInclude >= includes->size()) {
      TakeDeclarations(frame, std::numeric_limits<int32_t>::max());
      return false;
    }
    File& include = *(*includes)[frame.nextInclude++];
    const int32_t directive = DirectiveOffset(include);
    TakeDeclarations(frame, directive);
    if (AtScriptLevel(include, *frame.scan)) walk_.Enter(Frame{&include, &facts_.Script(include)});
    return true;
  }

  // Takes the declarations of `frame`'s text that stand before `offset`.
  void TakeDeclarations(Frame& frame, int32_t offset) {
    const std::vector<Declaration>& declarations = frame.scan->declarations;
    for (; frame.nextDeclaration < declarations.size(); ++frame.nextDeclaration) {
      const Declaration& declaration = declarations[frame.nextDeclaration];
      if (declaration.offset >= offset) return;
      Take({frame.node, &declaration});
    }
  }

  void Take(const PlacedDeclaration& placed) {
    const int32_t unit = placed.declaration->unit;
    NameTable& table = unit == 0 ? page_ : ScriptBlock(placed.node, unit);
    const PlacedDeclaration first = table.Add(placed);
    if (first.node) {
      found_.push_back({placed.node, placed.declaration, first.node, first.declaration});
    }
  }

  NameTable& ScriptBlock(File* node, int32_t unit) {
    if (node != blockNode_ || unit != blockUnit_) {
      block_.Clear();
      blockNode_ = node;
      blockUnit_ = unit;
    }
    return block_;
  }

  SourceFacts& facts_;
  TreeWalk<Frame> walk_;
  NameTable& page_;
  NameTable& block_;
  File* blockNode_ = nullptr;
  int32_t blockUnit_ = 0;
  std::vector<Redefinition> found_;
};

}  // namespace

std::vector<Redefinition> FindRedefinitions(File& page, SourceFacts& facts) {
  return Merge(facts).Run(page);
}

}  // namespace lintra
