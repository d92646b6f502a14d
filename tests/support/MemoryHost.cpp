#include "support/MemoryHost.h"

namespace lintra {

MemoryHost::MemoryHost() : Control(std::make_shared<Lintra>()), served_(Control) {
  Control->Events(this);
}

MemoryHost::MemoryHost(const std::shared_ptr<Lintra>& control) : served_(control) {
  control->Events(this);
}

MemoryHost::~MemoryHost() {
  if (const std::shared_ptr<Lintra> control = served_.lock()) control->Events(nullptr);
}

void MemoryHost::GetFile(Text& FilePath, int32_t& nError, Text& FileText) {
  if (auto redirect = Redirects.find(FilePath); redirect != Redirects.end()) {
    Requests.push_back(FilePath);
    FilePath = redirect->second;
  }
  if (Limit > 0 && Requests.size() >= Limit) {
    Requests.push_back(FilePath);
    nError = FileSupply::Abort;
    return;
  }
  Requests.push_back(FilePath);
  if (auto error = Errors.find(FilePath); error != Errors.end()) {
    nError = error->second;
    return;
  }
  auto file = Files.find(FilePath);
  if (file == Files.end()) {
    nError = 1;
    return;
  }
  FileText = file->second;
}

void MemoryHost::DisplayText(Text& Report) {
  Displayed.push_back(Report);
}

void MemoryHost::DisplayFile(Text FilePath) {
  OpenedFiles.push_back(std::move(FilePath));
}

Text IncludeDirective(const Text& path) {
  return u"<!-- #include file=\"" + path + u"\" -->";
}

Text IncludeLine(const Text& path) {
  return IncludeDirective(path) + u"\r\n";
}

Text Expanded(const Text& directive, const Text& body) {
  return u"\r\n<%' === INCLUDE FILE START ( " + directive + u" ) === %>\r\n" + body +
         u"\r\n<%' === INCLUDE FILE END ( " + directive + u" ) === %>\r\n";
}

Text Repeat(TextView piece, size_t count) {
  Text result;
  result.reserve(piece.size() * count);
  for (size_t i = 0; i < count; ++i) result += piece;
  return result;
}

static void Outline(File& node, size_t depth, bool spans, Text& out) {
  for (const auto& child : *node.Includes()) {
    out += Text(depth * 2, u' ') + child->FullPath();
    if (spans) {
      out += u" [" + text::FromNumber(child->BaseFileStart()) + u"," +
             text::FromNumber(child->BaseFileEnd()) + u")";
    }
    if (child->MissingFile()) out += u" missing";
    if (child->CircularInclude()) out += u" circular";
    if (child->DuplicateInclude()) out += u" duplicate";
    out += u"\n";
    Outline(*child, depth + 1, spans, out);
  }
}

Text Outline(File& root, bool spans) {
  Text out;
  Outline(root, 0, spans, out);
  return out;
}

void ServeExampleTree(MemoryHost& host) {
  host.Files[u"r.asp"] = IncludeDirective(u"a.inc") + IncludeDirective(u"b.inc");
  host.Files[u"a.inc"] = IncludeDirective(u"a1.inc");
  host.Files[u"a1.inc"] = IncludeDirective(u"a1a.inc");
  host.Files[u"a1a.inc"] = u"leaf";
  host.Files[u"b.inc"] = IncludeDirective(u"b1.inc");
  host.Files[u"b1.inc"] = u"leaf";
}

std::string NodeStates(const TreeView& view) {
  std::string result;
  for (const auto& node : view.GetNodes()) {
    if (!result.empty()) result += ' ';
    result += text::ToUtf8(node->Text()) + (node->Expanded() ? "+" : "-");
  }
  return result;
}

std::shared_ptr<File> FileAt(const TreeView& view, int32_t position) {
  return std::dynamic_pointer_cast<File>(view.GetNodes().Item(position)->Tag());
}

Text Lines(std::initializer_list<const char16_t*> lines) {
  Text result;
  for (const char16_t* line : lines) result += Text(line) + u"\r\n";
  return result;
}

}  // namespace lintra
