#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "rules/HashedPath.h"
#include "rules/Rule.h"

namespace lintra {

// unused-include: an include directive that no page reaching it needs: none uses a name that the
// included file, or a file it includes, declares, and that file and its includes write no output,
// run no statement at script level and bring nothing that no declaration shows (page directives,
// server objects, server script in another language, a type library). Pages are noted one by one
// and the directives judged once the last is checked, so that a directive that one page needs is
// never reported for the others.
class UnusedIncludeRule : public Rule {
 public:
  static constexpr const char* Id = "unused-include";

  const RuleInfo& Info() const override;
  // Notes for each directive of `page` whether the page needs it; reports nothing.
  void Check(PageCheck& page, FindingSet& findings) override;
  void Finish(const ProjectCheck& project, FindingSet& findings) override;
  void TakeNotes(Rule& other) override;

  // What the pages noted so far say of one directive.
  struct Note {
    // The pages that reach the directive, and whether one of them needs it.
    int32_t pages = 0;
    bool needed = false;
    // The finding as the first page that reached it without needing it would word it, and the
    // number of that page. Held apart, as few directives have one and a site has many directives.
    std::unique_ptr<RuleFinding> finding;
    int64_t firstPage = 0;
    // The number of the page that reached it last, which counts once however often it does.
    int64_t lastPage = -1;
  };

 private:
  // Notes the directive of `include` as reached by the page numbered `number`.
  void NoteDirective(PageCheck& page, const PageCheck::Include& include, bool unneeded,
                     int64_t number);
  // Adds `note` to what is noted of one directive.
  static void Add(Note& into, Note&& note);

  // By the file that holds the directive, then by the directive's start in its text.
  std::unordered_map<HashedPath, std::unordered_map<int32_t, Note>, HashedPathHash, SamePath>
      notes_;
};

}  // namespace lintra
