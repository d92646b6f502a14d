#include <windows.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <memory>
#include <string>

#include "apps/host/DiskAccess.h"
#include "apps/host/PathText.h"

namespace lintra::disk {

namespace fs = std::filesystem;

namespace {

// Closes a Windows handle when it goes.
struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

// `location`, a file or a folder, opened for `access`; null when it cannot be opened.
Handle Open(const fs::path& location, DWORD access, DWORD flags = 0) {
  const HANDLE handle =
      CreateFileW(location.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr);
  return Handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

bool SameName(std::wstring_view a, std::wstring_view b) {
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// Where `location` really lies once every link and junction on the way is followed, as a plain
// drive or UNC path; nothing when it cannot be opened.
std::optional<fs::path> FinalPath(const fs::path& location) {
  const Handle handle = Open(location, 0);
  if (!handle) return std::nullopt;
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetFinalPathNameByHandleW(handle.get(), path.data(), static_cast<DWORD>(path.size()), 0);
    if (length == 0) return std::nullopt;
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(length);
  }
  if (path.starts_with(L"\\\\?\\UNC\\")) return fs::path(L"\\\\" + path.substr(8));
  if (path.starts_with(L"\\\\?\\")) return fs::path(path.substr(4));
  return fs::path(path);
}

// Whether `name` (UTF-8) is the name of a plain file or folder that Windows opens as itself: not
// empty, without the characters that Windows keeps for streams (":"), wildcards and devices, not
// ending in the dot or space that Windows drops, and not a device such as CON or NUL.lst.
bool PlainName(const std::string& name) {
  static constexpr std::string_view Reserved = "<>:\"/\\|?*";
  static constexpr std::array<std::string_view, 4> Devices = {"CON", "PRN", "AUX", "NUL"};
  if (name.empty() || name.back() == '.' || name.back() == ' ') return false;
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 0x20 || Reserved.find(c) != std::string_view::npos) {
      return false;
    }
  }
  std::string base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  std::transform(base.begin(), base.end(), base.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  if (std::find(Devices.begin(), Devices.end(), base) != Devices.end()) return false;
  const bool numbered = base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) &&
                        base[3] >= '0' && base[3] <= '9';
  return !numbered && base != "CONIN$" && base != "CONOUT$";
}

fs::file_type TypeOf(DWORD attributes) {
  return attributes & FILE_ATTRIBUTE_DIRECTORY ? fs::file_type::directory : fs::file_type::regular;
}

// Throws the failure that GetLastError holds, with the reason in the system's words.
[[noreturn]] void ThrowLastFailure() {
  const DWORD code = GetLastError();
  char* words = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&words), 0,
      nullptr);
  std::string reason = length ? std::string(words, length) : "error " + std::to_string(code);
  LocalFree(words);
  while (!reason.empty() &&
         (reason.back() == '\n' || reason.back() == '\r' || reason.back() == '.')) {
    reason.pop_back();
  }
  if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) throw VanishedFile(reason);
  throw UnreadableFile(reason);
}

// A file read through its handle.
class HandleFile : public ReadingFile {
 public:
  HandleFile(Handle handle, std::uintmax_t size) : handle_(std::move(handle)), size_(size) {}

  std::uintmax_t Size() const override { return size_; }
  size_t Read(char* buffer, size_t size) override {
    DWORD got = 0;
    const auto wanted = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
    if (!ReadFile(handle_.get(), buffer, wanted, &got, nullptr)) ThrowLastFailure();
    return got;
  }

 private:
  Handle handle_;
  std::uintmax_t size_;
};

}  // namespace

fs::path ResolvedFolder(const fs::path& folder) {
  const fs::path absolute = fs::canonical(folder);
  return FinalPath(absolute).value_or(absolute);
}

std::optional<fs::path> FindEntry(const fs::path& folder, const std::string& name,
                                  fs::file_status& status) {
  const std::optional<fs::path> file = PlainName(name) ? PathOfUtf8(name) : std::nullopt;
  if (!file) return std::nullopt;
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileExW((folder / *file).c_str(), FindExInfoBasic, &found,
                                         FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) return std::nullopt;
  FindClose(search);
  // The file system matches without regard to letter case, as a web server on it does; a match
  // by the short 8.3 name is no match.
  if (!SameName(found.cFileName, file->native())) return std::nullopt;
  fs::path entry = folder / found.cFileName;
  const std::optional<fs::path> real = FinalPath(entry);
  const bool link = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || !real ||
                    !SameName(real->native(), entry.native());
  status = fs::file_status(link ? fs::file_type::symlink : TypeOf(found.dwFileAttributes));
  return entry;
}

// A reparse point other than a symbolic link, or a file that opens somewhere else, shows in a
// listing as a plain entry.
bool WalkSeesEveryLink() {
  return false;
}

std::optional<fs::path> LinkTarget(const fs::path& entry, fs::file_status& status) {
  std::optional<fs::path> target = FinalPath(entry);
  const DWORD attributes = target ? GetFileAttributesW(target->c_str()) : INVALID_FILE_ATTRIBUTES;
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  status = fs::file_status(TypeOf(attributes));
  return target;
}

std::unique_ptr<ReadingFile> OpenRegularFile(const fs::path& file) {
  Handle handle = Open(file, GENERIC_READ, FILE_FLAG_SEQUENTIAL_SCAN);
  if (!handle) ThrowLastFailure();
  BY_HANDLE_FILE_INFORMATION about;
  if (!GetFileInformationByHandle(handle.get(), &about)) ThrowLastFailure();
  if (GetFileType(handle.get()) != FILE_TYPE_DISK ||
      (about.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    throw UnreadableFile("not a regular file");
  }
  const std::uintmax_t size = std::uintmax_t{about.nFileSizeHigh} << 32 | about.nFileSizeLow;
  return std::make_unique<HandleFile>(std::move(handle), size);
}

Text WebPathBelow(const fs::path& root, const fs::path& resolved) {
  const std::wstring_view path = resolved.native();
  const std::wstring_view rootPath = root.native();
  std::wstring_view below;
  std::wstring relative;
  if (path.size() > rootPath.size() + 1 && path.starts_with(rootPath) &&
      path[rootPath.size()] == L'\\') {
    below = path.substr(rootPath.size() + 1);
  } else {
    relative = resolved.lexically_relative(root).native();
    below = relative;
  }
  Text web(below.begin(), below.end());
  std::replace(web.begin(), web.end(), u'\\', u'/');
  return web;
}

}  // namespace lintra::disk
