#pragma once

#include <optional>

#include "analysis/DirectiveScanner.h"
#include "analysis/File.h"
#include "platform/Text.h"

namespace lintra {

// The directive in `parent`'s text that pulled `node` in, found by its span; null when the text
// holds none there.
const ScannedDirective* DirectiveOf(const File& parent, const File& node);

// The path that directive asks for, resolved against `parent`'s folder, before the supply named
// the file it found (which may spell it otherwise); nothing when there is no directive.
std::optional<Text> RequestedPath(const File& parent, const File& node);
// The same for `directive`, one of the directives of `parent`'s text.
Text RequestedPath(const File& parent, const ScannedDirective& directive);

// The path that names `node`, which `parent` includes: its full path once the supply has read its
// file, else the path its directive asks for, since such a node carries only the file's name and
// two missing files of one name in different folders are different files.
Text NamedPath(const File& parent, const File& node);

}  // namespace lintra
