#include "support/SiteTexts.h"

#include "analysis/Files.h"

namespace lintra {

Text Lines(std::initializer_list<const char16_t*> lines) {
  Text result;
  for (const char16_t* line : lines) result += Text(line) + u"\r\n";
  return result;
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

namespace {

void Outline(File& node, size_t depth, bool spans, Text& out) {
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

}  // namespace

Text Outline(File& root, bool spans) {
  Text out;
  Outline(root, 0, spans, out);
  return out;
}

void ServeExampleTree(std::map<Text, Text>& files) {
  files[u"r.asp"] = IncludeDirective(u"a.inc") + IncludeDirective(u"b.inc");
  files[u"a.inc"] = IncludeDirective(u"a1.inc");
  files[u"a1.inc"] = IncludeDirective(u"a1a.inc");
  files[u"a1a.inc"] = u"leaf";
  files[u"b.inc"] = IncludeDirective(u"b1.inc");
  files[u"b1.inc"] = u"leaf";
}

}  // namespace lintra
