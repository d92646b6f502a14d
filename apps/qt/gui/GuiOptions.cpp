#include "apps/qt/gui/GuiOptions.h"

#include <QCommandLineParser>
#include <cstdio>

#include "apps/version/Version.h"

namespace lintra {

namespace {

void Write(FILE* stream, const QString& message) {
  const QByteArray bytes = message.toUtf8();
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

}  // namespace

std::optional<GuiOptions> ParseGuiOptions(const QStringList& arguments, int& exitCode) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Shows the include trees of the pages of a classic ASP site."));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version(QStringList{QStringLiteral("version")},
                                   QStringLiteral("Displays version information."));
  const QCommandLineOption root(
      QStringLiteral("root"),
      QStringLiteral("The site's root folder (default: the root that lintra.toml names, else the "
                     "folder of lintra.toml, else the current one). The lintra.toml of this "
                     "folder or of the nearest folder above it sets up the site as for check."),
      QStringLiteral("DIR"));
  const QCommandLineOption screenshot(
      QStringLiteral("screenshot"),
      QStringLiteral("Analyse the pages, save a picture of the window to FILE.png and exit."),
      QStringLiteral("FILE.png"));
  const QCommandLineOption encoding(
      QStringLiteral("encoding"),
      QStringLiteral("Decode files that are not UTF-8 from this code page (e.g. windows-1252, "
                     "GBK) instead of keeping their bytes (default: the encoding of lintra.toml)."),
      QStringLiteral("NAME"));
  parser.addOption(version);
  parser.addOption(root);
  parser.addOption(encoding);
  parser.addOption(screenshot);
  parser.addPositionalArgument(QStringLiteral("PAGE"), QStringLiteral("Pages to analyse at start."),
                               QStringLiteral("[PAGE...]"));
  if (!parser.parse(arguments)) {
    Write(stderr, QStringLiteral("lintra-gui: %1\n").arg(parser.errorText()));
    exitCode = 2;
    return std::nullopt;
  }
  if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
    // Parsed before the application exists, so Qt does not know the program's name yet.
    Write(stdout, parser.helpText().replace(QStringLiteral("<executable_name>"),
                                            QStringLiteral("lintra-gui")));
    exitCode = 0;
    return std::nullopt;
  }
  if (parser.isSet(version)) {
    Write(stdout, QStringLiteral("lintra-gui %1\n").arg(QString::fromUtf8(LintraVersion())));
    exitCode = 0;
    return std::nullopt;
  }
  GuiOptions options;
  options.root = parser.value(root);
  options.encoding = parser.value(encoding);
  options.pages = parser.positionalArguments();
  options.screenshot = parser.value(screenshot);
  if (!options.screenshot.isEmpty() && options.pages.isEmpty()) {
    Write(stderr, QStringLiteral("lintra-gui: --screenshot needs at least one PAGE\n"));
    exitCode = 2;
    return std::nullopt;
  }
  return options;
}

}  // namespace lintra
