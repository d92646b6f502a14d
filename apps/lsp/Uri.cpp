#include "apps/lsp/Uri.h"

#include <cctype>

#include "apps/host/PathText.h"

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

// The local path that the path `bytes` of a URI with `host` names; nothing when the host is
// another machine that this system cannot reach by name. Windows editors write a drive as
// "/c:/site" or "/c%3A/site", and a share as the host "server" with the path "/share/site".
std::optional<std::string> LocalPath(const std::string& host, std::string bytes) {
  const bool local = host.empty() || host == "localhost";
#ifdef _WIN32
  const bool drive = bytes.size() >= 3 && bytes[0] == '/' &&
                     std::isalpha(static_cast<unsigned char>(bytes[1])) && bytes[2] == ':';
  if (drive) {
    bytes.erase(0, 1);
    bytes[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(bytes[0])));
  }
  if (!local) return "//" + host + bytes;
#endif
  if (!local) return std::nullopt;
  return bytes;
}

// The path of a "file:" URI that names `path`: "/" and the path, or, for a Windows drive
// ("C:/site"), "/c:/site" as editors write it.
std::string UriPathOf(const std::filesystem::path& path) {
  const std::string generic = GenericUtf8OfPath(path);
  const bool drive = generic.size() >= 2 && std::isalpha(static_cast<unsigned char>(generic[0])) &&
                     generic[1] == ':';
  if (!drive) return generic;
  std::string uriPath = "/";
  uriPath += static_cast<char>(std::tolower(static_cast<unsigned char>(generic[0])));
  uriPath.append(generic, 1);
  return uriPath;
}

}  // namespace

std::optional<std::filesystem::path> PathOfUri(const std::string& uri) {
  static const std::string scheme = "file://";
  if (uri.compare(0, scheme.size(), scheme) != 0) return std::nullopt;
  const size_t pathStart = uri.find('/', scheme.size());
  if (pathStart == std::string::npos) return std::nullopt;
  const std::string host = uri.substr(scheme.size(), pathStart - scheme.size());
  const std::optional<std::string> bytes = Unescaped(uri.substr(pathStart));
  if (!bytes || bytes->find('\0') != std::string::npos) return std::nullopt;
  const std::optional<std::string> local = LocalPath(host, *bytes);
  if (!local) return std::nullopt;
  const std::optional<std::filesystem::path> path = PathOfUtf8(*local);
  if (!path) return std::nullopt;
  return path->lexically_normal();
}

std::string UriOfPath(const std::filesystem::path& path) {
  static const char* digits = "0123456789ABCDEF";
  const std::string uriPath = UriPathOf(path);
  // A Windows share ("//server/share") is the URI's host and path.
  std::string uri = uriPath.starts_with("//") ? "file:" : "file://";
  for (const char byte : uriPath) {
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
