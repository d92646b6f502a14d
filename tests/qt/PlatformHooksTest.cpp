#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "apps/qt/widget/QtMessageBox.h"
#include "apps/qt/widget/QtPlatformHooks.h"

namespace lintra {

namespace {

// Once the next message box is open, records how it looks into `seen` and closes it with `key`
// or by pressing `button`.
void AnswerNextBox(QString* seen, QMessageBox::StandardButton button, int key = 0) {
  QTimer::singleShot(0, [=] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QVERIFY(box);
    *seen = QStringLiteral("%1|%2|%3|%4|%5")
                .arg(box->windowTitle(), box->text())
                .arg(box->icon())
                .arg(int(box->standardButtons()))
                .arg(box->defaultButton() ? int(box->standardButton(box->defaultButton())) : 0);
    if (key) {
      QTest::keyClick(box, Qt::Key(key));
    } else {
      box->button(button)->click();
    }
  });
}

const int AbortRetryIgnore = QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;

}  // namespace

class PlatformHooksTest : public QObject {
  Q_OBJECT

 private slots:
  void ErrorBoxesOfferAbortRetryIgnoreAndNoticesOkWithTheClassicAnswers() {
    const Text prompt = u"An error has occured.\r\nError No: 5 - x";
    const QString looks = QStringLiteral("Corvane|An error has occured.\nError No: 5 - x|%1|%2|%3")
                              .arg(int(QMessageBox::Warning))
                              .arg(AbortRetryIgnore)
                              .arg(int(QMessageBox::Abort));
    const QList<QPair<QMessageBox::StandardButton, int32_t>> answers{
        {QMessageBox::Abort, 3}, {QMessageBox::Retry, 4}, {QMessageBox::Ignore, 5}};
    for (const auto& [button, value] : answers) {
      QString seen;
      AnswerNextBox(&seen, button);
      QCOMPARE(ShowQtMessageBox(prompt, 50, u"Corvane"), value);
      QCOMPARE(seen, looks);
    }
    QString seen;
    AnswerNextBox(&seen, QMessageBox::NoButton, Qt::Key_Escape);
    QCOMPARE(ShowQtMessageBox(prompt, 50, u"Corvane"), 3);

    // A notice offers OK only.
    AnswerNextBox(&seen, QMessageBox::Ok);
    QCOMPARE(ShowQtMessageBox(u"Error : Couldn't find the file foot.inc", 48, u"Corvane"), 1);
    QCOMPARE(seen, QStringLiteral("Corvane|Error : Couldn't find the file foot.inc|%1|%2|0")
                       .arg(int(QMessageBox::Warning))
                       .arg(int(QMessageBox::Ok)));
  }

  void HooksServeTheControlWhileTheyLive() {
    const MessageBox::Handler before =
        MessageBox::SetHandler([](const Text&, int32_t, const Text&) { return 7; });
    bool ran = false;
    {
      QtPlatformHooks hooks;
      QString seen;
      AnswerNextBox(&seen, QMessageBox::Retry);
      QCOMPARE(MessageBox::Show(u"p", 50, u"t"), 4);
      QMetaObject::invokeMethod(
          qApp, [&] { ran = true; }, Qt::QueuedConnection);
      PendingMessages::ProcessOnce();
      QVERIFY(ran);
    }
    QCOMPARE(MessageBox::Show(u"p", 50, u"t"), 7);
    ran = false;
    QMetaObject::invokeMethod(
        qApp, [&] { ran = true; }, Qt::QueuedConnection);
    PendingMessages::ProcessOnce();
    QVERIFY(!ran);
    QCoreApplication::processEvents();
    MessageBox::SetHandler(before);
  }
};

}  // namespace lintra

using namespace lintra;

QTEST_MAIN(PlatformHooksTest)
#include "PlatformHooksTest.moc"
