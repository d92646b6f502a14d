#include "apps/qt/gui/OpenSite.h"

#include <exception>
#include <filesystem>
#include <optional>
#include <stdexcept>

#include "apps/host/CodePage.h"
#include "platform/MessageBox.h"

namespace lintra {

namespace fs = std::filesystem;

namespace {

bool KnownEncoding(const std::string& name) {
  try {
    CodePage{name};
    return true;
  } catch (const std::invalid_argument&) {
    return false;
  }
}

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

// Why the site cannot be opened, or nothing when nothing is known against it.
std::optional<Text> Problem(const GuiOptions& options) {
  const Text root = options.root.toStdU16String();
  std::error_code error;
  const fs::file_status status = fs::status(options.root.toStdString(), error);
  if (status.type() == fs::file_type::not_found) {
    return u"The site's folder " + root + u" does not exist.";
  }
  if (error) {
    return u"Couldn't open the site's folder " + root + u": " + text::FromUtf8(error.message()) +
           u".";
  }
  if (!fs::is_directory(status)) return root + u" is not a folder; --root names the site's folder.";
  if (!options.encoding.isEmpty() && !KnownEncoding(options.encoding.toStdString())) {
    return u"Unknown encoding " + options.encoding.toStdU16String() +
           u" (iconv --list shows the names known).";
  }
  for (const QString& page : options.pages) {
    if (auto problem = PageProblem(options.root.toStdString(), page)) return problem;
  }
  return std::nullopt;
}

void Tell(const Text& message) {
  MessageBox::Show(message, MessageBox::OKOnly + MessageBox::Exclamation, u"Lintra");
}

}  // namespace

std::unique_ptr<MainWindow> OpenSite(const GuiOptions& options) {
  if (const std::optional<Text> problem = Problem(options)) {
    Tell(*problem);
    return nullptr;
  }
  try {
    return std::make_unique<MainWindow>(options.root.toStdString(), WindowHost::DefaultMaxRequests,
                                        options.encoding.toStdString());
  } catch (const std::exception& error) {
    Tell(u"Couldn't open the site " + options.root.toStdU16String() + u": " +
         text::FromUtf8(error.what()));
    return nullptr;
  }
}

}  // namespace lintra
