#include "analysis/File.h"
#include "analysis/Files.h"
#include "analysis/LintraFuncs.h"
#include "analysis/ResolvedIncludes.h"
#include "analysis/TreeWalk.h"
#include "platform/ErrorRecord.h"

namespace lintra {

// The parser passes every error on to its caller unchanged, apart from the not-found and
// unreadable answers of the file supply, which become the flags of the child being created.

bool File::TakeSupplyFailure(const RuntimeError& error, const Text& path) {
  const ErrorRecord& record = error.Record();
  if (record.Number == FileSupply::Unreadable) {
    unreadable_ = std::make_unique<const ReadFailure>(ReadFailure{path, record.Description});
  } else if (record.Number != FileSupply::NotFound) {
    return false;
  }
  MissingFile(true);
  return true;
}

// Builds the tree depth first, in text order. Each node being parsed is a frame of a walk rather
// than a level of recursion, so a chain of includes however deep cannot exhaust the call stack.
// The frames are exactly the ancestors of the next node, so their paths, counted as they come and
// go, answer each circular test at once.
void File::Parse() {
  ResolvedIncludes paths;
  Parse(paths);
}

void File::Parse(ResolvedIncludes& paths) {
  struct Frame {
    File* node;
    std::shared_ptr<const SourceText> source;
    size_t next = 0;
  };
  TreeWalk<Frame> walk;
  AncestorCounts ancestors;
  for (File* above = parent_.lock().get(); above; above = above->parent_.lock().get()) {
    ++ancestors[above->KeptFullPath()];
  }
  auto enter = [&](File& node) {
    if (fbCircularInclude(node, ancestors)) {
      node.CircularInclude(true);
    } else if (node.content_) {
      walk.Enter(&node, node.content_);
      ++ancestors[node.KeptFullPath()];
    }
  };
  enter(*this);
  walk.Run([&](Frame& top) {
    if (top.next == top.source->Directives().size()) {
      const auto entry = ancestors.find(top.node->KeptFullPath());
      if (--entry->second == 0) ancestors.erase(entry);
      return false;
    }
    if (File* child = top.node->ParseInclude(top.source, top.next++, paths)) enter(*child);
    return true;
  });
  if (RootFile()) ValidateAll(*this);
}

// Creates the child that a directive names, asks the file supply for its text and returns it to
// be parsed; returns null when there is nothing to parse (a malformed directive marks this node
// missing, a file the supply cannot find or read becomes a missing leaf).
File* File::ParseInclude(const std::shared_ptr<const SourceText>& text, size_t index,
                         ResolvedIncludes& paths) {
  const SourceText::Directive& directive = text->Directives()[index];
  if (directive.Form == SourceText::Directive::Kind::Malformed) {
    MissingFile(true);
    return nullptr;
  }
  // A page meets each of its own directives once, so only those of included texts are kept.
  Text resolvedHere;
  const Text& requested = RootFile() ? (resolvedHere = text->IncludePath(index, path_))
                                     : paths.Path(text, index, path_);
  Text path = requested;
  auto self = std::static_pointer_cast<File>(shared_from_this());
  // Named once its file is found: as the supply names it, or else as the directive does.
  const std::shared_ptr<File> child = Includes()->Add(self, Text());
  if (!child) RaisePlatformError(ErrorNumber::ObjectNotSet);
  child->projectPath_ = projectPath_;
  child->BaseFileStart(directive.Start);
  child->BaseFileEnd(directive.Start + directive.Length);
  child->container_ = container_;
  child->supply_ = supply_;
  FileSupply* supply = Supply();
  if (!supply) RaisePlatformError(ErrorNumber::ObjectNotSet);
  std::shared_ptr<const SourceText> source;
  try {
    source = supply->fsGetFile(path);
  } catch (const RuntimeError& error) {
    child->Name(gfsFileName(path));
    if (!child->TakeSupplyFailure(error, path)) throw;
    return nullptr;
  }
  child->content_ = std::move(source);
  child->respelt_ = !text::SameUnits(path, requested);
  // Sets Path as well, to the folder of `path` with "/" separators.
  child->FullPath(path);
  return child.get();
}

}  // namespace lintra
