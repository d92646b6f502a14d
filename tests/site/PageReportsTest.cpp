#include "site/PageReports.h"

#include <gtest/gtest.h>

#include "analysis/File.h"
#include "site/SiteAnalysis.h"
#include "support/MemoryHost.h"
#include "support/MemorySupply.h"

namespace lintra {

TEST(PageReports, AreTheReportsTheControlMakesOnThePageItShows) {
  MemorySupply files;
  files.Files[u"shop/p.asp"] =
      u"<p>" + IncludeLine(u"a.inc") + IncludeLine(u"gone.inc") + IncludeLine(u"a.inc") + u"</p>";
  files.Files[u"shop/a.inc"] = u"A";
  MemoryHost host;
  host.Files = files.Files;
  SiteAnalysis site(files, u"");
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
  // Each directive's line ends after its END marker.
  const Text a = Expanded(IncludeDirective(u"a.inc"), u"A") + u"\r\n";
  EXPECT_EQ(complete, u"<p>" + a +
                          Expanded(IncludeDirective(u"gone.inc"),
                                   u"   *** ERROR : Error opening file : gone.inc ***") +
                          u"\r\n" + a + u"</p>");
}

}  // namespace lintra
