#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace lintra::lsp {

// The local path that a "file:" URI names, percent escapes decoded; nothing for any other
// scheme, a host other than none or "localhost" (on Windows, a host names a share), or an escape
// that is not two hex digits. On Windows "file:///c%3A/site" is "C:\site".
std::optional<std::filesystem::path> PathOfUri(const std::string& uri);

// The "file:" URI of the absolute `path`, with every byte outside the unreserved characters and
// "/" percent-escaped, as editors write them: a drive letter in lower case and its colon escaped
// ("file:///c%3A/site").
std::string UriOfPath(const std::filesystem::path& path);

}  // namespace lintra::lsp
