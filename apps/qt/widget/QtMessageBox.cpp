#include "apps/qt/widget/QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

#include "platform/MessageBox.h"

namespace lintra {

namespace {

constexpr int32_t ButtonSetMask = 0x0F;
constexpr int32_t IconMask = 0xF0;

}  // namespace

int32_t ShowQtMessageBox(const Text& prompt, int32_t style, const Text& title) {
  const bool abortRetryIgnore = (style & ButtonSetMask) == MessageBox::AbortRetryIgnore;
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(QString::fromStdU16String(title));
  box.setText(
      QString::fromStdU16String(prompt).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  box.setIcon((style & IconMask) == MessageBox::Exclamation ? QMessageBox::Warning
                                                            : QMessageBox::NoIcon);
  if (abortRetryIgnore) {
    box.setStandardButtons(QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore);
    box.setDefaultButton(QMessageBox::Abort);
    box.setEscapeButton(QMessageBox::Abort);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
  }
  box.exec();
  QAbstractButton* pressed = box.clickedButton();
  switch (pressed ? box.standardButton(pressed) : QMessageBox::NoButton) {
    case QMessageBox::Retry:
      return MessageBox::Retry;
    case QMessageBox::Ignore:
      return MessageBox::Ignore;
    case QMessageBox::Ok:
      return MessageBox::OK;
    default:
      return abortRetryIgnore ? MessageBox::Abort : MessageBox::OK;
  }
}

}  // namespace lintra
