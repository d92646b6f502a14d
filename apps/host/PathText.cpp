#include "apps/host/PathText.h"

#include "platform/Utf8.h"

namespace lintra {

namespace fs = std::filesystem;

namespace {

std::string BytesOf(const std::u8string& text) {
  return std::string(text.begin(), text.end());
}

}  // namespace

std::optional<fs::path> PathOfUtf8(std::string_view utf8) {
#ifdef _WIN32
  if (!text::IsValidUtf8(utf8)) return std::nullopt;
#endif
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

fs::path PathOfText(std::string_view utf8) {
  return PathOfUtf8(utf8).value_or(fs::path());
}

std::string Utf8OfPath(const fs::path& path) {
  return BytesOf(path.u8string());
}

std::string GenericUtf8OfPath(const fs::path& path) {
  return BytesOf(path.generic_u8string());
}

}  // namespace lintra
