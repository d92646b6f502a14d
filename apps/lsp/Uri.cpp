#include "apps/lsp/Uri.h"

#include <cctype>

namespace lintra::lsp {

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::string> Unescaped(const std::string& escaped) {
  std::string bytes;
  for (size_t at = 0; at < escaped.size(); ++at) {
    if (escaped[at] != '%') {
      bytes += escaped[at];
      continue;
    }
    if (at + 2 >= escaped.size()) return std::nullopt;
    const int high = HexValue(escaped[at + 1]);
    const int low = HexValue(escaped[at + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes += static_cast<char>(high * 16 + low);
    at += 2;
  }
  return bytes;
}

bool Unreserved(unsigned char c) {
  return std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
}

}  // namespace

std::optional<std::filesystem::path> PathOfUri(const std::string& uri) {
  static const std::string scheme = "file://";
  if (uri.compare(0, scheme.size(), scheme) != 0) return std::nullopt;
  const size_t pathStart = uri.find('/', scheme.size());
  if (pathStart == std::string::npos) return std::nullopt;
  const std::string host = uri.substr(scheme.size(), pathStart - scheme.size());
  if (!host.empty() && host != "localhost") return std::nullopt;
  const std::optional<std::string> bytes = Unescaped(uri.substr(pathStart));
  if (!bytes || bytes->find('\0') != std::string::npos) return std::nullopt;
  return std::filesystem::path(*bytes).lexically_normal();
}

std::string UriOfPath(const std::filesystem::path& path) {
  static const char* digits = "0123456789ABCDEF";
  std::string uri = "file://";
  for (const char byte : path.generic_string()) {
    const auto c = static_cast<unsigned char>(byte);
    if (Unreserved(c)) {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += digits[c >> 4];
      uri += digits[c & 15];
    }
  }
  return uri;
}

}  // namespace lintra::lsp
