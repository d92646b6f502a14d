// Asks the disk file supply for arbitrary web paths inside a temporary project that holds files,
// a subfolder, a folder named like a file, a named pipe, symbolic links that stay inside, lead
// outside or loop, and a copy of the project's names outside it. Every file or folder the supply
// opens is recorded at the system call and must lie inside the project; whatever it answers must
// be a regular file inside the project, never a text from outside.

#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "apps/host/DiskFiles.h"
#include "apps/host/DiskHost.h"
#include "fuzz/FuzzSupport.h"
#include "platform/ErrorRecord.h"

using namespace lintra;

namespace fs = std::filesystem;
using fuzz::Require;

namespace {

constexpr std::string_view kSecret = "SECRET";

// Every path opened while `recording` is set: the folder it is relative to and the name given.
// An attempt that fails opens nothing and is left out.
bool recording = false;
std::vector<std::pair<int, std::string>> opened;

void Record(int folder, const char* path, bool succeeded) {
  if (recording && path && succeeded) opened.emplace_back(folder, path);
}

template <class Function>
Function Next(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

// The location that `path`, opened relative to `folder`, names.
fs::path Located(int folder, const std::string& path) {
  if (!path.empty() && path.front() == '/') return path;
  if (folder == AT_FDCWD) return fs::current_path() / path;
  return fs::read_symlink("/proc/self/fd/" + std::to_string(folder)) / path;
}

bool Within(const fs::path& location, const fs::path& root) {
  auto at = location.begin();
  for (const fs::path& part : root) {
    if (at == location.end() || *at != part) return false;
    ++at;
  }
  return true;
}

void Write(const fs::path& file, std::string_view bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

struct Project {
  fs::path base;
  fs::path root;
  std::optional<DiskFiles> files;
};

Project& project() {
  static Project instance;
  return instance;
}

void RemoveProject() {
  std::error_code ignored;
  fs::remove_all(project().base, ignored);
}

void MakeProject() {
  std::string pattern = (fs::temp_directory_path() / "lintra-fuzz-XXXXXX").string();
  Project& made = project();
  made.base = fs::canonical(mkdtemp(pattern.data()));
  made.root = made.base / "root";
  const fs::path& root = made.root;
  const fs::path outside = made.base / "outside";
  Write(root / "default.asp", "<!-- #include file=\"inc/a.inc\" -->");
  Write(root / "inc/a.inc", "A");
  Write(root / "inc/B.INC", "B");
  Write(root / "inc/sub/c.inc", "C");
  Write(root / ".hidden/d.inc", "D");
  fs::create_directories(root / "folder.inc");
  mkfifo((root / "pipe.inc").c_str(), 0600);
  Write(outside / "secret.inc", kSecret);
  Write(outside / "inc/a.inc", kSecret);
  Write(outside / "INC/b.inc", kSecret);
  fs::create_directory_symlink(root / "inc", outside / "back");
  fs::create_directory_symlink(outside, root / "out");
  fs::create_directory_symlink("..", root / "up");
  fs::create_directory_symlink(".", root / "self");
  fs::create_symlink(outside / "secret.inc", root / "secret.inc");
  fs::create_symlink("inc/a.inc", root / "alias.inc");
  fs::create_symlink("loop", root / "loop");
  fs::create_symlink("pong", root / "ping");
  fs::create_symlink("ping", root / "pong");
  made.files.emplace(root);
  std::atexit(RemoveProject);

  // The recording must see the supply open a file, or it would prove nothing.
  recording = true;
  const std::optional<ProjectFile> file = made.files->Read(u"INC/a.inc");
  recording = false;
  Require(file && file->text == u"A", "the project reads");
  Require(
      std::any_of(opened.begin(), opened.end(),
                  [&](const auto& open) { return open.second == (root / "inc/a.inc").string(); }),
      "opening a file is recorded");
  opened.clear();
}

void CheckOpened() {
  for (const auto& [folder, path] : opened) {
    std::error_code error;
    const fs::path location = fs::canonical(Located(folder, path), error);
    if (!error && Within(location, project().root)) continue;
    std::fprintf(stderr, "opened outside the project: %s (%s)\n", path.c_str(), location.c_str());
    std::abort();
  }
}

void CheckAnswer(const std::optional<fs::path>& resolved, const std::optional<ProjectFile>& file) {
  const DiskFiles& files = *project().files;
  if (resolved) {
    Require(resolved->is_absolute() && fs::canonical(*resolved) == *resolved,
            "Resolve: gives a canonical location");
    Require(Within(*resolved, project().root) && *resolved != project().root,
            "Resolve: the location lies inside the project");
    Require(fs::is_regular_file(*resolved), "Resolve: the location is a regular file");
  }
  Require(file.has_value() == resolved.has_value(), "Read: reads exactly what Resolve finds");
  if (file) {
    Require(file->text != u"SECRET", "Read: never a text from outside");
    Require(files.Resolve(file->webPath) == resolved, "Read: its web path names the same file");
  }
}

}  // namespace

// The calls through which the standard library opens files and folders.
extern "C" {

int open(const char* path, int flags, ...) {
  mode_t mode = 0;
  if (flags & (O_CREAT | O_TMPFILE)) {
    va_list arguments;
    va_start(arguments, flags);
    mode = va_arg(arguments, mode_t);
    va_end(arguments);
  }
  const int file = Next<int (*)(const char*, int, ...)>("open")(path, flags, mode);
  Record(AT_FDCWD, path, file >= 0);
  return file;
}

int openat(int folder, const char* path, int flags, ...) {
  mode_t mode = 0;
  if (flags & (O_CREAT | O_TMPFILE)) {
    va_list arguments;
    va_start(arguments, flags);
    mode = va_arg(arguments, mode_t);
    va_end(arguments);
  }
  const int file = Next<int (*)(int, const char*, int, ...)>("openat")(folder, path, flags, mode);
  Record(folder, path, file >= 0);
  return file;
}

FILE* fopen64(const char* path, const char* mode) {
  FILE* file = Next<FILE* (*)(const char*, const char*)>("fopen64")(path, mode);
  Record(AT_FDCWD, path, file != nullptr);
  return file;
}

FILE* fopen(const char* path, const char* mode) {
  FILE* file = Next<FILE* (*)(const char*, const char*)>("fopen")(path, mode);
  Record(AT_FDCWD, path, file != nullptr);
  return file;
}

DIR* opendir(const char* path) {
  DIR* folder = Next<DIR* (*)(const char*)>("opendir")(path);
  Record(AT_FDCWD, path, folder != nullptr);
  return folder;
}

int LLVMFuzzerInitialize(int*, char***) {
  fuzz::TreatErrorReportsAsFindings();
  MakeProject();
  return 0;
}

int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Text webPath = fuzz::Units({reinterpret_cast<const char*>(data), size});
  const DiskFiles& files = *project().files;
  DiskHost host(files, 10);
  opened.clear();
  recording = true;
  const std::optional<fs::path> resolved = files.Resolve(webPath);
  const std::optional<ProjectFile> file = files.Read(webPath);
  Text requested = webPath;
  std::shared_ptr<const SourceText> served;
  try {
    served = host.fsGetFile(requested);
  } catch (const RuntimeError&) {
  }
  recording = false;
  CheckOpened();
  CheckAnswer(resolved, file);
  Require(static_cast<bool>(served) == resolved.has_value(),
          "DiskHost: serves exactly what Resolve finds");
  if (served) {
    Require(served->Value() == file->text, "DiskHost: serves the text Read gives");
    Require(requested == file->webPath, "DiskHost: answers with the file's web path");
  }
  return 0;
}

}  // extern "C"
