"use strict";
// The browser version's figures in headless Chromium: the time from opening
// the page to the title picture, the browser's processor time while the main
// menu stands idle, and the worst explosion burst of the benchmark page.
// Arguments: the game's address, the benchmark page's address, the browser
// version's data folder.
const fs = require("fs");
const path = require("path");
const { execFileSync } = require("child_process");
const { screenMarks, launchBrowser, sleep, difference, waitFor, pressUntil } =
  require(path.join(__dirname, "../../tests/web/screen_marks.js"));

const [gameAddress, benchAddress, data] = process.argv.slice(2);
const marks = screenMarks(data);

// Processor time of every Chromium process (the browser, its renderer, its
// GPU and network helpers), in seconds: only the measured one runs.
function cpuSeconds() {
  const pids = execFileSync("ps", ["-C", "chromium", "-o", "pid="]).toString().trim().split(/\s+/);
  let ticks = 0;
  for (const pid of pids) {
    try {
      const fields = fs.readFileSync(`/proc/${pid}/stat`, "utf8").split(") ")[1].split(" ");
      ticks += Number(fields[11]) + Number(fields[12]);
    } catch (error) {
      // ended meanwhile
    }
  }
  return ticks / 100;
}

async function main() {
  const browser = await launchBrowser();
  const page = await browser.newPage({ viewport: { width: 1280, height: 900 } });
  const opened = Date.now();
  await page.goto(gameAddress);
  while ((await difference(page, marks.titleCorner)) > marks.titleCorner.maxDifference) await sleep(10);
  const shown = Date.now();
  await waitFor(page, marks.title, 10);
  console.log(`page opened to title picture: ${shown - opened} ms`);
  await pressUntil(page, "Enter", marks.mainMenu);
  await sleep(3000);
  const before = cpuSeconds();
  await sleep(10000);
  const used = cpuSeconds() - before;
  console.log(`idle main menu: ${(used * 10).toFixed(1)} % of one core (browser and renderer)`);

  const bench = await browser.newPage();
  const result = new Promise((resolve) =>
    bench.on("console", (message) => message.text().startsWith("WorstBurst") && resolve(message.text())));
  await bench.goto(benchAddress);
  console.log(`browser ${await result}`);
  await browser.close();
}

main().catch((error) => {
  console.error(`FAIL: ${error.message}`);
  process.exit(1);
});
