#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The desktop app's command line: lintra-gui [--root DIR] [--screenshot FILE.png] [PAGE...]
struct GuiOptions {
  QString root = QStringLiteral(".");
  // Pages to analyse at start: web paths relative to the root, or absolute paths below it.
  QStringList pages;
  // Where to save a picture of the window instead of running it; empty to run it.
  QString screenshot;
};

// Reads `arguments` (the program name first). Returns nothing after writing the help to standard
// output (exitCode 0) or a usage error to standard error (exitCode 2). A screenshot needs at least
// one page.
std::optional<GuiOptions> ParseGuiOptions(const QStringList& arguments, int& exitCode);
