#include "apps/qt/gui/OpenSite.h"

#include <exception>
#include <filesystem>
#include <optional>
#include <stdexcept>

#include "apps/config/ProjectSettings.h"
#include "apps/host/CodePage.h"
#include "platform/MessageBox.h"

namespace lintra {

namespace fs = std::filesystem;

namespace {

// Why a PAGE argument names no file of the site at `root`, or nothing when it names one.
std::optional<Text> PageProblem(const fs::path& root, const QString& page) {
  const fs::path path = page.toStdString();
  std::error_code error;
  const fs::file_status status = fs::status(path.is_absolute() ? path : root / path, error);
  if (fs::is_regular_file(status)) return std::nullopt;
  const Text where = u" in " + text::FromUtf8(root.string()) + u".";
  if (status.type() == fs::file_type::not_found) {
    return u"The page " + page.toStdU16String() + u" does not exist" + where;
  }
  return u"The page " + page.toStdU16String() + u" is not a file" + where;
}

// Why the folder `root` cannot be opened as a site's root, or nothing.
std::optional<Text> RootProblem(const fs::path& root) {
  const Text name = text::FromUtf8(root.string());
  std::error_code error;
  const fs::file_status status = fs::status(root, error);
  if (status.type() == fs::file_type::not_found) {
    return u"The site's folder " + name + u" does not exist.";
  }
  if (error) {
    return u"Couldn't open the site's folder " + name + u": " + text::FromUtf8(error.message()) +
           u".";
  }
  if (!fs::is_directory(status)) return name + u" is not a folder; --root names the site's folder.";
  return std::nullopt;
}

// Why the site at `root` cannot be opened with `encoding` and the PAGE arguments `pages`, or
// nothing when nothing is known against it.
std::optional<Text> Problem(const fs::path& root, const std::string& encoding,
                            const QStringList& pages) {
  if (auto problem = RootProblem(root)) return problem;
  if (!encoding.empty() && !CodePage::Known(encoding)) {
    return u"Unknown encoding " + text::FromUtf8(encoding) +
           u" (iconv --list shows the names known).";
  }
  for (const QString& page : pages) {
    if (auto problem = PageProblem(root, page)) return problem;
  }
  return std::nullopt;
}

void Tell(const Text& message) {
  MessageBox::Show(message, MessageBox::OKOnly + MessageBox::Exclamation, u"Lintra");
}

// The settings of the lintra.toml that governs `start`; the defaults, after telling the user why,
// when it cannot be used.
ProjectSettings SettingsOf(const fs::path& start) {
  try {
    return LoadProjectSettings(start);
  } catch (const ConfigError& error) {
    Tell(text::FromUtf8(error.what()) + u"\nThe site is shown with the default settings.");
    return {};
  }
}

}  // namespace

std::unique_ptr<MainWindow> OpenSite(const GuiOptions& options) {
  const bool rootGiven = !options.root.isEmpty();
  const fs::path start = rootGiven ? fs::path(options.root.toStdString()) : fs::path(".");
  if (const std::optional<Text> problem = RootProblem(start)) {
    Tell(*problem);
    return nullptr;
  }
  ProjectSettings settings = SettingsOf(start);
  const fs::path root = rootGiven ? start : DefaultWebRoot(settings, start);
  if (!options.encoding.isEmpty()) settings.encoding = options.encoding.toStdString();
  if (const std::optional<Text> problem = Problem(root, settings.encoding, options.pages)) {
    Tell(*problem);
    return nullptr;
  }
  try {
    return std::make_unique<MainWindow>(root, WindowHost::DefaultMaxRequests, settings);
  } catch (const std::exception& error) {
    Tell(u"Couldn't open the site " + text::FromUtf8(root.string()) + u": " +
         text::FromUtf8(error.what()));
    return nullptr;
  }
}

}  // namespace lintra
