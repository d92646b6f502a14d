#pragma once

#include "platform/MessageBox.h"
#include "platform/PendingMessages.h"

namespace lintra {

// While it lives, the control's message boxes are Qt message boxes (ShowQtMessageBox) and its
// "process pending messages once" runs Qt's event loop once. The hooks it replaced come back
// when it goes. Create it after the QApplication.
class QtPlatformHooks {
 public:
  QtPlatformHooks();
  ~QtPlatformHooks();
  QtPlatformHooks(const QtPlatformHooks&) = delete;
  QtPlatformHooks& operator=(const QtPlatformHooks&) = delete;

 private:
  MessageBox::Handler previousBox_;
  PendingMessages::Hook previousHook_;
};

}  // namespace lintra
