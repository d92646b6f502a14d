#include "analysis/File.h"
#include "control/Lintra.h"
#include "platform/ErrorRecord.h"

std::shared_ptr<File> Lintra::AnalysePage(const Text& ProjectPath, const Text& FilePath) {
  auto root = std::make_shared<File>();
  root->Container(shared_from_this());
  root->ProjectPath(ProjectPath);
  root->FullPath(FilePath);
  root->RootFile(true);
  Text path = FilePath;
  try {
    root->content_ = fsGetFile(path);
  } catch (const RuntimeError& error) {
    if (error.Record().Number != NotFound) throw;
    root->MissingFile(true);
    return root;
  }
  root->FullPath(path);
  root->Parse();
  return root;
}
