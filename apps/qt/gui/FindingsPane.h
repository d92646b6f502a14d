#pragma once

#include <QTreeWidget>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Text.h"
#include "rules/RuleFinding.h"
#include "rules/RuleSettings.h"
#include "site/PageTree.h"

namespace lintra {

class File;

// The findings of the pages whose trees the window shows, as check finds them: the same rules at
// the severities the project's settings give them, one row per cause (a rule and its message, as
// check's text groups them) with how many places and pages it has and its places below it, the
// causes ranked as the report ranks them. A place that several pages
// reach is one place. Findings of the project as a whole, such as unused files, are check's alone.
class FindingsPane : public QTreeWidget {
  Q_OBJECT

 public:
  explicit FindingsPane(const RuleSettings& settings, QWidget* parent = nullptr);

  // Shows the findings of the pages checked before and of `page`, the analysed tree of a page,
  // which this keeps: check's findings in those pages, as if it were given them. A page checked
  // before is not checked again.
  void Check(std::shared_ptr<File> page);
  // Forgets every page checked and shows nothing.
  void Clear();

  // The findings shown, in the order check lists them.
  const std::vector<RuleFinding>& Findings() const { return findings_; }

 signals:
  // The user activated the place of a finding: `line` of the file `webPath` names, relative to
  // the root; line 0 for the file as a whole.
  void PlaceChosen(const lintra::Text& webPath, int32_t line);

 private:
  void Refill();
  void ChoosePlace(QTreeWidgetItem* item);

  RuleSettings settings_;
  std::vector<PageTree> pages_;
  std::vector<RuleFinding> findings_;
};

}  // namespace lintra
