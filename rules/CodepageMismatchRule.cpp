#include "rules/CodepageMismatchRule.h"

#include <algorithm>
#include <vector>

#include "analysis/File.h"
#include "rules/SourceFacts.h"

namespace lintra {

namespace {

using Encoding = TextBytes::Encoding;

constexpr int32_t Utf8CodePage = 65001;

// The page and every file it includes that has a text, in the order of the walk.
std::vector<File*> FilesOf(PageCheck& page) {
  std::vector<File*> files = {&page.Page()};
  page.EachInclude([&](File& node) {
    if (node.SharedContent()) files.push_back(&node);
  });
  return files;
}

// The code page that the first page directive to declare one names; 0 for none.
int32_t DeclaredCodePage(PageCheck& page, const std::vector<File*>& files) {
  for (File* file : files) {
    for (const PageCommand& command : page.Facts().Commands(*file).directives) {
      if (command.codePage != 0) return command.codePage;
    }
  }
  return 0;
}

File* FirstWith(PageCheck& page, const std::vector<File*>& files, Encoding encoding) {
  for (File* file : files) {
    if (page.Facts().Bytes(*file).encoding == encoding) return file;
  }
  return nullptr;
}

}  // namespace

const RuleInfo& CodepageMismatchRule::Info() const {
  // The IIS 6.0 SDK on @CODEPAGE (learn.microsoft.com, previous-versions/iis/6.0-sdk/ms524967):
  // it sets how the page's literal strings are encoded, and there can be only one code page per
  // response body, otherwise incorrect characters are displayed. Microsoft's knowledge base
  // article Q301623: IIS 5 treats the three bytes of a UTF-8 byte-order mark as data.
  static const RuleInfo info{
      "codepage-mismatch", Severity::Warning, "",
      "A page mixes files saved as UTF-8 with files that are not.",
      "The server copies the bytes of a page and of every file it includes into one response, "
      "which has one code page (@CODEPAGE, Response.CodePage or the server's default). The IIS "
      "SDK on @CODEPAGE: there can be only one code page per response body, otherwise incorrect "
      "characters are displayed. So a page that mixes files saved as UTF-8 (with characters "
      "beyond ASCII) with files saved in a legacy code page shows garbled text in one of them, "
      "as does a file that is not UTF-8 in a page that declares CODEPAGE=65001. A UTF-8 "
      "byte-order mark at the start of an included file lands in the middle of the page (IIS 5 "
      "even treats it as script data, knowledge base article Q301623). Save every file of the "
      "page in one encoding, and included files without a byte-order mark."};
  return info;
}

void CodepageMismatchRule::Check(PageCheck& page, FindingSet& findings) {
  const std::vector<File*> files = FilesOf(page);
  for (size_t i = 1; i < files.size(); ++i) {
    if (!page.Facts().Bytes(*files[i]).utf8Mark) continue;
    Report(page, findings, *files[i], {files[i]->FullPath(), 1, 1, 1, 2},
           u"byte-order mark: " + files[i]->FullPath() +
               u" starts with a UTF-8 byte-order mark, which lands in the middle of " +
               page.Page().FullPath());
  }
  File* utf8 = FirstWith(page, files, Encoding::Utf8);
  File* other = FirstWith(page, files, Encoding::Other);
  if (!other) return;
  if (DeclaredCodePage(page, files) == Utf8CodePage) {
    for (File* file : files) {
      if (page.Facts().Bytes(*file).encoding != Encoding::Other) continue;
      Report(page, findings, *file, PageCheck::FilePlace(*file),
             u"not UTF-8: " + file->FullPath() + u" is not saved as UTF-8, but " +
                 page.Page().FullPath() + u" declares CODEPAGE=65001");
    }
    return;
  }
  if (!utf8) return;
  const bool utf8First =
      std::find(files.begin(), files.end(), utf8) < std::find(files.begin(), files.end(), other);
  File* first = utf8First ? utf8 : other;
  const Encoding odd = utf8First ? Encoding::Other : Encoding::Utf8;
  for (File* file : files) {
    if (page.Facts().Bytes(*file).encoding != odd) continue;
    Report(page, findings, *file, PageCheck::FilePlace(*file),
           u"encoding mismatch: " + file->FullPath() + (utf8First ? u" is not" : u" is") +
               u" UTF-8, but " + first->FullPath() + (utf8First ? u" is" : u" is not") + u", in " +
               page.Page().FullPath());
  }
}

void CodepageMismatchRule::Report(PageCheck& page, FindingSet& findings, File& node, Place place,
                                  const Text& message) const {
  findings.Report(Info().id, place, [&] { return Make(page, node, place, message); });
}

}  // namespace lintra
