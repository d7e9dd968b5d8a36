"use strict";
// The browser version in headless Chromium, as a player meets it: the title
// picture, the main menu and a one-player match with a removal by a gamepad,
// ESC back on the keyboard, the music switched off on the page, a
// highscore won in the snake game, the graphic set changed in the options,
// and both still there after a reload, the match then played with the set,
// left by loading the page again with a board number and continued, and the
// page loaded once more without a network; then, on a phone-sized touch
// screen, a match started and a group removed by taps. Screens
// are told apart by marks of the data folder's own pictures, as the desktop
// journeys do.
// Arguments: the page's address, the browser version's data folder.
const path = require("path");
const { plugInPad, screenMarks, launchBrowser, readBmp, fail, sleep, canvasRegion, difference, waitFor, press, pressUntil,
        playerFile } =
  require(path.join(__dirname, "screen_marks.js"));

const [address, data] = process.argv.slice(2);
const marks = screenMarks(data);
const started = Date.now();

// A removal: RETURN takes the group under the cursor, which walks the
// bottom row until one is there. The stone counts beside the board change;
// returns them once they stand still (the explosion's sparks fly across
// them for a while).
const counts = [830, 314, 190, 290];
async function removeAGroup(page, commit = "Enter", right = "ArrowRight") {
  for (let step = 0; step < 16; step++) {
    const before = JSON.stringify(await canvasRegion(page, counts));
    await press(page, commit, 150);
    await sleep(800);
    let after = JSON.stringify(await canvasRegion(page, counts));
    if (after === before) {
      await press(page, right, 150);
      continue;
    }
    for (let look = 0; look < 20; look++) {
      await sleep(300);
      const now = JSON.stringify(await canvasRegion(page, counts));
      if (now === after) return now;
      after = now;
    }
    fail("the stone counts did not stand still after a removal");
  }
  fail("no group of the bottom row could be removed");
}

async function startMatch(page, commit = "Enter") {
  await press(page, commit);                  // "Spielen"
  await sleep(500);
  await press(page, commit);                  // "1 Spieler"
  await waitFor(page, marks.match);
}

// The stand-alone snake game played for one egg: the field's 16 x 16 cells
// read off the canvas, the head found as the cell that lights up, and the
// key towards the egg held (the game reads the arrow keys as levels at each
// step, and refuses a turn back on itself). Then the snake, let go, runs on
// into a wall.
async function eatOneEgg(page, eggColour) {
  const cells = () => page.evaluate(([r, g, b]) => {
    const pixels = document.getElementById("canvas").getContext("2d").getImageData(0, 0, 768, 768).data;
    const out = [];
    for (let y = 0; y < 16; y++) {
      for (let x = 0; x < 16; x++) {
        const at = ((y * 48 + 24) * 768 + x * 48 + 24) * 4;
        const [cr, cg, cb] = [pixels[at], pixels[at + 1], pixels[at + 2]];
        const egg = (cr - r) ** 2 + (cg - g) ** 2 + (cb - b) ** 2 < 300;
        out.push(egg ? "o" : cr > 15 || cg > 15 || cb > 15 ? "#" : ".");
      }
    }
    return out.join("");
  }, eggColour);
  const keys = { ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1] };
  let held = null;
  const hold = async (key) => {
    if (key === held) return;
    if (held) await page.keyboard.up(held);
    await page.keyboard.down(key);
    held = key;
  };
  let before = await cells(page);
  let head = null;
  let heading = null;
  const until = Date.now() + 60000;
  while (Date.now() < until) {
    await sleep(30);
    const now = await cells(page);
    const lit = [...now].map((c, i) => (c === "#" && before[i] !== "#" ? i : -1)).filter((i) => i >= 0);
    const egg = now.indexOf("o");
    if (lit.length === 1) {
      const next = [lit[0] % 16, Math.floor(lit[0] / 16)];
      if (head) heading = [Math.sign(next[0] - head[0]), Math.sign(next[1] - head[1])];
      if (head && before[lit[0]] === "o") {
        // Eaten: let go, and the snake runs on into a wall.
        if (held) await page.keyboard.up(held);
        return;
      }
      head = next;
    }
    before = now;
    if (!head || egg < 0) continue;
    const [ex, ey] = [egg % 16, Math.floor(egg / 16)];
    const wanted = [];
    if (ex < head[0]) wanted.push("ArrowLeft");
    if (ex > head[0]) wanted.push("ArrowRight");
    if (ey < head[1]) wanted.push("ArrowUp");
    if (ey > head[1]) wanted.push("ArrowDown");
    // Never back on itself, and never into the wall it runs towards.
    const safe = (key) => {
      const [dx, dy] = keys[key];
      if (heading && dx === -heading[0] && dy === -heading[1]) return false;
      const [nx, ny] = [head[0] + dx, head[1] + dy];
      return nx >= 0 && nx < 16 && ny >= 0 && ny < 16;
    };
    const choice = wanted.find(safe) || Object.keys(keys).find(safe);
    if (choice) await hold(choice);
  }
  fail("the snake found no egg within 60 s");
}

// A phone held sideways: taps end the title picture and start "Spielen" and
// "1 Spieler" (each the highlighted entry already); in the match a finger
// held on a stone only moves the cursor, a tap removes its group; the page's
// ESC button leaves the match.
async function playWithFingers(browser) {
  const context = await browser.newContext({ viewport: { width: 844, height: 390 }, hasTouch: true, isMobile: true });
  const page = await context.newPage();
  shownPage = page;
  await page.goto(address);
  await waitFor(page, marks.title, 60);
  const box = await page.locator("#canvas").boundingBox();
  const at = (x, y) => ({ x: box.x + (x * box.width) / 1024, y: box.y + (y * box.height) / 768 });
  const tap = async (x, y) => {
    const point = at(x, y);
    await page.touchscreen.tap(point.x, point.y);
    await sleep(300);
  };
  const cdp = await context.newCDPSession(page);
  const holdFinger = async (x, y, ms) => {
    await cdp.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: [at(x, y)] });
    await sleep(ms);
    await cdp.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
  };
  for (let attempt = 0; attempt < 10 && (await difference(page, marks.mainMenu)) > marks.mainMenu.maxDifference; attempt++) {
    await tap(512, 400);
    await sleep(700);
  }
  await waitFor(page, marks.mainMenu, 5);
  if (!(await page.isVisible("#esc")) || box.height < 320) fail(`the touch screen shows the picture ${box.width} x ${box.height} and ESC ${await page.isVisible("#esc")}`);
  await tap(512, 104);                        // "Spielen"
  await sleep(500);
  await tap(512, 290);                        // "1 Spieler"
  await waitFor(page, marks.match);
  let removed = false;
  for (let column = 0; column < 16 && !removed; column++) {
    const before = JSON.stringify(await canvasRegion(page, counts));
    await holdFinger(column * 48 + 24, 744, 600);
    await sleep(500);
    if (JSON.stringify(await canvasRegion(page, counts)) !== before) fail("a finger held on the board removed a group");
    await tap(column * 48 + 24, 744);
    await sleep(800);
    removed = JSON.stringify(await canvasRegion(page, counts)) !== before;
  }
  if (!removed) fail("no tap on the bottom row removed a group");
  await holdFinger(900, 300, 400);            // the pointer off the main menu's mark
  for (let attempt = 0; attempt < 5 && (await difference(page, marks.mainMenu)) > marks.mainMenu.maxDifference; attempt++) {
    await page.tap("#esc");
    await sleep(1500);
  }
  await waitFor(page, marks.mainMenu, 1);
  await context.close();
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

  // The first match on a gamepad: A is RETURN, the d-pad the cursor keys.
  await plugInPad(context);
  await page.goto(address);
  await waitFor(page, marks.title, 60);
  await pressUntil(page, "PadA", marks.mainMenu);

  await startMatch(page, "PadA");
  await removeAGroup(page, "PadA", "PadRight");
  // ESC leaves the match for the mode selection, and that for the main menu.
  await pressUntil(page, "Escape", marks.mainMenu);

  // The page's music switch presses F2 for the game, which shows how the
  // switches stand and keeps them in "Ton.bin".
  await page.click("#musik");
  await sleep(800);
  const switches = await playerFile(page, "Ton.bin");
  if ((await page.getAttribute("#musik", "aria-pressed")) !== "false" || !switches ||
      switches[0] !== 0 || switches[1] !== 1)
    fail(`the music switch left the button ${await page.textContent("#musik")} and Ton.bin ${JSON.stringify(switches)}`);

  // A highscore: the snake game for one egg, then a name for the table. The
  // main menu keeps its entry: "Spielen" after the match, "Snake" after this.
  for (let i = 0; i < 3; i++) await press(page, "ArrowDown");
  await press(page, "Enter");                 // "Snake"
  const egg = readBmp("Snake Grafiksets/Classic/egg.bmp");
  const middle = (24 * egg.width + 24) * 3;
  await eatOneEgg(page, Array.from(egg.rgb.slice(middle, middle + 3)));
  await waitFor(page, marks.gameOver);
  await sleep(1500);
  for (const letter of "web") {
    await press(page, `Key${letter.toUpperCase()}`);
    await sleep(300);
  }
  await press(page, "Enter");
  await waitFor(page, marks.highscores);
  await pressUntil(page, "Escape", marks.mainMenu);
  // The first entry's name, as the file keeps it: masked byte by byte.
  const firstName = (bytes) => {
    const mask = "q7w3e9r1t5y8u2i6o4p0a3s7d1f9g5h";
    let name = "";
    for (let i = 0; bytes && i < mask.length && (bytes[4 + i] ^ mask.charCodeAt(i)) !== 0; i++) {
      name += String.fromCharCode(bytes[4 + i] ^ mask.charCodeAt(i));
    }
    return name;
  };
  const named = (bytes) => firstName(bytes) === "web";
  const table = await playerFile(page, "Highscores.bin");
  if (!named(table)) fail(`Highscores.bin names "${firstName(table)}" first, not web`);

  // Optionen -> Grafikset -> "Winter" (row 5) -> RETURN -> ESC writes the file.
  await press(page, "ArrowDown");
  await press(page, "Enter");
  await waitFor(page, marks.options);
  for (let i = 0; i < 3; i++) await press(page, "ArrowDown");
  await press(page, "Enter");
  await sleep(1500);                          // the value screen's flush of a second
  for (let i = 0; i < 5; i++) await press(page, "ArrowDown");
  await press(page, "Enter");
  await waitFor(page, marks.options);
  await pressUntil(page, "Escape", marks.mainMenu);
  const saved = await playerFile(page, "Optionen.bin");
  if (!saved || saved[12] !== 5) fail(`Optionen.bin holds ${JSON.stringify(saved)}, not graphic set 5`);

  // Reloaded, the page starts the game again from the browser's own store.
  await page.reload();
  await waitFor(page, marks.title, 60);
  const kept = await playerFile(page, "Optionen.bin");
  if (!kept || kept[12] !== 5) fail(`after the reload Optionen.bin holds ${JSON.stringify(kept)}`);
  if (!named(await playerFile(page, "Highscores.bin"))) fail("after the reload the highscore is gone");
  if ((await page.textContent("#musik")) !== "Musik: aus (F2)") fail("after the reload the music is on again");
  await pressUntil(page, "Enter", marks.mainMenu);
  await startMatch(page);
  await waitFor(page, marks.winterStones, 10);

  // The page left in the middle of the match, for the same page with a board
  // number: it names the board, and after the title picture the game offers
  // the match, which RETURN continues as it stood.
  const stood = await removeAGroup(page);
  await page.goto(`${address}?board=today`);
  await waitFor(page, marks.title, 60);
  const today = new Date().toISOString().slice(0, 10).replaceAll("-", "");
  const title = await page.title();
  if (title !== `Klotzbrecher 3 - Brett ${today}` || !page.url().endsWith(`?board=${today}`))
    fail(`the page names "${title}" at ${page.url()}, not board ${today}`);
  await press(page, "Enter");
  await sleep(1000);
  await press(page, "Enter");                 // "Das unterbrochene Spiel fortsetzen?" RETURN: ja
  await waitFor(page, marks.match);
  await sleep(800);
  if (JSON.stringify(await canvasRegion(page, counts)) !== stood)
    fail("the continued match does not show the stone counts it stood at");

  // Once visited, the page plays without a network: its service worker has
  // kept the game's files.
  await page.evaluate(() => navigator.serviceWorker.ready);
  await context.setOffline(true);
  await page.goto(address);
  await waitFor(page, marks.title, 60);
  await context.setOffline(false);

  await playWithFingers(browser);
  if (problems.length > 0) fail(`the page reported errors: ${problems.join("; ")}`);
  await browser.close();
  console.log(`title, menu and a removal on a gamepad, ESC, the music switched off, a highscore and the Winter set ` +
              `kept across a reload, ` +
              `a match continued after the page was left, board ${today} named, the title offline, ` +
              `a match started and a group removed by taps ` +
              `(${Date.now() - started} ms)`);
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
