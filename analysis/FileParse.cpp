#include "analysis/File.h"
#include "analysis/Files.h"
#include "analysis/LintraFuncs.h"
#include "platform/ErrorRecord.h"

// The parser passes every error on to its caller unchanged, apart from the not-found answer of the
// file supply, which becomes the MissingFile flag of the child being created.

void File::Parse() {
  const std::shared_ptr<const Text> text = content_;
  if (fbCircularInclude(*this, *this)) {
    CircularInclude(true);
  } else if (text) {
    ParseClientCode(*text);
  }
  if (RootFile()) ValidateAll(*this);
}

namespace {

constexpr TextView kScriptOpen = u"<%";
constexpr TextView kScriptClose = u"%>";
constexpr TextView kCommentOpen = u"<!--";
constexpr TextView kCommentClose = u"-->";

}  // namespace

// Steps over server-script blocks and hands every comment to ParseInclude, in text order. Each
// opener's next position is kept until the scan passes it, so no character is searched twice.
// An opener without its closer ends the scan of this text.
void File::ParseClientCode(const Text& text) {
  const TextView view(text);
  size_t script = view.find(kScriptOpen);
  size_t comment = view.find(kCommentOpen);
  while (comment != TextView::npos) {
    size_t end;
    if (script != TextView::npos && script < comment) {
      end = view.find(kScriptClose, script);
      if (end == TextView::npos) return;
    } else {
      end = view.find(kCommentClose, comment);
      if (end == TextView::npos) return;
      ParseInclude(view.substr(comment, end + kCommentClose.size() - comment),
                   static_cast<int32_t>(comment + 1));
    }
    if (script != TextView::npos && script < end) script = view.find(kScriptOpen, end);
    if (comment < end) comment = view.find(kCommentOpen, end);
  }
}

namespace {

// The path a directive names, relative to the project root, before ".." is resolved; empty
// `found` when the directive names no usable file.
Text DirectivePath(TextView inner, const Text& folder, bool& found) {
  found = true;
  AttributeResult file = AttributeValue(u"File", inner);
  if (file.Status == AttributeResult::Found) return folder + file.Value;
  AttributeResult virt = AttributeValue(u"Virtual", inner);
  if (virt.Status != AttributeResult::Found) {
    found = false;
    return Text();
  }
  TextView value(virt.Value);
  if (value.starts_with(u"..")) value.remove_prefix(2);
  if (value.starts_with(u"/")) value.remove_prefix(1);
  return Text(value);
}

}  // namespace

void File::ParseInclude(TextView block, int32_t start) {
  const auto length = static_cast<int32_t>(block.size());
  const TextView inner = length > 7 ? block.substr(4, block.size() - 7) : TextView();
  if (AttributeValue(u"#include", inner).Status == AttributeResult::Absent) return;
  bool found = false;
  Text path = DirectivePath(inner, path_, found);
  if (!found) {
    MissingFile(true);
    return;
  }
  path = gfsCorrectWebPath(path);
  auto self = std::static_pointer_cast<File>(shared_from_this());
  const std::shared_ptr<File> child = Includes()->Add(self, gfsFileName(path));
  if (!child) RaisePlatformError(ErrorNumber::ObjectNotSet);
  child->ProjectPath(projectPath_);
  child->BaseFileStart(start);
  child->BaseFileEnd(start + length);
  child->container_ = container_;
  child->supply_ = supply_;
  FileSupply* supply = Supply();
  if (!supply) RaisePlatformError(ErrorNumber::ObjectNotSet);
  Text text;
  try {
    text = supply->fsGetFile(path);
  } catch (const RuntimeError& error) {
    if (error.Record().Number != FileSupply::NotFound) throw;
    child->MissingFile(true);
    return;
  }
  child->Content(std::move(text));
  child->FullPath(path);
  child->Path(gfsFilePath(path));
  child->Parse();
}
