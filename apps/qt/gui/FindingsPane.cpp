#include "apps/qt/gui/FindingsPane.h"

#include <QHeaderView>
#include <QStyle>
#include <algorithm>
#include <map>
#include <string_view>
#include <utility>

#include "platform/Utf8.h"
#include "rules/Checker.h"
#include "rules/FindingCauses.h"

namespace lintra {

namespace {

// The item's role that holds the position of its place's finding in Findings().
constexpr int FindingRole = Qt::UserRole;

QString Readable(TextView text) {
  return QString::fromStdString(text::ToReadable(text));
}

// "file:line:column", or "file" for a place on a whole file.
QString Location(const Place& place) {
  QString location = Readable(place.file);
  if (place.line > 0) location += QStringLiteral(":%1:%2").arg(place.line).arg(place.column);
  return location;
}

// "severity: message [rule]", with the server's error number when it has one.
QString Heading(const RuleFinding& finding) {
  QString heading = QString::fromLatin1(SeverityName(finding.severity)) + QStringLiteral(": ") +
                    Readable(finding.message) +
                    QStringLiteral(" [%1]").arg(QString::fromUtf8(finding.ruleId));
  if (!finding.code.empty())
    heading += QStringLiteral(" (%1)").arg(QString::fromUtf8(finding.code));
  return heading;
}

QIcon SeverityIcon(const QStyle& style, Severity severity) {
  switch (severity) {
    case Severity::Error:
      return style.standardIcon(QStyle::SP_MessageBoxCritical);
    case Severity::Warning:
      return style.standardIcon(QStyle::SP_MessageBoxWarning);
    case Severity::Note:
      break;
  }
  return style.standardIcon(QStyle::SP_MessageBoxInformation);
}

}  // namespace

FindingsPane::FindingsPane(const RuleSettings& settings, QWidget* parent)
    : QTreeWidget(parent), settings_(settings) {
  setColumnCount(3);
  setHeaderLabels({tr("Finding"), tr("Places"), tr("Pages")});
  header()->setStretchLastSection(false);
  header()->setSectionResizeMode(0, QHeaderView::Stretch);
  header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
  connect(this, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item) { ChoosePlace(item); });
}

void FindingsPane::Check(std::shared_ptr<File> page) {
  // A page shown twice is checked once, as check takes a page named twice.
  const auto same = [&](const PageTree& shown) {
    return shown.Page().FullPathView() == page->FullPathView();
  };
  if (std::any_of(pages_.begin(), pages_.end(), same)) return;
  pages_.emplace_back(std::move(page));
  // Some rules judge a directive by every page that reaches it, once the last page is checked,
  // so the pages are checked afresh together.
  Checker checker(settings_);
  for (const PageTree& each : pages_) checker.Check(each);
  checker.Finish({});
  findings_ = checker.Findings();
  std::sort(findings_.begin(), findings_.end(), ListedBefore);
  Refill();
}

void FindingsPane::Clear() {
  pages_.clear();
  findings_.clear();
  clear();
}

void FindingsPane::Refill() {
  clear();
  std::vector<Cause> causes = Causes(findings_);
  RankCauses(causes);
  QList<QTreeWidgetItem*> rows;
  std::map<std::pair<std::string_view, TextView>, QTreeWidgetItem*> rowOf;
  for (const Cause& cause : causes) {
    const QString heading = Heading(*cause.first);
    auto* row =
        new QTreeWidgetItem({heading, QString::number(cause.places), QString::number(cause.pages)});
    row->setToolTip(0, heading);
    row->setIcon(0, SeverityIcon(*style(), cause.first->severity));
    row->setData(0, FindingRole, static_cast<qlonglong>(cause.first - findings_.data()));
    rows.push_back(row);
    rowOf[{cause.first->ruleId, cause.first->message}] = row;
  }
  for (size_t at = 0; at < findings_.size(); ++at) {
    const RuleFinding& finding = findings_[at];
    auto* place =
        new QTreeWidgetItem(rowOf.at({finding.ruleId, finding.message}), {Location(finding.place)});
    place->setData(0, FindingRole, static_cast<qlonglong>(at));
    place->setToolTip(0, tr("Reached from %1").arg(Readable(finding.page)));
  }
  addTopLevelItems(rows);
}

void FindingsPane::ChoosePlace(QTreeWidgetItem* item) {
  const QVariant at = item->data(0, FindingRole);
  if (!at.isValid()) return;
  const Place& place = findings_[static_cast<size_t>(at.toLongLong())].place;
  emit PlaceChosen(place.file, place.line);
}

}  // namespace lintra
