#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace lintra {

// The desktop app's command line:
// lintra-gui [--root DIR] [--encoding NAME] [--screenshot FILE.png] [PAGE...]
struct GuiOptions {
  // The site's root folder; empty when not given, for the root that the project's lintra.toml
  // names as check takes it (see DefaultWebRoot).
  QString root;
  // The code page that files which are not UTF-8 are decoded from; empty for the one lintra.toml
  // names, else none (their bytes are kept).
  QString encoding;
  // Pages to analyse at start: web paths relative to the root, or absolute paths below it.
  QStringList pages;
  // Where to save a picture of the window instead of running it; empty to run it.
  QString screenshot;
};

// Reads `arguments` (the program name first). Returns nothing after writing the help to standard
// output for --help or --help-all, or the version for --version (exitCode 0), or a usage error to
// standard error (exitCode 2). A screenshot needs at least one page.
std::optional<GuiOptions> ParseGuiOptions(const QStringList& arguments, int& exitCode);

}  // namespace lintra
