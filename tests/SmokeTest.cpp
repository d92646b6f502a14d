#include <gtest/gtest.h>

#include "analysis/File.h"
#include "analysis/Files.h"
#include "support/MemoryHost.h"

TEST(Smoke, ParsesNestedInclude) {
  MemoryHost host;
  host.Files[u"shop/default.asp"] = u"A\r\n<!-- #include file=\"inc/a.inc\" -->\r\nC";
  host.Files[u"shop/inc/a.inc"] = u"B";
  auto root = host.Control->AnalysePage(u"/site", u"shop/default.asp");
  ASSERT_EQ(root->Includes()->Count(), u"1");
  EXPECT_EQ(root->Includes()->Item(1)->FullPath(), u"shop/inc/a.inc");
  EXPECT_EQ(root->OutputComplete(),
            u"A\r\n\r\n<%' === INCLUDE FILE START ( <!-- #include file=\"inc/a.inc\" --> ) === "
            u"%>\r\nB\r\n<%' === INCLUDE FILE END ( <!-- #include file=\"inc/a.inc\" --> ) === "
            u"%>\r\n\r\nC");
}
