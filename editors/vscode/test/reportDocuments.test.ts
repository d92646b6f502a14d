import assert from "node:assert/strict";
import { describe, it } from "node:test";
import { ParseReportUri, ReportText, ReportUri, ReportView } from "../src/reportDocuments";

const page = "file:///srv/my%20site/shop/cart%20page.asp";

describe("addresses of report documents", () => {
  it("name the page and the report in the tab's title", () => {
    assert.deepEqual(ReportUri("complete-file", page), {
      scheme: "lintra-report",
      authority: "complete-file",
      path: "/cart page.asp - Complete File",
      query: page,
    });
    assert.equal(ReportUri("text-tree", page).path, "/cart page.asp - Text Tree");
    assert.equal(ReportUri("warnings", page).path, "/cart page.asp - Warnings");
  });

  it("read back to the report and the page's own address", () => {
    for (const view of ["complete-file", "text-tree", "warnings"] as ReportView[]) {
      assert.deepEqual(ParseReportUri(ReportUri(view, page)), { view, sourceUri: page });
    }
  });

  it("keep a name whose escapes do not decode as it is", () => {
    assert.equal(ReportUri("warnings", "file:///srv/100%.asp").path, "/100%.asp - Warnings");
  });

  it("are not taken from other schemes, unknown reports or a missing page", () => {
    const good = ReportUri("warnings", page);
    assert.equal(ParseReportUri({ ...good, scheme: "file" }), undefined);
    assert.equal(ParseReportUri({ ...good, authority: "toString" }), undefined);
    assert.equal(ParseReportUri({ ...good, authority: "depends" }), undefined);
    assert.equal(ParseReportUri({ ...good, query: "" }), undefined);
  });
});

describe("report text", () => {
  it("is the server's text as it is", () => {
    assert.equal(
      ReportText("text-tree", "default.asp\n  inc/a.inc\n"),
      "default.asp\n  inc/a.inc\n",
    );
  });

  it("says why it is empty for a file that no page includes", () => {
    assert.equal(
      ReportText("complete-file", ""),
      "No page includes this file, so it has no complete file.\n",
    );
  });
});
