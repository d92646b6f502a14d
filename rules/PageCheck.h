#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "analysis/File.h"
#include "analysis/Files.h"
#include "rules/Redefinitions.h"
#include "rules/RuleFinding.h"
#include "rules/RuleSettings.h"

namespace lintra {

class SourceFacts;

// One analysed page as the rules see it: its tree, the facts of the texts, the places of its
// directives, and what more than one rule asks of it, worked out once.
class PageCheck {
 public:
  // `page`, `facts` and `settings` must outlive this.
  PageCheck(File& page, SourceFacts& facts, const RuleSettings& settings)
      : page_(page), facts_(facts), settings_(settings) {}

  File& Page() { return page_; }
  SourceFacts& Facts() { return facts_; }
  const RuleSettings& Settings() const { return settings_; }

  // Calls `visit(node)` for each file the page includes, in the order of the expanded page.
  template <class Visit>
  void EachInclude(Visit&& visit);

  // The include directive that pulled `node` (not the page) into its parent.
  Place DirectivePlace(File& node);
  // That directive as the parent's text holds it, or null for the page.
  static const ScannedDirective* DirectiveOf(File& node);
  // The path that `node`'s directive asks for, before the host named the file it found, or null
  // for the page. Valid until the next call for a node of the same text.
  static const Text* RequestedPath(File& node);
  // The place of `node`'s file as a whole.
  static Place FilePlace(File& node);
  // The directives that lead from the page to `node`, outermost first.
  std::vector<Place> ChainTo(File& node);
  // The place of `declaration`, in the text of `node`.
  static Place DeclarationPlace(File& node, const Declaration& declaration);

  // The page's redefined names (see FindRedefinitions), found on the first call.
  const std::vector<Redefinition>& Redefinitions();

 private:
  File& page_;
  SourceFacts& facts_;
  const RuleSettings& settings_;
  std::optional<std::vector<Redefinition>> redefinitions_;
};

template <class Visit>
void PageCheck::EachInclude(Visit&& visit) {
  std::vector<File*> pending = {&page_};
  while (!pending.empty()) {
    File* node = pending.back();
    pending.pop_back();
    if (node != &page_) visit(*node);
    const Files* includes = node->IncludesIfAny();
    if (!includes) continue;
    for (size_t i = includes->size(); i > 0; --i) pending.push_back((*includes)[i - 1].get());
  }
}

}  // namespace lintra
