#pragma once

#include <QString>

namespace lintra {

class MainWindow;

// Shows `window` at a fixed size, opens the first page shown in the file viewer, puts the text
// tree in the report pane, and saves a picture of the window to `file` (PNG). Returns whether
// the picture was saved.
bool SaveScreenshot(MainWindow& window, const QString& file);

}  // namespace lintra
