#pragma once

#include "analysis/DirectiveScanner.h"
#include "analysis/File.h"
#include "platform/Text.h"

namespace lintra {

// The directive in `parent`'s text that pulled `node` in, found by its span; null when the text
// holds none there.
const ScannedDirective* DirectiveOf(const File& parent, const File& node);

// The path that directive asks for, resolved against `parent`'s folder, before the supply named
// the file it found (which may spell it otherwise); null when there is no directive. Valid until
// the next call for a node of the same text.
const Text* RequestedPath(const File& parent, const File& node);
// The same for `directive`, one of the directives of `parent`'s text.
const Text& RequestedPath(const File& parent, const ScannedDirective& directive);

// The path that names `node`, which `parent` includes: its full path once the supply has read its
// file, else the path its directive asks for, since such a node carries only the file's name and
// two missing files of one name in different folders are different files.
Text NamedPath(const File& parent, const File& node);

}  // namespace lintra
