#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "analysis/FileSupply.h"
#include "analysis/SourceText.h"
#include "platform/ErrorRecord.h"
#include "platform/Object.h"
#include "platform/Text.h"

namespace lintra {

class ResolvedIncludes;

class Files;

// One node of an include tree: an ASP page or a file it includes, with its text, its place in the
// project, the flags that analysis sets on it, and the span of the directive that pulled it into
// its parent's text. A node owns its children through Includes; Parent, BaseFile and Container
// are back references that never keep anything alive. Delete breaks the tree apart.
class File : public Object {
 public:
  File() = default;
  // Releases the subtree that only this node holds without deepening the call stack.
  ~File() override;

  // Reports (FileReports.cpp): texts built from this node and everything below it.
  Text OutputCriticalErrors();
  Text OutputWarnings();
  Text OutputComplete();
  // The same reports appended to `out`; on Abort each takes back what it had appended, as a
  // report that assigns its result only at the end.
  void AppendCriticalErrors(Text& out);
  void AppendWarnings(Text& out);
  void AppendComplete(Text& out);

  // Builds the subtree below this node from its Content, asking the Container for every included
  // file, depth first in text order. On a root, also flags every duplicate include. Errors from
  // the file supply other than not-found come out unchanged (FileParse.cpp).
  void Parse();
  // The same, resolving the paths of the directives with `paths`, which one analysis keeps from
  // page to page.
  void Parse(ResolvedIncludes& paths);

  // Tears down this node and everything below it: clears the back references of every node and
  // empties every Includes. Names, texts, flags and positions stay.
  void Delete();

  // The object that supplies file texts. Only an object that is also a FileSupply is accepted;
  // any other is a type mismatch (reported), and the previous value stays. Null clears it.
  void Container(const std::shared_ptr<Object>& value);
  std::shared_ptr<Object> Container();

  // The children, in the order of their directives; created empty on first read, never null.
  std::shared_ptr<Files> Includes();
  void Includes(const std::shared_ptr<Files>& value);
  // The children for walks over large trees: null when Includes was never read or set, so that
  // walking leaves creates nothing.
  const Files* IncludesIfAny() const { return includes_.get(); }

  const Text& Name() const { return name_; }
  void Name(Text value) {
    name_ = std::move(value);
    KeepFullPath();
  }
  const Text& Path() const { return path_; }
  void Path(Text value) {
    path_ = std::move(value);
    KeepFullPath();
  }
  const Text& ProjectPath() const { return projectPath_ ? *projectPath_ : EmptyText(); }
  void ProjectPath(Text value) { projectPath_ = std::make_shared<const Text>(std::move(value)); }

  bool RootFile() const { return rootFile_; }
  bool DuplicateInclude() const { return duplicateInclude_; }
  bool CircularInclude() const { return circularInclude_; }
  bool MissingFile() const { return missingFile_; }
  // A file that exists but that the supply could not read: its path as the supply left it (see
  // FileSupply::fsGetFile) and why, in the system's words ("Permission denied").
  struct ReadFailure {
    Text fullPath;
    Text reason;
  };
  // Why the supply could not read this node's file; null when it was read or does not exist.
  // Such a node is MissingFile too, named as a missing one, and the reports show it as they show
  // a missing file.
  const ReadFailure* Unreadable() const { return unreadable_.get(); }
  // Whether the supply named this node's file otherwise than its directive asked for it (see
  // FileSupply::fsGetFile): in other letter case, say, as the disk spells it.
  bool Respelt() const { return respelt_; }

  // Path followed directly by Name. Setting it turns "\" into "/" and splits after the last "/".
  Text FullPath() const { return fullPath_; }
  void FullPath(const Text& value);
  // FullPath without a copy, and its text::HashIgnoringCase, made whenever Name or Path change
  // so that reading them changes nothing.
  TextView FullPathView() const { return fullPath_; }
  size_t FullPathHash() const { return fullPathHash_; }

  const Text& Content() const { return content_ ? content_->Value() : EmptyText(); }
  void Content(Text value) { content_ = std::make_shared<const SourceText>(std::move(value)); }
  // The shared text behind Content, so that what is learnt from a text can be kept with it for
  // every node that shows it; null when no text was ever set.
  const std::shared_ptr<const SourceText>& SharedContent() const { return content_; }

  // The including file; null for the root and after Delete.
  std::shared_ptr<File> Parent();
  // The root page of the tree; null for the root itself and after Delete.
  std::shared_ptr<File> BaseFile();

  // The directive's span in the Parent's Content: its first position and the position after it.
  int32_t BaseFileStart() const { return baseFileStart_; }
  int32_t BaseFileEnd() const { return baseFileEnd_; }

 private:
  friend class Files;
  // Prepares the root of a page, which takes the setters reserved to the library.
  friend std::shared_ptr<File> AnalysePage(const std::shared_ptr<Object>& supply,
                                           const Text& projectPath, const Text& filePath,
                                           ResolvedIncludes* paths);

  // Setters reserved to the library.
  void RootFile(bool value) { rootFile_ = value; }
  void DuplicateInclude(bool value) { duplicateInclude_ = value; }
  void CircularInclude(bool value) { circularInclude_ = value; }
  void MissingFile(bool value) { missingFile_ = value; }
  void Parent(const std::shared_ptr<File>& value);
  void BaseFile(const std::shared_ptr<File>& value);
  void BaseFileStart(int32_t value) { baseFileStart_ = value; }
  void BaseFileEnd(int32_t value) { baseFileEnd_ = value; }
  // Marks this node missing when `error` is the supply's NotFound, or missing and Unreadable for
  // its Unreadable, raised for `path` as the supply left it; returns false, changing nothing, for
  // any other error.
  bool TakeSupplyFailure(const RuntimeError& error, const Text& path);

  // A node's FullPath with its text::HashIgnoringCase, so that one hash serves both the exact
  // and the case-blind comparison.
  struct PathKey {
    TextView path;
    size_t hash;
  };
  // This node's PathKey: the circular and duplicate tests look up every node's.
  PathKey KeptFullPath() const { return {fullPath_, fullPathHash_}; }
  // Makes the full path and its hash afresh from Path and Name.
  void KeepFullPath();

  // The file supply behind Container, or null when there is none (or it is gone).
  FileSupply* Supply() const;
  // This node when it is the root, otherwise its BaseFile.
  File* Root();

  // Parser (FileParse.cpp): creates and fills the child that directive `index` of `text`, this
  // node's text, names and returns it to be parsed, or null; `paths` resolves the directive.
  File* ParseInclude(const std::shared_ptr<const SourceText>& text, size_t index,
                     ResolvedIncludes& paths);

  // Circular and duplicate detection (FileDetect.cpp). PathCounts holds, for one tree, how many
  // nodes below the root carry each FullPath, leaving out circular nodes. AncestorCounts counts
  // full paths without regard to letter case. The keys view the kept paths of the nodes counted.
  struct KeyHash {
    size_t operator()(const PathKey& key) const { return key.hash; }
  };
  struct ExactEqual {
    bool operator()(const PathKey& a, const PathKey& b) const {
      return text::SameUnits(a.path, b.path);
    }
  };
  struct IgnoringCaseEqual {
    bool operator()(const PathKey& a, const PathKey& b) const;
  };
  using PathCounts = std::unordered_map<PathKey, int32_t, KeyHash, ExactEqual>;
  using AncestorCounts = std::unordered_map<PathKey, int32_t, KeyHash, IgnoringCaseEqual>;
  // `ancestors` counts the full paths of the nodes above `file`: the parser keeps it as it
  // descends, so each test is one look-up however deep the tree.
  bool fbCircularInclude(File& file, const AncestorCounts& ancestors);
  void ValidateAll(File& node);
  bool fbDuplicateInclude(File& target, const PathKey& targetPath, const PathCounts& counts);

  static const Text& EmptyText();

  std::weak_ptr<Object> container_;
  FileSupply* supply_ = nullptr;
  Text name_;
  Text path_;
  // Shared by every node of a tree, which all have the same.
  std::shared_ptr<const Text> projectPath_;
  std::shared_ptr<const SourceText> content_;
  Text fullPath_;
  size_t fullPathHash_ = text::HashIgnoringCase(TextView());
  bool duplicateInclude_ = false;
  bool circularInclude_ = false;
  bool missingFile_ = false;
  bool respelt_ = false;
  std::unique_ptr<const ReadFailure> unreadable_;
  std::weak_ptr<File> parent_;
  std::weak_ptr<File> baseFile_;
  int32_t baseFileStart_ = 0;
  int32_t baseFileEnd_ = 0;
  bool rootFile_ = false;
  std::shared_ptr<Files> includes_;
};

}  // namespace lintra
