#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace lintra {

// A fresh folder under the system's temporary folder, removed with everything in it at the end
// of the test.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lintra-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

  // Writes `bytes` to the file at `relative`, creating its folders.
  std::filesystem::path Write(const std::string& relative, std::string_view bytes) const {
    const std::filesystem::path file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    return file;
  }

  // Makes `relative` a symbolic link to `target`, as written; false when this system cannot make
  // one, for the test to be skipped.
  bool Link(const std::string& target, const std::string& relative) const {
    std::error_code error;
    std::filesystem::create_symlink(target, path_ / relative, error);
    return !error;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace lintra
