#pragma once

#include <memory>

#include "apps/qt/gui/GuiOptions.h"
#include "apps/qt/gui/MainWindow.h"

namespace lintra {

// Opens the window on the site that `options` name, or tells the user in one message box why it
// cannot: a root that does not exist, is not a folder or cannot be read, or an encoding that the
// C library does not know. Returns null then.
std::unique_ptr<MainWindow> OpenSite(const GuiOptions& options);

}  // namespace lintra
