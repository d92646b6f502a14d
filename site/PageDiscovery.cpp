#include "site/PageDiscovery.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <system_error>

#include "platform/Utf8.h"
#include "site/FolderLink.h"
#include "site/GlobMatch.h"

namespace lintra {

namespace fs = std::filesystem;

namespace {

// Whether the name or path `name` ends in ".asp", in any letter case.
template <class Name>
bool IsAspPage(const Name& name) {
  constexpr std::string_view suffix = ".asp";
  if (name.size() < suffix.size()) return false;
  const size_t start = name.size() - suffix.size();
  for (size_t i = 0; i < suffix.size(); ++i) {
    if ((name[start + i] | 0x20) != suffix[i]) return false;
  }
  return true;
}

bool IsSkippedFolder(const std::string& name) {
  return name.rfind("_vti_", 0) == 0;
}

// `path` in UTF-8 with "/" between names, on every system.
std::string GenericBytes(const fs::path& path) {
  const std::u8string bytes = path.generic_u8string();
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace

bool PageDiscovery::Matches(const std::string& webPath) const {
  bool matches = false;
  for (size_t i = 0; i < excludes_.size(); ++i) {
    if (!GlobMatches(excludes_[i], webPath)) continue;
    matched_[i] = true;
    matches = true;
  }
  return matches;
}

std::vector<std::string> PageDiscovery::UnmatchedExcludes() const {
  std::vector<std::string> unmatched;
  for (size_t i = 0; i < excludes_.size(); ++i) {
    if (!matched_[i]) unmatched.push_back(excludes_[i]);
  }
  return unmatched;
}

bool PageDiscovery::Excluded(TextView page) const {
  const std::string webPath = text::ToBytes(text::Replace(page, u'\\', u'/'));
  for (size_t slash = webPath.find('/'); slash != std::string::npos;
       slash = webPath.find('/', slash + 1)) {
    if (Matches(webPath.substr(0, slash))) return true;
  }
  return Matches(webPath);
}

std::vector<Text> PageDiscovery::PagesAmong(const std::vector<Text>& files) {
  std::vector<Text> pages;
  std::copy_if(files.begin(), files.end(), std::back_inserter(pages),
               [](const Text& file) { return IsAspPage(file); });
  return pages;
}

std::vector<Text> PageDiscovery::FindFiles(const fs::path& root) const {
  std::vector<Text> webPaths;
  for (FoundFile& file : FindFileEntries(root)) webPaths.push_back(std::move(file.webPath));
  return webPaths;
}

std::vector<PageDiscovery::FoundFile> PageDiscovery::FindFileEntries(const fs::path& root) const {
  std::vector<std::pair<std::string, bool>> files;
  // Every entry's path is the root's followed by "/" and its web path.
  const std::string rootPath = GenericBytes(root);
  const size_t rootLength = rootPath.size() + (rootPath.ends_with('/') ? 0 : 1);
  fs::recursive_directory_iterator walk(root, fs::directory_options::skip_permission_denied);
  for (; walk != fs::recursive_directory_iterator(); ++walk) {
    const std::string path = GenericBytes(walk->path());
    const std::string webPath = path.substr(rootLength);
    const std::string name = path.substr(path.rfind('/') + 1);
    std::error_code error;
    const bool directory = walk->is_directory(error);
    const bool link = directory && IsFolderLink(*walk);
    // Windows' walk enters a linked folder unless told not to.
    if (link) walk.disable_recursion_pending();
    const bool folder = directory && !link;
    const bool file = !folder && walk->is_regular_file(error);
    if (name[0] == '.' || (folder && IsSkippedFolder(name)) ||
        ((folder || file) && Matches(webPath))) {
      if (folder) walk.disable_recursion_pending();
      continue;
    }
    std::error_code linkError;
    if (file) files.emplace_back(webPath, !walk->is_symlink(linkError) && !linkError);
  }
  std::sort(files.begin(), files.end());
  std::vector<FoundFile> found;
  found.reserve(files.size());
  for (const auto& [webPath, plain] : files) found.push_back({text::FromUtf8(webPath), plain});
  return found;
}

}  // namespace lintra
