#include "site/PageReports.h"

#include <gtest/gtest.h>

#include "analysis/File.h"
#include "site/SiteAnalysis.h"
#include "support/MemoryHost.h"

namespace lintra {

namespace {

// What the complete file holds for the directive naming `path` with `body` in its place.
Text Expanded(const Text& path, const Text& body) {
  const Text directive = IncludeDirective(path);
  return u"\r\n<%' === INCLUDE FILE START ( " + directive + u" ) === %>\r\n" + body +
         u"\r\n<%' === INCLUDE FILE END ( " + directive + u" ) === %>\r\n\r\n";
}

}  // namespace

TEST(PageReports, AreTheReportsTheControlMakesOnThePageItShows) {
  MemoryHost host;
  host.Files[u"shop/p.asp"] =
      u"<p>" + IncludeLine(u"a.inc") + IncludeLine(u"gone.inc") + IncludeLine(u"a.inc") + u"</p>";
  host.Files[u"shop/a.inc"] = u"A";
  SiteAnalysis site(host, u"");
  const std::shared_ptr<File> page = site.Tree(u"shop/p.asp");
  host.Control->ParseFile(u"", u"shop/p.asp");

  const Text warnings = PageWarnings(*page);
  EXPECT_EQ(warnings, host.Control->GetWarnings());
  const Text duplicate =
      u"p.asp (shop/p.asp)\r\n   Duplicate include warning : File a.inc is included more than "
      u"once in 'p.asp'\r\n\r\n";
  EXPECT_EQ(warnings,
            u"File : shop/p.asp\r\n\r\nCritical Errors\r\n===============\r\n\r\n"
            u"gone.inc (gone.inc)\r\n   Error opening file. \r\n\r\n"
            u"\r\nWarnings\r\n========\r\n\r\n" +
                duplicate + duplicate);

  const Text complete = CompleteFile(*page);
  EXPECT_EQ(complete, host.Control->GetCompleteFile());
  EXPECT_EQ(complete,
            u"<p>" + Expanded(u"a.inc", u"A") +
                Expanded(u"gone.inc", u"   *** ERROR : Error opening file : gone.inc ***") +
                Expanded(u"a.inc", u"A") + u"</p>");
}

}  // namespace lintra
