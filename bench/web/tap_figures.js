"use strict";
// How the browser version takes quick clicks and taps, given with Playwright's
// mouse and keyboard in headless Chromium as the desktop figures give them
// with xdotool: DOWN taps of 40 and 90 ms in the main menu, then clicks held
// 30 to 150 ms on a group in a one-player match, each followed by the undo
// key (which brings the score back only when the click committed once).
// Arguments: the game's address, the browser version's data folder, tries.
const path = require("path");
const { screenMarks, launchBrowser, readBmp, sleep, canvasRegion, waitFor, press, pressUntil } =
  require(path.join(__dirname, "../../tests/web/screen_marks.js"));

const [address, data, triesText] = process.argv.slice(2);
const tries = Number(triesText || 15);
const marks = screenMarks(data);

// The page scales the picture; the game's pointer follows the mouse's motion
// in the picture's pixels and stops at the picture's edges.
async function pointer(page) {
  const box = await page.locator("#canvas").boundingBox();
  const scale = box.width / 1024;
  let at = null;
  return async (x, y) => {
    if (!at) {
      await page.mouse.move(box.x + box.width - 1, box.y + box.height - 1);
      await page.mouse.move(box.x, box.y, { steps: 4 });
      at = [0, 0];
      await sleep(200);
    }
    await page.mouse.move(box.x + x * scale, box.y + y * scale, { steps: 2 });
    at = [x, y];
    await sleep(200);
  };
}

async function hold(down, up, ms) {
  await down();
  await sleep(ms);
  await up();
}

const same = (a, b) => a.length === b.length && a.every((v, i) => v === b[i]);

// The main menu's entries as drawn, and which one stands highlighted: the one
// whose highlighted picture matches the canvas best.
const entries = [["menue01", 381, 60], ["menue02", 266, 130], ["menue03", 388, 225],
                 ["menue04", 175, 295], ["menue05", 311, 385], ["menue06", 336, 460], ["menue07", 323, 530]];
async function highlighted(page) {
  let best = -1;
  let bestScore = -1;
  for (let i = 0; i < entries.length; i++) {
    const [name, x, y] = entries[i];
    const lit = readBmp(`Menüs/${name}a.bmp`);
    const plain = readBmp(`Menüs/${name}.bmp`);
    const shown = await canvasRegion(page, [x, y, lit.width, lit.height]);
    let score = 0;
    for (let p = 0; p < lit.width * lit.height; p++) {
      const l = lit.rgb.slice(p * 3, p * 3 + 3);
      const n = plain.rgb.slice(p * 3, p * 3 + 3);
      if (same(Array.from(l), Array.from(n))) continue;
      const s = shown.slice(p * 4, p * 4 + 3);
      score += same(Array.from(l), s) ? 1 : same(Array.from(n), s) ? -1 : 0;
    }
    if (score > bestScore) {
      bestScore = score;
      best = i;
    }
  }
  return best;
}

async function main() {
  const browser = await launchBrowser();
  const page = await browser.newPage({ viewport: { width: 1280, height: 900 } });
  page.on("dialog", (dialog) => dialog.accept());
  await page.goto(address);
  await waitFor(page, marks.title, 60);
  await pressUntil(page, "Enter", marks.mainMenu);
  await sleep(500);

  for (const ms of [40, 90]) {
    let exact = 0;
    for (let i = 0; i < tries; i++) {
      await hold(() => page.keyboard.down("ArrowDown"), () => page.keyboard.up("ArrowDown"), ms);
      await sleep(400);
      if ((await highlighted(page)) === 1) exact++;
      await hold(() => page.keyboard.down("ArrowUp"), () => page.keyboard.up("ArrowUp"), 700);
      await sleep(300);
    }
    console.log(`menu tap ${ms} ms: ${exact} of ${tries} moved the highlight exactly one entry`);
  }

  await press(page, "Enter");                 // "Spielen"
  await sleep(500);
  await press(page, "Enter");                 // "1 Spieler"
  await waitFor(page, marks.match);
  await sleep(1500);
  const moveTo = await pointer(page);
  const score = [880, 180, 140, 16];
  // A cell of a group of two or more plain stones, from the stones' own pictures.
  const colours = [1, 2, 3, 4].map((n) => {
    const stone = readBmp(`Grafiksets/Classic/stone${n}.bmp`);
    const middle = (24 * stone.width + 24) * 3;
    return Array.from(stone.rgb.slice(middle, middle + 3));
  });
  async function findGroup() {
    const pixels = await canvasRegion(page, [0, 0, 768, 768]);
    const cell = (c, r) => {
      const at = ((r * 48 + 24) * 768 + c * 48 + 24) * 4;
      const rgb = pixels.slice(at, at + 3);
      return colours.findIndex((k) => k.every((v, i) => Math.abs(v - rgb[i]) < 12));
    };
    for (let r = 15; r >= 0; r--) {
      for (let c = 0; c < 16; c++) {
        const k = cell(c, r);
        if (k < 0) continue;
        if ((c < 15 && cell(c + 1, r) === k) || (r > 0 && cell(c, r - 1) === k)) return [c, r];
      }
    }
    return null;
  }
  for (const ms of [30, 40, 60, 100, 150]) {
    let once = 0;
    let more = 0;
    let lost = 0;
    for (let i = 0; i < tries; i++) {
      await moveTo(1000, 740);
      await sleep(1500);
      const target = await findGroup();
      if (!target) throw new Error("no group left to click");
      const before = await canvasRegion(page, score);
      await moveTo(target[0] * 48 + 24, target[1] * 48 + 24);
      await hold(() => page.mouse.down(), () => page.mouse.up(), ms);
      await sleep(1200);
      const after = await canvasRegion(page, score);
      await hold(() => page.keyboard.down("ControlRight"), () => page.keyboard.up("ControlRight"), 150);
      await sleep(1500);
      const undone = await canvasRegion(page, score);
      if (same(after, before)) lost++;
      else if (same(undone, before)) once++;
      else more++;
    }
    console.log(`click ${ms} ms: ${once} of ${tries} removed their group once, ${more} more than once, ` +
                `${lost} nothing`);
  }
  await browser.close();
}

main().catch((error) => {
  console.error(`FAIL: ${error.message}`);
  process.exit(1);
});
