#include "apps/lintra/ReportPaths.h"

#include "apps/host/PathText.h"
#include "platform/Utf8.h"

namespace lintra {

namespace {

// `folder` relative to `base`, ending in "/"; empty when they are one folder.
Text Prefix(const std::filesystem::path& folder, const std::filesystem::path& base) {
  std::error_code error;
  const std::filesystem::path relative =
      std::filesystem::weakly_canonical(folder, error).lexically_relative(base);
  if (relative.empty() || relative == ".") return Text();
  return text::FromUtf8(GenericUtf8OfPath(relative)) + u'/';
}

}  // namespace

ReportPaths::ReportPaths(std::filesystem::path root, std::filesystem::path base,
                         const std::vector<VirtualDirectory>& virtualDirectories)
    : root_(std::move(root)), base_(std::move(base)) {
  for (const VirtualDirectory& directory : virtualDirectories) {
    served_.push_back(
        {text::FromUtf8(directory.name) + u'/', Prefix(root_ / directory.folder, base_)});
  }
  served_.push_back({Text(), Prefix(root_, base_)});
}

std::string ReportPaths::Of(TextView webPath) const {
  std::string path;
  Append(path, webPath);
  return path;
}

void ReportPaths::Append(std::string& out, TextView webPath) const {
  text::AppendReadable(out, ServedFrom(webPath).prefix);
  text::AppendReadable(out, webPath);
}

std::string ReportPaths::BytesOf(TextView webPath) const {
  const Text& prefix = ServedFrom(webPath).prefix;
  return text::ToBytes(prefix) + text::ToBytes(webPath);
}

const ReportPaths::Served& ReportPaths::ServedFrom(TextView& webPath) const {
  while (!webPath.empty() && (webPath.front() == u'/' || webPath.front() == u'\\')) {
    webPath.remove_prefix(1);
  }
  for (const Served& served : served_) {
    if (!webPath.starts_with(served.webFolder)) continue;
    webPath.remove_prefix(served.webFolder.size());
    return served;
  }
  return served_.back();
}

}  // namespace lintra
