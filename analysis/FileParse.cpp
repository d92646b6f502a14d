#include <cstring>
#include <vector>

#include "analysis/File.h"
#include "analysis/Files.h"
#include "analysis/LintraFuncs.h"
#include "platform/ErrorRecord.h"

// The parser passes every error on to its caller unchanged, apart from the not-found answer of the
// file supply, which becomes the MissingFile flag of the child being created.

// Builds the tree depth first, in text order. Each node being parsed is a frame on an explicit
// stack rather than a level of recursion, so a chain of includes however deep cannot exhaust the
// call stack. The frames are exactly the ancestors of the next node, so their paths, counted as
// they come and go, answer each circular test at once.
void File::Parse() {
  struct Frame {
    File* node;
    std::shared_ptr<const SourceText> source;
    size_t next;
  };
  std::vector<Frame> frames;
  AncestorCounts ancestors;
  for (File* above = parent_.lock().get(); above; above = above->parent_.lock().get()) {
    ++ancestors[above->KeptFullPath()];
  }
  auto enter = [&](File& node) {
    if (fbCircularInclude(node, ancestors)) {
      node.CircularInclude(true);
    } else if (node.content_) {
      frames.push_back({&node, node.content_, 0});
      ++ancestors[node.KeptFullPath()];
    }
  };
  enter(*this);
  while (!frames.empty()) {
    Frame& top = frames.back();
    const auto& directives = top.source->Directives();
    if (top.next == directives.size()) {
      const auto entry = ancestors.find(top.node->KeptFullPath());
      if (--entry->second == 0) ancestors.erase(entry);
      frames.pop_back();
      continue;
    }
    if (File* child = top.node->ParseInclude(*top.source, top.next++)) enter(*child);
  }
  if (RootFile()) ValidateAll(*this);
}

namespace {

// The first "<" at or after `from` that opens a server-script block ("<%") or a comment ("<!--").
size_t FindOpener(TextView view, size_t from) {
  for (size_t at = text::FindAscii(view, from, u'<'); at != TextView::npos;
       at = text::FindAscii(view, at + 1, u'<')) {
    const TextView rest = view.substr(at);
    if (rest.starts_with(u"<%") || rest.starts_with(u"<!--")) return at;
  }
  return TextView::npos;
}

// The first `closer` ("%>" or "-->") that begins at or after `from`, found by its final ">".
size_t FindCloser(TextView view, size_t from, TextView closer) {
  const size_t lead = closer.size() - 1;
  for (size_t at = text::FindAscii(view, from + lead, u'>'); at != TextView::npos;
       at = text::FindAscii(view, at + 1, u'>')) {
    if (view.substr(at - lead, closer.size()) == closer) return at - lead;
  }
  return TextView::npos;
}

// What a comment names, or nothing when it holds no "#include".
bool ReadDirective(TextView block, SourceText::Directive& directive) {
  const TextView inner = block.size() > 7 ? block.substr(4, block.size() - 7) : TextView();
  if (AttributeValue(u"#include", inner).Status == AttributeResult::Absent) return false;
  using Kind = SourceText::Directive::Kind;
  AttributeResult file = AttributeValue(u"File", inner);
  if (file.Status == AttributeResult::Found) {
    directive.Form = Kind::File;
    directive.Value = std::move(file.Value);
    return true;
  }
  AttributeResult virt = AttributeValue(u"Virtual", inner);
  if (virt.Status != AttributeResult::Found) return true;
  TextView value(virt.Value);
  if (value.starts_with(u"..")) value.remove_prefix(2);
  if (value.starts_with(u"/")) value.remove_prefix(1);
  directive.Form = Kind::Virtual;
  directive.Value = Text(value);
  return true;
}

}  // namespace

// Steps over server-script blocks and reads every comment, in text order, in one forward pass:
// the next block is the one whose opener comes first, and the scan goes on from its closer. An
// opener without its closer ends the scan of the text.
std::vector<SourceText::Directive> File::ParseClientCode(const Text& text) {
  std::vector<SourceText::Directive> directives;
  const TextView view(text);
  for (size_t opener = FindOpener(view, 0); opener != TextView::npos;) {
    const bool script = view[opener + 1] == u'%';
    const size_t end = FindCloser(view, opener, script ? TextView(u"%>") : TextView(u"-->"));
    if (end == TextView::npos) break;
    if (!script) {
      const TextView block = view.substr(opener, end + 3 - opener);
      SourceText::Directive directive;
      if (ReadDirective(block, directive)) {
        directive.Start = static_cast<int32_t>(opener + 1);
        directive.Length = static_cast<int32_t>(block.size());
        directives.push_back(std::move(directive));
      }
    }
    opener = FindOpener(view, end);
  }
  return directives;
}

// Creates the child that a directive names, asks the file supply for its text and returns it to
// be parsed; returns null when there is nothing to parse (a malformed directive marks this node
// missing, a file the supply cannot find becomes a missing leaf).
File* File::ParseInclude(const SourceText& text, size_t index) {
  const SourceText::Directive& directive = text.Directives()[index];
  if (directive.Form == SourceText::Directive::Kind::Malformed) {
    MissingFile(true);
    return nullptr;
  }
  Text path = text.IncludePath(index, path_);
  auto self = std::static_pointer_cast<File>(shared_from_this());
  const std::shared_ptr<File> child = Includes()->Add(self, gfsFileName(path));
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
    if (error.Record().Number != FileSupply::NotFound) throw;
    child->MissingFile(true);
    return nullptr;
  }
  child->content_ = std::move(source);
  // Sets Path as well, to the folder of `path` with "/" separators.
  child->FullPath(path);
  return child.get();
}
