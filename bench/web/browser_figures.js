"use strict";
// The browser version's figures in headless Chromium: the bytes a first and
// a repeat visit transfer, the time from opening the page to the title
// picture on both, the browser's processor time while the main menu stands
// idle, and the worst explosion burst of the benchmark page. The pages are
// served from here, so that every byte the browser fetches is counted, its
// service worker's too.
// Arguments: the browser build's folder, the browser version's data folder.
const fs = require("fs");
const http = require("http");
const path = require("path");
const { execFileSync } = require("child_process");
const { screenMarks, launchBrowser, sleep, difference, waitFor, pressUntil } =
  require(path.join(__dirname, "../../tests/web/screen_marks.js"));

const [root, data] = process.argv.slice(2);
const marks = screenMarks(data);

// The folder over HTTP as a plain static server sends it: no compression,
// Last-Modified, and 304 to a request whose copy is current.
const types = { ".html": "text/html", ".js": "text/javascript", ".css": "text/css", ".wasm": "application/wasm",
                ".png": "image/png", ".webmanifest": "application/manifest+json" };
// The bytes written to connections closed and to those still open.
let closed = 0;
const open = new Set();
const sent = () => closed + [...open].reduce((sum, socket) => sum + socket.bytesWritten, 0);
function serve() {
  const server = http.createServer((request, response) => {
    const address = new URL(request.url, "http://localhost");
    let file = path.join(root, decodeURIComponent(address.pathname));
    if (file.endsWith("/")) file = path.join(file, "index.html");
    fs.stat(file, (error, stat) => {
      if (error || !stat.isFile()) {
        response.writeHead(404);
        response.end();
        return;
      }
      const modified = new Date(Math.floor(stat.mtimeMs / 1000) * 1000);
      const since = Date.parse(request.headers["if-modified-since"] || "");
      if (!Number.isNaN(since) && since >= modified.getTime()) {
        response.writeHead(304);
        response.end();
        return;
      }
      response.writeHead(200, { "Content-Type": types[path.extname(file)] || "application/octet-stream",
                                "Content-Length": stat.size, "Last-Modified": modified.toUTCString() });
      fs.createReadStream(file).pipe(response);
    });
  });
  server.on("connection", (socket) => {
    open.add(socket);
    socket.on("close", () => {
      open.delete(socket);
      closed += socket.bytesWritten;
    });
  });
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () => resolve(server)));
}

// Processor time of this browser's processes (the browser, its renderer, its
// GPU and network helpers: every process this one started), in seconds.
function cpuSeconds() {
  const table = execFileSync("ps", ["-e", "-o", "pid=,ppid="]).toString().trim().split("\n")
    .map((line) => line.trim().split(/\s+/).map(Number));
  const ours = new Set([process.pid]);
  for (let grew = true; grew;) {
    grew = false;
    for (const [pid, parent] of table) {
      if (ours.has(parent) && !ours.has(pid)) {
        ours.add(pid);
        grew = true;
      }
    }
  }
  let ticks = 0;
  for (const pid of ours) {
    if (pid === process.pid) continue;
    try {
      const fields = fs.readFileSync(`/proc/${pid}/stat`, "utf8").split(") ")[1].split(" ");
      ticks += Number(fields[11]) + Number(fields[12]);
    } catch (error) {
      // ended meanwhile
    }
  }
  return ticks / 100;
}

// Opens the page and waits for the title picture: milliseconds until then.
async function openToTitle(page, address) {
  const opened = Date.now();
  await page.goto(address);
  while ((await difference(page, marks.titleCorner)) > marks.titleCorner.maxDifference) await sleep(10);
  const shown = Date.now();
  await waitFor(page, marks.title, 10);
  return shown - opened;
}

async function main() {
  const server = await serve();
  const base = `http://127.0.0.1:${server.address().port}`;
  const browser = await launchBrowser();
  const context = await browser.newContext({ viewport: { width: 1280, height: 900 } });
  let page = await context.newPage();
  const first = await openToTitle(page, `${base}/site/`);
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.close();
  const firstBytes = sent();
  page = await context.newPage();
  const repeat = await openToTitle(page, `${base}/site/`);
  await sleep(1000);
  const repeatBytes = sent() - firstBytes;
  console.log(`first visit: ${(firstBytes / 1e6).toFixed(2)} MB, title picture after ${first} ms`);
  console.log(`repeat visit: ${repeatBytes} bytes, title picture after ${repeat} ms`);

  await pressUntil(page, "Enter", marks.mainMenu);
  await sleep(3000);
  const before = cpuSeconds();
  await sleep(10000);
  const used = cpuSeconds() - before;
  console.log(`idle main menu: ${(used * 10).toFixed(1)} % of one core (browser and renderer)`);
  // The burst is timed alone, as the desktop's is: the game's page, which
  // plays its music, would otherwise share the processor with it.
  await page.close();

  const bench = await browser.newPage();
  const result = new Promise((resolve) =>
    bench.on("console", (message) => message.text().startsWith("WorstBurst") && resolve(message.text())));
  await bench.goto(`${base}/bench-site/`);
  console.log(`browser ${await result}`);
  await browser.close();
  server.close();
}

main().catch((error) => {
  console.error(`FAIL: ${error.message}`);
  process.exit(1);
});
