#include "rules/CodepageMismatchRule.h"

#include <vector>

#include "analysis/File.h"
#include "rules/SourceFacts.h"

namespace lintra {

namespace {

using Encoding = TextBytes::Encoding;

constexpr int32_t Utf8CodePage = 65001;

// A file of the page and what its bytes were.
struct Seen {
  File* file;
  TextBytes bytes;
};

// What one walk over a page learns: its files that have a text, in the order of the walk, and
// the first file of each encoding beyond ASCII.
struct PageEncodings {
  std::vector<Seen> files;
  const Seen* firstUtf8 = nullptr;
  const Seen* firstOther = nullptr;
};

// What the bytes of `node` were, counting as ASCII a file whose characters beyond ASCII all lie
// where no reader of the response sees them (see ShowsBeyondAscii): in comments they never show
// garbled.
TextBytes ShownBytes(PageCheck& page, File& node) {
  TextBytes bytes = page.Facts().Bytes(node);
  if (bytes.encoding != Encoding::Ascii && !page.Facts().Script(node).showsBeyondAscii) {
    bytes.encoding = Encoding::Ascii;
  }
  return bytes;
}

PageEncodings EncodingsOf(PageCheck& page) {
  PageEncodings encodings;
  const auto visit = [&](File& node) {
    if (node.SharedContent()) encodings.files.push_back({&node, ShownBytes(page, node)});
  };
  visit(page.Page());
  page.EachInclude(visit);
  for (const Seen& seen : encodings.files) {
    const Seen** first = seen.bytes.encoding == Encoding::Utf8    ? &encodings.firstUtf8
                         : seen.bytes.encoding == Encoding::Other ? &encodings.firstOther
                                                                  : nullptr;
    if (first && !*first) *first = &seen;
  }
  return encodings;
}

// The code page that the first page directive of `files` to declare one names, 0 for none.
int32_t DeclaredCodePage(PageCheck& page, const std::vector<Seen>& files) {
  for (const Seen& seen : files) {
    for (const PageCommand& command : page.Facts().Commands(*seen.file).directives) {
      if (command.codePage != 0) return command.codePage;
    }
  }
  return 0;
}

}  // namespace

const RuleInfo& CodepageMismatchRule::Info() const {
  // The IIS 6.0 SDK on @CODEPAGE (learn.microsoft.com, previous-versions/iis/6.0-sdk/ms524967):
  // it sets how the page's literal strings are encoded, and there can be only one code page per
  // response body, otherwise incorrect characters are displayed. Microsoft's knowledge base
  // article Q301623: IIS 5 treats the three bytes of a UTF-8 byte-order mark as data, and a fix
  // makes it remove them; no later server is known to write the mark out.
  static const RuleInfo info{
      "codepage-mismatch", Severity::Warning, "",
      "A page mixes files saved as UTF-8 with files that are not.",
      "The server copies the bytes of a page and of every file it includes into one response, "
      "which has one code page (@CODEPAGE, Response.CodePage or the server's default). The IIS "
      "SDK on @CODEPAGE: there can be only one code page per response body, otherwise incorrect "
      "characters are displayed. So a page that mixes files saved as UTF-8 with files saved in a "
      "legacy code page shows garbled text in one of them, as does a file that is not UTF-8 in a "
      "page that declares CODEPAGE=65001. Only characters beyond ASCII that the reader sees "
      "count: in HTML text and in string literals, not in HTML comments or in ' and Rem comments "
      "of the code. A UTF-8 byte-order mark at the start of an included file is a note: IIS 5 "
      "treats it as data (knowledge base article Q301623); no later server is known to write it "
      "out. Save every file of the page in one encoding, and included files without a "
      "byte-order mark."};
  return info;
}

void CodepageMismatchRule::Check(PageCheck& page, FindingSet& findings) {
  const PageEncodings encodings = EncodingsOf(page);
  const Text pagePath = page.Page().FullPath();
  for (size_t i = 1; i < encodings.files.size(); ++i) {
    File& file = *encodings.files[i].file;
    if (!encodings.files[i].bytes.utf8Mark) continue;
    Report(page, findings, file, {file.FullPath(), 1, 1, 1, 2},
           u"byte-order mark: " + file.FullPath() +
               u" starts with a UTF-8 byte-order mark, which IIS 5 writes out where the file is "
               u"included",
           Severity::Note);
  }
  if (!encodings.firstOther) return;
  if (DeclaredCodePage(page, encodings.files) == Utf8CodePage) {
    for (const Seen& seen : encodings.files) {
      if (seen.bytes.encoding != Encoding::Other) continue;
      Report(page, findings, *seen.file, PageCheck::FilePlace(*seen.file),
             u"not UTF-8: " + seen.file->FullPath() + u" is not saved as UTF-8, but " + pagePath +
                 u" declares CODEPAGE=65001");
    }
    return;
  }
  if (!encodings.firstUtf8) return;
  const bool utf8First = encodings.firstUtf8 < encodings.firstOther;
  const Seen& first = utf8First ? *encodings.firstUtf8 : *encodings.firstOther;
  const Encoding odd = utf8First ? Encoding::Other : Encoding::Utf8;
  for (const Seen& seen : encodings.files) {
    if (seen.bytes.encoding != odd) continue;
    Report(page, findings, *seen.file, PageCheck::FilePlace(*seen.file),
           u"encoding mismatch: " + seen.file->FullPath() + (utf8First ? u" is not" : u" is") +
               u" UTF-8, but " + first.file->FullPath() + (utf8First ? u" is" : u" is not") +
               u", in " + pagePath);
  }
}

void CodepageMismatchRule::Report(PageCheck& page, FindingSet& findings, File& node, Place place,
                                  const Text& message, Severity severity) const {
  findings.Report(Info().id, place, [&] {
    RuleFinding finding = Make(page, node, place, message);
    finding.severity = ChosenSeverity(page.Settings()).value_or(severity);
    return finding;
  });
}

}  // namespace lintra
