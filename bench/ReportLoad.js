// Loads an HTML report in headless Chromium RUNS times, each in a fresh tab, and prints the
// median time from the start of the navigation to the end of its load event.
// Usage: node ReportLoad.js REPORT.html CHROMIUM RUNS
"use strict";

const path = require("node:path");
const puppeteer = require("puppeteer-core");

const [report, chromium, runs] = process.argv.slice(2);

function median(values) {
  const sorted = values.slice().sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}

(async () => {
  const browser = await puppeteer.launch({
    executablePath: chromium,
    headless: true,
    args: ["--no-sandbox", "--disable-gpu"],
  });
  const loads = [];
  for (let run = 0; run < Number(runs); run++) {
    const page = await browser.newPage();
    await page.goto("file://" + path.resolve(report), { waitUntil: "load", timeout: 120000 });
    loads.push(await page.evaluate(() => performance.getEntriesByType("navigation")[0].loadEventEnd));
    await page.close();
  }
  await browser.close();
  console.log(`${(median(loads) / 1000).toFixed(2)} s (median of ${loads.length}; ` +
      `runs ${loads.map((ms) => (ms / 1000).toFixed(2)).join(", ")})`);
})();
