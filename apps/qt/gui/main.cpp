#include <QApplication>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "apps/qt/gui/GuiOptions.h"
#include "apps/qt/gui/MainWindow.h"
#include "apps/qt/gui/OpenSite.h"
#include "apps/qt/gui/ProjectPages.h"
#include "apps/qt/gui/Screenshot.h"
#include "apps/qt/widget/QtPlatformHooks.h"

namespace lintra {

namespace {

// A PAGE argument as the control gets it: an absolute path below the root as its web path, any
// other argument as written, without a leading "./".
Text PageArgument(const std::filesystem::path& root, const QString& argument) {
  const std::filesystem::path path = argument.toStdString();
  if (path.is_absolute()) {
    if (auto webPath = ProjectPages::WebPathOf(root, path)) return *webPath;
  }
  QString page = argument;
  while (page.startsWith(QStringLiteral("./")) || page.startsWith(QStringLiteral(".\\"))) {
    page.remove(0, 2);
  }
  return page.toStdU16String();
}

int Run(const GuiOptions& options) {
  // A screenshot runs without a user: message boxes then go to standard error, answered at once.
  std::unique_ptr<QtPlatformHooks> hooks;
  if (options.screenshot.isEmpty()) hooks = std::make_unique<QtPlatformHooks>();
  const std::unique_ptr<MainWindow> window = OpenSite(options);
  if (!window) return 2;
  for (const QString& page : options.pages) window->AddPage(PageArgument(window->Root(), page));
  if (!options.screenshot.isEmpty()) {
    if (SaveScreenshot(*window, options.screenshot)) return 0;
    std::fprintf(stderr, "lintra-gui: cannot save %s\n", options.screenshot.toLocal8Bit().data());
    return 1;
  }
  window->show();
  return QApplication::exec();
}

}  // namespace

}  // namespace lintra

using namespace lintra;

int main(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  int exitCode = 0;
  const std::optional<GuiOptions> options = ParseGuiOptions(arguments, exitCode);
  if (!options) return exitCode;
  if (!options->screenshot.isEmpty() && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  return Run(*options);
}
