#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lintra {

// The path that the UTF-8 text `utf8` spells, on every system: on Windows a path is UTF-16, and
// the narrow std::filesystem conversions would read the text in the ANSI code page. Text that is
// not valid UTF-8 is taken byte for byte where paths are bytes (POSIX) and refused elsewhere.
std::optional<std::filesystem::path> PathOfUtf8(std::string_view utf8);

// As PathOfUtf8, for text known to be a path: what cannot be converted becomes an empty path,
// which names no file.
std::filesystem::path PathOfText(std::string_view utf8);

// `path` as UTF-8, with the system's separators; the inverse of PathOfText.
std::string Utf8OfPath(const std::filesystem::path& path);

// `path` as UTF-8 with "/" between names, as web paths and URIs write it.
std::string GenericUtf8OfPath(const std::filesystem::path& path);

}  // namespace lintra
