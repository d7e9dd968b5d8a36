"use strict";
// The browser version in headless Chromium, as a player meets it: the title
// picture, the main menu, a one-player match with a removal, ESC back, the
// graphic set changed in the options and still changed after a reload, the
// match then played with it. Screens are told apart by marks of the data
// folder's own pictures, as the desktop journeys do.
// Arguments: the page's address, the browser version's data folder.
const path = require("path");
const { screenMarks, launchBrowser, fail, sleep, canvasRegion, waitFor, press, pressUntil, optionsFile } =
  require(path.join(__dirname, "screen_marks.js"));

const [address, data] = process.argv.slice(2);
const marks = screenMarks(data);
const started = Date.now();

async function startMatch(page) {
  await press(page, "Enter");                 // "Spielen"
  await sleep(500);
  await press(page, "Enter");                 // "1 Spieler"
  await waitFor(page, marks.match);
}

async function main() {
  const browser = await launchBrowser();
  const context = await browser.newContext({ viewport: { width: 1280, height: 900 } });
  const page = await context.newPage();
  shownPage = page;
  page.on("console", (message) => {
    if (message.type() === "error") console.log(`  page: ${message.text()}`);
  });
  const problems = [];
  page.on("pageerror", (error) => problems.push(error.message));
  page.on("dialog", (dialog) => dialog.accept());

  await page.goto(address);
  await waitFor(page, marks.title, 60);
  await pressUntil(page, "Enter", marks.mainMenu);

  // A removal: RETURN takes the group under the cursor, which walks the
  // bottom row until one is there. The stone counts beside the board change.
  await startMatch(page);
  const counts = [830, 314, 190, 290];
  let removed = false;
  for (let step = 0; step < 16 && !removed; step++) {
    const before = JSON.stringify(await canvasRegion(page, counts));
    await press(page, "Enter", 150);
    await sleep(800);
    removed = JSON.stringify(await canvasRegion(page, counts)) !== before;
    if (!removed) await press(page, "ArrowRight", 150);
  }
  if (!removed) fail("no group of the bottom row could be removed");
  // ESC leaves the match for the mode selection, and that for the main menu.
  await pressUntil(page, "Escape", marks.mainMenu);

  // Optionen -> Grafikset -> "Winter" (row 5) -> RETURN -> ESC writes the file.
  for (let i = 0; i < 4; i++) await press(page, "ArrowDown");
  await press(page, "Enter");
  await waitFor(page, marks.options);
  for (let i = 0; i < 3; i++) await press(page, "ArrowDown");
  await press(page, "Enter");
  await sleep(1500);                          // the value screen's flush of a second
  for (let i = 0; i < 5; i++) await press(page, "ArrowDown");
  await press(page, "Enter");
  await waitFor(page, marks.options);
  await pressUntil(page, "Escape", marks.mainMenu);
  const saved = await optionsFile(page);
  if (!saved || saved[12] !== 5) fail(`Optionen.bin holds ${JSON.stringify(saved)}, not graphic set 5`);

  // Reloaded, the page starts the game again from the browser's own store.
  await page.reload();
  await waitFor(page, marks.title, 60);
  const kept = await optionsFile(page);
  if (!kept || kept[12] !== 5) fail(`after the reload Optionen.bin holds ${JSON.stringify(kept)}`);
  await pressUntil(page, "Enter", marks.mainMenu);
  await startMatch(page);
  await waitFor(page, marks.winterStones, 10);

  if (problems.length > 0) fail(`the page reported errors: ${problems.join("; ")}`);
  await browser.close();
  console.log(`title, menu, a removal, ESC, the Winter set kept across a reload (${Date.now() - started} ms)`);
}

let shownPage = null;
main().catch(async (error) => {
  console.error(`FAIL: ${error.message}`);
  // The page as it stood, for the reader of the failure.
  if (shownPage) {
    const shot = path.join(require("os").tmpdir(), `kb-browser-failed-${process.pid}.png`);
    await shownPage.screenshot({ path: shot }).catch(() => {});
    console.error(`  the page: ${shot}`);
  }
  process.exit(1);
});
