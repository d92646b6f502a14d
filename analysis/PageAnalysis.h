#pragma once

#include <memory>

#include "analysis/File.h"
#include "analysis/ResolvedIncludes.h"
#include "platform/Object.h"
#include "platform/Text.h"

namespace lintra {

// Builds the include tree of one page, the way every page is analysed, without showing it. The
// root is prepared in six steps: its Container is `supply`, its ProjectPath `projectPath`, its
// FullPath `filePath`, it is marked the root, its text is asked of the supply, and its FullPath
// is then the path as the supply left it. The root is then parsed, which asks the supply for
// every include. `supply` must also be a FileSupply. A page the supply cannot find (NotFound) or
// read (Unreadable) becomes a root flagged missing, with the Name and Path of `filePath`, no text
// and no includes, and for Unreadable the supply's reason.
// Every other error, the supply's abort among them, passes on unchanged. The caller owns the tree.
// `paths`, when given, resolves the directives' paths (see File::Parse).
std::shared_ptr<File> AnalysePage(const std::shared_ptr<Object>& supply, const Text& projectPath,
                                  const Text& filePath, ResolvedIncludes* paths = nullptr);

}  // namespace lintra
