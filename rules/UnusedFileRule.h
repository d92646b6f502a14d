#pragma once

#include <unordered_set>

#include "rules/Rule.h"

namespace lintra {

// unused-file: in a run over the whole project, a file with an include-only extension that no
// page includes.
class UnusedFileRule : public Rule {
 public:
  const RuleInfo& Info() const override;
  // Notes the include-only files that `page` reaches; reports nothing.
  void Check(PageCheck& page, FindingSet& findings) override;
  void Finish(const ProjectCheck& project, FindingSet& findings) override;
  // Adds the files that `other`, an UnusedFileRule, noted.
  void TakeNotes(Rule& other) override;

 private:
  // A path noted, with its text::HashIgnoringCase; paths compare without regard to letter case,
  // and are looked up as views.
  struct PathView {
    TextView path;
    size_t hash;
  };
  struct Path {
    Text path;
    size_t hash;
    operator PathView() const { return {path, hash}; }
  };
  struct PathHash {
    using is_transparent = void;
    size_t operator()(const PathView& key) const { return key.hash; }
  };
  struct PathEqual {
    using is_transparent = void;
    bool operator()(const PathView& a, const PathView& b) const {
      return text::SameIgnoringCase(a.path, b.path);
    }
  };

  // The paths of the files noted.
  std::unordered_set<Path, PathHash, PathEqual> used_;
};

}  // namespace lintra
