#pragma once

#include <memory>

#include "apps/qt/gui/GuiOptions.h"
#include "apps/qt/gui/MainWindow.h"

namespace lintra {

// Opens the window on the site that `options` name, set up by the lintra.toml that governs it as
// check takes it (see LoadProjectSettings): without a root, the root it names. A lintra.toml that
// cannot be used is told in one message box, and the site is shown with the default settings.
// When the site cannot be opened, tells the user why in one message box and returns null: a root
// that does not exist, is not a folder or cannot be read, an encoding that the C library does not
// know, or a page that is not there.
std::unique_ptr<MainWindow> OpenSite(const GuiOptions& options);

}  // namespace lintra
