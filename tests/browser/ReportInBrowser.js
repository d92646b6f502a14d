// Opens the HTML report of the sample site in headless Chromium and checks what a person sees
// there: the summary, the findings, a page's include tree, a file's includers and the search; the
// report of a generated site of hundreds of pages, that its findings come errors first, its links
// lead to the views they name and its places never wrap; and the report of a site whose file
// names are markup, that they show as text and nothing runs.
// Usage: node ReportInBrowser.js REPORT.html HOSTILE.html GENERATED.html CHROMIUM [SCREENSHOT.png]
"use strict";

const assert = require("node:assert/strict");
const path = require("node:path");
const puppeteer = require("puppeteer-core");

const [reportFile, hostileFile, generatedFile, chromium, screenshot] = process.argv.slice(2);

// Clicks what `selector` finds as a person would, once it has been scrolled into sight and the
// rows that came into sight with it have been laid out, so that the click lands where it aims.
async function click(page, selector, options) {
  await page.$eval(selector, (element) => element.scrollIntoView({ block: "center" }));
  await page.evaluate(() => new Promise((done) =>
    requestAnimationFrame(() => requestAnimationFrame(done))));
  await page.click(selector, options);
}

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
        "parent-path", "cyclic-include", "missing-include", "duplicate-include",
        "exposed-include", "exposed-include", "exposed-include", "exposed-include",
        "exposed-include"]);
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
        "parent-patherror2", "undefined-nameerror0", "unreadable-fileerror0", "unused-filenote0",
        "unused-includenote0"]);
    }),

  "the findings table has one row per cause, sorts by a column and filters": (browser) =>
    withPage(browser, true, async (page) => {
      assert.deepEqual(await texts(page, "#findings-table .tbody .tr > :nth-child(4)"), [
        "shop/cart.asp:3:1", "inc/session.inc:1:1", "shop/cart.asp:6:1", "default.asp:6:1",
        "inc/config.inc", "inc/functions.inc", "inc/connection.inc", "inc/security.inc",
        "inc/session.inc"]);
      assert.deepEqual(await texts(page, "#findings-table .tbody .tr > :nth-child(6)"),
          ["2", "1", "1", "1", "1", "1", "1", "1", "1"]);
      const ascending = [
        "default.asp:6:1", "inc/config.inc", "inc/connection.inc", "inc/functions.inc",
        "inc/security.inc", "inc/session.inc", "inc/session.inc:1:1", "shop/cart.asp:3:1",
        "shop/cart.asp:6:1"];
      await click(page, "#findings-table [role=columnheader]:nth-child(4)");
      assert.deepEqual(await texts(page, "#findings-table .tbody .tr > :nth-child(4)"), ascending);
      await click(page, "#findings-table [role=columnheader]:nth-child(4)");
      assert.deepEqual(await texts(page, "#findings-table .tbody .tr > :nth-child(4)"),
          [...ascending].reverse());
      await page.type("#findings-filter", "error");
      assert.deepEqual(await texts(page, "#findings-table .tbody .tr > :first-child"),
          ["missing-include", "parent-path", "cyclic-include"]);
      assert.equal(await page.$eval("#findings-shown", (e) => e.textContent), "3 of 9 shown");
      await click(page, "#by-rule tr.note a");
      assert.equal(await page.$eval("#findings-filter", (e) => e.value), "exposed-include");
      assert.equal(await page.$eval("#findings-shown", (e) => e.textContent), "5 of 9 shown");
    }),

  "a page's tree expands and collapses on click, with the control's pictures": async (browser) =>
    withPage(browser, true, async (page) => {
      await click(page, "#page-list li:nth-child(3)");
      assert.deepEqual(await texts(page, "#tree .name"),
          ["default.asp", "header.inc", "menu.inc", "footer.inc"]);
      assert.deepEqual(await page.$$eval("#tree .pic", (found) => found.map((e) => e.className)), [
        "pic pic-ASPFile", "pic pic-IncludeFile", "pic pic-IncludeFileWarning", "pic pic-IncludeFile"]);
      await click(page, "#tree li li:first-child > .row .twisty");
      assert.deepEqual(await texts(page, "#tree .name"),
          ["default.asp", "header.inc", "menu.inc", "menu.inc", "footer.inc"]);
      assert.deepEqual(await texts(page, "#tree .flag"), ["duplicate", "duplicate"]);
      await click(page, "#tree li li:first-child > .row .name");
      assert.deepEqual(await texts(page, "#tree .name"),
          ["default.asp", "header.inc", "menu.inc", "footer.inc"]);
      await click(page, "#collapse-all");
      assert.deepEqual(await texts(page, "#tree .name"), ["default.asp"]);
      await click(page, "#page-list li:nth-child(2)");
      await click(page, "#expand-all");
      assert.deepEqual(await texts(page, "#tree .name"), [
        "login.asp", "connection.inc", "config.inc", "security.inc", "session.inc", "security.inc",
        "header.inc", "menu.inc", "footer.inc"]);
      assert.deepEqual(await texts(page, "#tree .flag"), ["circular", "duplicate"]);
      assert.equal(await page.$eval("#tree .flag", (e) => e.previousSibling.previousSibling.className),
          "pic pic-IncludeFileCritical");
      await page.hover("#tree li li:nth-child(2) li .row");
      await click(page, "#tree li li:nth-child(2) li .row .about");
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
      await click(page, "#file-search", { clickCount: 3 });
      await page.type("#file-search", "header");
      assert.deepEqual(await texts(page, "#file-list li"), ["inc/header.inc"]);
      await click(page, "#file-list li");
      assert.deepEqual(await texts(page, "#included-by li"), [
        "about.asp line 2", "account/login.asp line 5", "default.asp line 3",
        "shop/cart.asp line 4", "shop/product.asp line 3"]);
      assert.deepEqual(await texts(page, "#file-view .used-by"), ["Used by 5 of the 5 pages that include it"]);
      assert.deepEqual(await texts(page, "#idle-in li"), ["none"]);
      assert.deepEqual(await texts(page, "#includes li"), ["inc/menu.inc duplicate"]);
      await click(page, "#includes a");
      assert.equal(await page.$eval("#file-view h3", (e) => e.textContent), "inc/menu.inc");
      assert.deepEqual(await texts(page, "#included-by li"), ["default.asp line 6", "inc/header.inc line 4"]);
    }),

  "on a generated site, errors come first, then the causes that reach the most pages": (browser) =>
    withPage(browser, false, async (page) => {
      const rows = await page.$$eval("#findings-table .tbody .tr", (found) => found.map((row) =>
        [row.children[1].textContent, Number(row.children[6].textContent)]));
      const severities = ["error", "warning", "note"];
      assert.ok(rows.length > 20, rows.length + " rows");
      assert.equal(rows[0][0], "error");
      for (let i = 1; i < rows.length; i++) {
        const [severity, pages] = rows[i], [before, pagesBefore] = rows[i - 1];
        assert.ok(severities.indexOf(severity) >= severities.indexOf(before), "row " + i);
        assert.ok(severity !== before || pages <= pagesBefore, "row " + i + " reaches more pages");
      }
    }, generatedFile),

  "on a generated site, every link leads to the file or the tree it names, and back": (browser) =>
    withPage(browser, true, async (page) => {
      const broken = await page.$$eval("main a[href^='#file-'], main a[href^='#page-']", (links) => {
        const data = JSON.parse(document.getElementById("report-data").textContent);
        return links.filter((link) => {
          const [, kind, index] = /^#(file|page)-(\d+)$/.exec(link.getAttribute("href"));
          const file = kind === "file" ? index : data.pages[index] && data.pages[index][0];
          const path = data.files[file];
          return path === undefined || !link.textContent.startsWith(path);
        }).map((link) => link.outerHTML);
      });
      assert.deepEqual(broken, []);
      const place = await page.$eval("#findings-table .place a", (e) => e.textContent);
      await click(page, "#findings-table .place a");
      assert.equal(await page.$eval("#file-view h3", (e) => e.textContent), place.replace(/:.*/, ""));
      const firstPage = "#findings-table .tr > :nth-child(8) a";
      const pageName = await page.$eval(firstPage, (e) => e.textContent);
      await click(page, firstPage);
      assert.equal(await page.$eval("#page-list li.chosen", (e) => e.textContent), pageName);
      assert.equal(await page.$eval("#tree .name", (e) => e.title), pageName);
      await click(page, "#tree > li > .row .about");
      assert.equal(await page.$eval("#file-view h3", (e) => e.textContent), pageName);
      await click(page, "#by-depth tbody tr:first-child a");
      const deepest = await page.$eval("#by-depth tbody tr:first-child a", (e) => e.textContent);
      assert.equal(await page.$eval("#tree .name", (e) => e.title), deepest);
      await click(page, "#tree > li > .row .about");
      await click(page, "#file-view .tools a[href^='#page-']");
      assert.equal(await page.$eval("#tree .name", (e) => e.title), deepest);
      await page.hover("#tree li li .row");
      await click(page, "#tree li li .row .about");
      const reaching = await page.$eval("#reached-by a", (e) => e.textContent);
      await click(page, "#reached-by a");
      assert.equal(await page.$eval("#tree .name", (e) => e.title), reaching);
    }, generatedFile),

  "on a generated site, no place breaks inside its name, line and column": (browser) =>
    withPage(browser, true, async (page) => {
      for (const width of [1280, 900]) {
        await page.setViewport({ width: width, height: 900 });
        assert.equal((await page.$$("#findings-table .chunk:first-child .place .at")).length,
            (await page.$$("#findings-table .chunk:first-child .tr")).length);
        const wrapped = await page.$$eval("#findings-table .chunk:first-child .place", (cells) =>
          cells.filter((cell) => cell.querySelector(".at").getClientRects().length !== 1 ||
              cell.querySelector(".at").getBoundingClientRect().right >
                  cell.getBoundingClientRect().right + 1)
              .map((cell) => cell.textContent));
        assert.deepEqual(wrapped, [], "at " + width + " pixels");
      }
      const depths = await texts(page, "#by-depth tbody td:nth-child(2)");
      assert.deepEqual(depths, [...depths].sort((a, b) => b - a));
    }, generatedFile),

  "names from the site show as text and nothing of them runs": (browser) =>
    withPage(browser, true, async (page) => {
      assert.deepEqual(await texts(page, "#page-list li"), ["<img src=x onerror=alert(1)>.asp"]);
      assert.deepEqual(await texts(page, "#file-list li"),
          ["<img src=x onerror=alert(1)>.asp", "a & b.inc", "caf\\xE9.inc"]);
      assert.deepEqual(await texts(page, "#unused-list li"), ["\"it's\" <b>.inc"]);
      assert.deepEqual(await texts(page, "#tree .name"),
          ["<img src=x onerror=alert(1)>.asp", "caf\\xE9.inc", "a & b.inc"]);
      await click(page, "#file-list li:nth-child(3)");
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
