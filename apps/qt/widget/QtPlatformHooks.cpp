#include "apps/qt/widget/QtPlatformHooks.h"

#include <QCoreApplication>

#include "apps/qt/widget/QtMessageBox.h"

namespace lintra {

QtPlatformHooks::QtPlatformHooks()
    : previousBox_(MessageBox::SetHandler(ShowQtMessageBox)),
      previousHook_(PendingMessages::SetHook([] { QCoreApplication::processEvents(); })) {}

QtPlatformHooks::~QtPlatformHooks() {
  MessageBox::SetHandler(std::move(previousBox_));
  PendingMessages::SetHook(std::move(previousHook_));
}

}  // namespace lintra
