#include "analysis/PageAnalysis.h"

#include "platform/Deref.h"

namespace lintra {

std::shared_ptr<File> AnalysePage(const std::shared_ptr<Object>& supply, const Text& projectPath,
                                  const Text& filePath, ResolvedIncludes* paths) {
  auto root = std::make_shared<File>();
  root->Container(supply);
  root->ProjectPath(projectPath);
  root->FullPath(filePath);
  root->RootFile(true);
  Text path = filePath;
  try {
    root->content_ = Deref(root->Supply()).fsGetFile(path);
  } catch (const RuntimeError& error) {
    if (!root->TakeSupplyFailure(error, path)) throw;
    return root;
  }
  root->FullPath(path);
  if (paths) {
    root->Parse(*paths);
  } else {
    root->Parse();
  }
  return root;
}

}  // namespace lintra
