"use strict";
// Screens of the browser version told apart by marks of the data folder's own
// pictures, as the desktop journeys do, and keys given as a player gives them.
// Shared by the browser journey and the browser figures.
const fs = require("fs");
const path = require("path");

let dataFolder = ".";
let allMarks = {};

function fail(message) {
  throw new Error(message);
}
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// A 24-bit BMP (every picture of the browser's data folder is one) as rows of
// red, green and blue bytes, top row first.
function readBmp(file) {
  const bytes = fs.readFileSync(path.join(dataFolder, file));
  const offset = bytes.readUInt32LE(10);
  const width = bytes.readInt32LE(18);
  const height = Math.abs(bytes.readInt32LE(22));
  const bottomUp = bytes.readInt32LE(22) > 0;
  const stride = Math.ceil((width * 3) / 4) * 4;
  const rgb = new Uint8Array(width * height * 3);
  for (let y = 0; y < height; y++) {
    const row = offset + (bottomUp ? height - 1 - y : y) * stride;
    for (let x = 0; x < width; x++) {
      rgb.set([bytes[row + x * 3 + 2], bytes[row + x * 3 + 1], bytes[row + x * 3]], (y * width + x) * 3);
    }
  }
  return { width, height, rgb };
}

// What a screen shows in one place: a picture of the data folder at (x, y)
// on black, compared over the region.
function mark(name, file, at, region, maxDifference) {
  const picture = readBmp(file);
  return { name, picture, at, region, maxDifference };
}

// The marks of the screens, from the browser version's data folder (where
// every picture is a BMP).
function screenMarks(folder) {
  dataFolder = folder;
  allMarks = {
    title: mark("the title picture", "Hintergründe/Titelbild.jpg", [0, 0], [200, 200, 300, 200], 0.02),
    // A corner of it, read quickly enough to time the page's start.
    titleCorner: mark("the title picture", "Hintergründe/Titelbild.jpg", [0, 0], [300, 300, 8, 8], 0.02),
    mainMenu: mark("the main menu", "Hintergründe/Menue.jpg", [0, 0], [0, 650, 250, 118], 0.03),
    options: mark("the options", "Hintergründe/Optionen.jpg", [0, 0], [904, 688, 120, 80], 0.03),
    match: mark("the one-player match", "Buttons/Exit.bmp", [900, 710], [900, 710, 96, 48], 0.12),
    gameOver: mark("the game-over picture", "Hintergründe/Gameover.jpg", [0, 0], [120, 320, 780, 120], 0.03),
    highscores: mark("the highscore table", "Hintergründe/Highscores.jpg", [0, 0], [904, 688, 120, 80], 0.03),
    winterStones: mark("the Winter stones", "Grafiksets/Winter/stone1.bmp", [780, 314], [780, 314, 48, 48], 0.08),
  };
  return allMarks;
}

// Debian's Chromium, headless, without the background traffic that a closed
// network refuses.
function launchBrowser() {
  const { chromium } = require("playwright-core");
  return chromium.launch({
    executablePath: "/usr/bin/chromium",
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
           "--disable-background-networking", "--disable-component-update", "--disable-sync"],
  });
}

async function canvasRegion(page, [x, y, width, height]) {
  const pixels = await page.evaluate(([x, y, width, height]) => {
    const canvas = document.getElementById("canvas");
    return Array.from(canvas.getContext("2d").getImageData(x, y, width, height).data);
  }, [x, y, width, height]);
  return pixels;
}

// The normalised root mean square difference of the region against the mark.
async function difference(page, m) {
  const [x, y, width, height] = m.region;
  const shown = await canvasRegion(page, m.region);
  let sum = 0;
  for (let row = 0; row < height; row++) {
    for (let column = 0; column < width; column++) {
      const px = x + column - m.at[0];
      const py = y + row - m.at[1];
      const inside = px >= 0 && py >= 0 && px < m.picture.width && py < m.picture.height;
      for (let c = 0; c < 3; c++) {
        const expected = inside ? m.picture.rgb[(py * m.picture.width + px) * 3 + c] : 0;
        const d = shown[(row * width + column) * 4 + c] - expected;
        sum += d * d;
      }
    }
  }
  return Math.sqrt(sum / (width * height * 3)) / 255;
}

async function waitFor(page, m, seconds = 30) {
  const until = Date.now() + seconds * 1000;
  let last = 1;
  while (Date.now() < until) {
    last = await difference(page, m);
    if (last <= m.maxDifference) return;
    await sleep(200);
  }
  // Which screen stands instead, for a failure seen only in a log.
  let seen = "none of the known screens";
  for (const other of Object.values(allMarks)) {
    if ((await difference(page, other)) <= other.maxDifference) seen = other.name;
  }
  fail(`${m.name} did not show within ${seconds} s (difference ${last.toFixed(3)}; shown: ${seen})`);
}

// A key tapped: the game counts a tap once, at its next read, however short.
// A pad's button is held as a quick hand holds it: the browser's pads are
// read, not heard, about every 10 ms. Not longer: a RETURN still held when
// the mode selection has flushed the keyboard closes it again, on the pad as
// on the keyboard.
async function press(page, key, holdMs = key in padButtons ? 60 : 20) {
  await hold(page, key, true);
  await sleep(holdMs);
  await hold(page, key, false);
  await sleep(300);
}

// The stand-in pad's buttons by name, numbered as the browser's standard
// gamepad numbers them; "PadA" and so on press them as keys are pressed.
const padButtons = { PadA: 0, PadB: 1, PadX: 2, PadY: 3, PadBack: 8, PadStart: 9,
                     PadUp: 12, PadDown: 13, PadLeft: 14, PadRight: 15 };
async function hold(page, key, down) {
  if (!(key in padButtons)) return down ? page.keyboard.down(key) : page.keyboard.up(key);
  // A real pad is shown to the page at its first press, as this one is.
  return page.evaluate(([button, d]) => {
    window.kbTestPad.buttons[button].pressed = d;
    window.dispatchEvent(new Event("gamepadconnected"));
  }, [padButtons[key], down]);
}

// A gamepad the page sees as the first one plugged in: headless Chromium has
// none, so the page's navigator answers with this one, whose buttons the
// journey presses. Before the page loads.
async function plugInPad(context) {
  await context.addInitScript(() => {
    const pad = { index: 0, id: "Testpad", connected: true, mapping: "standard", axes: [0, 0, 0, 0],
                  buttons: Array.from({ length: 17 }, () => ({ pressed: false, value: 0 })) };
    window.kbTestPad = pad;
    Object.defineProperty(navigator, "getGamepads", { value: () => [pad, null, null, null] });
  });
}

// A key tapped until the screen it leads to shows: the title picture stands
// already while the game still loads, and takes RETURN only once it is ready.
async function pressUntil(page, key, m) {
  for (let attempt = 0; attempt < 10; attempt++) {
    await press(page, key);
    const until = Date.now() + 3000;
    while (Date.now() < until) {
      if ((await difference(page, m)) <= m.maxDifference) return;
      await sleep(200);
    }
  }
  await waitFor(page, m, 1);
}

// A file of the player's folder as the page holds it, or null.
async function playerFile(page, name) {
  return page.evaluate((name) => {
    try {
      return Array.from(FS.readFile("/spieler/" + name));
    } catch (error) {
      return null;
    }
  }, name);
}


module.exports = { plugInPad, screenMarks, launchBrowser, fail, sleep, readBmp, mark, canvasRegion, difference, waitFor, press,
                   pressUntil, playerFile };
