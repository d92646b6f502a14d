#pragma once

#include <initializer_list>
#include <map>

#include "analysis/File.h"
#include "platform/Text.h"

namespace lintra {

// Texts of small sites written inline in tests, and the outline of a tree they give.

// Joins lines with CR LF after each, as reports and ASP files write them.
Text Lines(std::initializer_list<const char16_t*> lines);

// An include directive naming `path` by its file attribute.
Text IncludeDirective(const Text& path);

// The same directive on a line of its own.
Text IncludeLine(const Text& path);

// What the complete file shows for `directive`: `body` between markers on lines of their own.
Text Expanded(const Text& directive, const Text& body);

// `piece` written `count` times over.
Text Repeat(TextView piece, size_t count);

// One line per node below `root`, indented by depth: full path, the span of its directive when
// `spans` is set, and its flags. Shows the shape of a whole tree in one comparison.
Text Outline(File& root, bool spans = false);

// Puts in `files` the page r.asp of the expand and collapse examples: R with A and B, A with A1, A1
// with the leaf A1a, B with the leaf B1; in position order r.asp, a.inc, a1.inc, a1a.inc, b.inc,
// b1.inc.
void ServeExampleTree(std::map<Text, Text>& files);

}  // namespace lintra
