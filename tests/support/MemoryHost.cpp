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

}  // namespace lintra
