// Opens the HTML report of the sample site in headless Chromium and checks what a person sees
// there: the summary, the findings, a page's include tree, a file's includers and the search; and
// the report of a site whose file names are markup, that they show as text and nothing runs.
// Usage: node ReportInBrowser.js REPORT.html HOSTILE.html CHROMIUM [SCREENSHOT.png]
"use strict";

const assert = require("node:assert/strict");
const path = require("node:path");
const puppeteer = require("puppeteer-core");

const [reportFile, hostileFile, chromium, screenshot] = process.argv.slice(2);

async function texts(page, selector) {
  return page.$$eval(selector, (found) =>
    found.filter((element) => element.offsetParent !== null).map((element) => element.textContent));
}

async function withPage(browser, scripts, check, file = reportFile) {
  const reportUrl = "file://" + path.resolve(file);
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 900 });
  await page.setJavaScriptEnabled(scripts);
  const problems = [];
  page.on("pageerror", (error) => problems.push("script error: " + error.message));
  page.on("dialog", async (dialog) => {
    problems.push("a dialog: " + dialog.message());
    await dialog.dismiss();
  });
  page.on("request", (request) => {
    if (request.url() !== reportUrl && !request.url().startsWith("data:")) {
      problems.push("request for " + request.url());
    }
  });
  await page.goto(reportUrl, { waitUntil: "load" });
  await check(page);
  assert.deepEqual(problems, []);
  await page.close();
}

const tests = {
  "without scripts the summary and every finding can be read": (browser) =>
    withPage(browser, false, async (page) => {
      assert.deepEqual(await texts(page, ".counts dd"),
          ["5", "14", "21", "10", "0", await page.$eval("#count-time", (e) => e.textContent)]);
      assert.deepEqual(await texts(page, "#findings-table .tbody .tr > :first-child"), [
        "cyclic-include", "exposed-include", "exposed-include", "exposed-include",
        "exposed-include", "duplicate-include", "missing-include", "parent-path",
        "exposed-include", "parent-path"]);
      assert.deepEqual(await texts(page, "#tree li"), []);
    }),

  "the summary counts pages, files, directives and findings by rule": (browser) =>
    withPage(browser, true, async (page) => {
      assert.deepEqual(await texts(page, ".counts dt"),
          ["Pages", "Files", "Include directives", "Findings", "Unused files", "Analysis time"]);
      assert.deepEqual((await texts(page, ".counts dd")).slice(0, 5), ["5", "14", "21", "10", "0"]);
      assert.deepEqual(await texts(page, "#by-rule tbody tr"), [
        "case-mismatchwarning0", "codepage-mismatchwarning0", "cyclic-includeerror1",
        "directive-ordererror0", "duplicate-includewarning1", "exposed-includenote5",
        "malformed-includeerror0", "missing-includeerror1", "name-redefinederror0",
        "parent-patherror2", "unreadable-fileerror0", "unused-filenote0"]);
    }),

  "the findings table has one row per finding, sorts by a column and filters": (browser) =>
    withPage(browser, true, async (page) => {
      assert.deepEqual(await texts(page, "#findings-table .tbody .tr > :nth-child(4)"), [
        "inc/session.inc:1:1", "inc/connection.inc", "inc/config.inc", "inc/security.inc",
        "inc/session.inc", "default.asp:6:1", "shop/cart.asp:6:1", "shop/cart.asp:3:1",
        "inc/functions.inc", "shop/product.asp:2:1"]);
      const ascending = [
        "default.asp:6:1", "inc/config.inc", "inc/connection.inc", "inc/functions.inc",
        "inc/security.inc", "inc/session.inc", "inc/session.inc:1:1", "shop/cart.asp:3:1",
        "shop/cart.asp:6:1", "shop/product.asp:2:1"];
      await page.click("#findings-table [role=columnheader]:nth-child(4)");
      assert.deepEqual(await texts(page, "#findings-table .tbody .tr > :nth-child(4)"), ascending);
      await page.click("#findings-table [role=columnheader]:nth-child(4)");
      assert.deepEqual(await texts(page, "#findings-table .tbody .tr > :nth-child(4)"),
          [...ascending].reverse());
      await page.type("#findings-filter", "error");
      assert.deepEqual(await texts(page, "#findings-table .tbody .tr > :first-child"),
          ["parent-path", "missing-include", "parent-path", "cyclic-include"]);
      assert.equal(await page.$eval("#findings-shown", (e) => e.textContent), "4 of 10 shown");
    }),

  "a page's tree expands and collapses on click, with the control's pictures": async (browser) =>
    withPage(browser, true, async (page) => {
      await page.click("#page-list li:nth-child(3)");
      assert.deepEqual(await texts(page, "#tree .name"),
          ["default.asp", "header.inc", "menu.inc", "footer.inc"]);
      assert.deepEqual(await page.$$eval("#tree .pic", (found) => found.map((e) => e.className)), [
        "pic pic-ASPFile", "pic pic-IncludeFile", "pic pic-IncludeFileWarning", "pic pic-IncludeFile"]);
      await page.click("#tree li li:first-child > .row .twisty");
      assert.deepEqual(await texts(page, "#tree .name"),
          ["default.asp", "header.inc", "menu.inc", "menu.inc", "footer.inc"]);
      assert.deepEqual(await texts(page, "#tree .flag"), ["duplicate", "duplicate"]);
      await page.click("#tree li li:first-child > .row .name");
      assert.deepEqual(await texts(page, "#tree .name"),
          ["default.asp", "header.inc", "menu.inc", "footer.inc"]);
      await page.click("#collapse-all");
      assert.deepEqual(await texts(page, "#tree .name"), ["default.asp"]);
      await page.click("#page-list li:nth-child(2)");
      await page.click("#expand-all");
      assert.deepEqual(await texts(page, "#tree .name"), [
        "login.asp", "connection.inc", "config.inc", "security.inc", "session.inc", "security.inc",
        "header.inc", "menu.inc", "footer.inc"]);
      assert.deepEqual(await texts(page, "#tree .flag"), ["circular", "duplicate"]);
      assert.equal(await page.$eval("#tree .flag", (e) => e.previousSibling.previousSibling.className),
          "pic pic-IncludeFileCritical");
      await page.hover("#tree li li:nth-child(2) li .row");
      await page.click("#tree li li:nth-child(2) li .row .about");
      assert.equal(await page.$eval("#file-view h3", (e) => e.textContent), "inc/session.inc");
      assert.deepEqual(await texts(page, "#included-by li"), ["inc/security.inc line 1"]);
      assert.deepEqual(await texts(page, "#reached-by li"), ["account/login.asp"]);
      if (screenshot) await page.screenshot({ path: screenshot, fullPage: true });
    }),

  "searching by file name narrows the list, and a shared include shows what includes it": (browser) =>
    withPage(browser, true, async (page) => {
      assert.equal((await texts(page, "#file-list li")).length, 14);
      await page.type("#file-search", "inc/s");
      assert.deepEqual(await texts(page, "#file-list li"), ["inc/security.inc", "inc/session.inc"]);
      await page.click("#file-search", { clickCount: 3 });
      await page.type("#file-search", "header");
      assert.deepEqual(await texts(page, "#file-list li"), ["inc/header.inc"]);
      await page.click("#file-list li");
      assert.deepEqual(await texts(page, "#included-by li"), [
        "about.asp line 2", "account/login.asp line 5", "default.asp line 3",
        "shop/cart.asp line 4", "shop/product.asp line 3"]);
      assert.deepEqual(await texts(page, "#includes li"), ["inc/menu.inc duplicate"]);
      await page.click("#includes a");
      assert.equal(await page.$eval("#file-view h3", (e) => e.textContent), "inc/menu.inc");
      assert.deepEqual(await texts(page, "#included-by li"), ["default.asp line 6", "inc/header.inc line 4"]);
    }),

  "names from the site show as text and nothing of them runs": (browser) =>
    withPage(browser, true, async (page) => {
      assert.deepEqual(await texts(page, "#page-list li"), ["<img src=x onerror=alert(1)>.asp"]);
      assert.deepEqual(await texts(page, "#file-list li"),
          ["<img src=x onerror=alert(1)>.asp", "a & b.inc", "caf\\xE9.inc"]);
      assert.deepEqual(await texts(page, "#unused-list li"), ["\"it's\" <b>.inc"]);
      assert.deepEqual(await texts(page, "#tree .name"),
          ["<img src=x onerror=alert(1)>.asp", "caf\\xE9.inc", "a & b.inc"]);
      await page.click("#file-list li:nth-child(3)");
      assert.deepEqual(await texts(page, "#included-by li"),
          ["<img src=x onerror=alert(1)>.asp line 1"]);
      assert.equal((await page.$$("main img, main b, main script")).length, 0);
    }, hostileFile),
};

(async () => {
  const browser = await puppeteer.launch({
    executablePath: chromium,
    headless: true,
    args: ["--no-sandbox", "--disable-gpu", "--allow-file-access-from-files"],
  });
  let failed = 0;
  try {
    for (const [name, test] of Object.entries(tests)) {
      try {
        await test(browser);
        console.log("ok: " + name);
      } catch (error) {
        failed++;
        console.log("FAILED: " + name + "\n" + error.message);
      }
    }
  } finally {
    await browser.close();
  }
  process.exit(failed ? 1 : 0);
})();
