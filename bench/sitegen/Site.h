#pragma once

#include <string>
#include <vector>

namespace lintra {

// How a directive names its file: relative to the including file's folder ("file"), or relative
// to the project root with or without a leading "/" ("virtual").
enum class Directive { File, Virtual, BareVirtual };

// One piece of a file's text: filler bytes, or a directive that includes another file.
struct Piece {
  std::string filler;
  int target = -1;
  Directive kind = Directive::File;
};

// One file of a generated site, named by its web path relative to the root ("a/b/c.inc").
struct SiteFile {
  std::string path;
  std::vector<Piece> pieces;
};

// A generated site: its files with their text as filler and directives. Pages are the files
// whose names end in ".asp".
class Site {
 public:
  // Adds an empty file and returns its number.
  int Add(std::string path);

  // Filler text at the end of `file`.
  void Append(int file, std::string text);
  void Include(int file, int target, Directive kind);
  // A directive on a line of its own.
  void IncludeLine(int file, int target, Directive kind);

  const std::vector<SiteFile>& Files() const { return files_; }

 private:
  std::vector<SiteFile> files_;
};

// The folder part of a web path, with its trailing "/" ("" for a file at the root).
std::string FolderOf(const std::string& path);

// `target` as seen from `folder`, with ".." segments where it lies outside that folder.
std::string RelativePath(const std::string& folder, const std::string& target);

}  // namespace lintra
