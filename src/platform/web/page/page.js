"use strict";
// The page around the game: it loads the game, fits its 1024 x 768 picture
// into the window, shows its message boxes as a dialog, starts the sound at
// the player's first click or key, and offers full screen.
(function () {
  const canvas = document.getElementById("canvas");
  const status = document.getElementById("status");
  const say = (text) => { status.textContent = text; };

  if (typeof WebAssembly !== "object" || typeof WebAssembly.instantiate !== "function" ||
      typeof DecompressionStream !== "function") {
    say("Dieser Browser ist zu alt für Klotzbrecher 3. Es läuft in jedem " +
        "aktuellen Browser (Firefox, Chrome, Edge oder Safari).");
    return;
  }

  let running = true;

  // The largest picture of the game's shape that fits; the rest stays black.
  function fit() {
    const stage = document.getElementById("buehne");
    const scale = Math.min(stage.clientWidth / 1024, stage.clientHeight / 768);
    canvas.style.width = Math.floor(1024 * scale) + "px";
    canvas.style.height = Math.floor(768 * scale) + "px";
  }
  window.addEventListener("resize", fit);
  document.addEventListener("fullscreenchange", () => {
    fit();
    if (!document.fullscreenElement && navigator.keyboard && navigator.keyboard.unlock) {
      navigator.keyboard.unlock();
    }
  });
  fit();

  // A message box of the game: the game waits until it is answered.
  function showMessage(caption, text) {
    const dialog = document.getElementById("meldung");
    const ok = document.getElementById("meldung-ok");
    document.getElementById("meldung-titel").textContent = caption;
    document.getElementById("meldung-text").textContent = text;
    if (document.pointerLockElement) document.exitPointerLock();
    dialog.hidden = false;
    ok.focus();
    return new Promise((resolve) => {
      ok.onclick = () => {
        dialog.hidden = true;
        resolve();
      };
    });
  }

  // Browsers hold sound back until the player has done something on the page.
  function wakeSound() {
    if (Module.kbAudio && Module.kbAudio.context.state !== "running") {
      Module.kbAudio.context.resume();
    }
  }
  window.addEventListener("keydown", wakeSound);
  // A hidden page is paused: the browser stops its frames, which the game
  // waits for, and the sound rests until the page shows again.
  document.addEventListener("visibilitychange", () => {
    const audio = window.Module && window.Module.kbAudio;
    if (!audio) return;
    if (document.hidden && audio.context.state === "running") {
      audio.context.suspend();
      audio.pausedHidden = true;
    } else if (!document.hidden && audio.pausedHidden) {
      audio.pausedHidden = false;
      audio.context.resume();
    }
  });

  // A touch screen: the fingers play (the game reads them from the canvas),
  // and the keys it lacks appear below the picture. A hybrid laptop shows
  // them from its first touch on.
  let touching = matchMedia("(pointer: coarse)").matches;
  function touchScreen() {
    touching = true;
    document.body.classList.add("beruehrung");
    fit();
  }
  if (touching) touchScreen();
  window.addEventListener("touchstart", () => {
    wakeSound();
    if (!document.body.classList.contains("beruehrung")) touchScreen();
  }, { capture: true, passive: true });
  // A key button holds its key while the finger is on it, as a key would be.
  for (const button of document.querySelectorAll(".taste")) {
    const key = { code: button.dataset.code, key: button.dataset.key };
    let held = false;
    const release = () => {
      if (!held) return;
      held = false;
      window.dispatchEvent(new KeyboardEvent("keyup", key));
    };
    button.addEventListener("pointerdown", (event) => {
      // No focus: a focused button would take the game's next RETURN.
      event.preventDefault();
      wakeSound();
      held = true;
      window.dispatchEvent(new KeyboardEvent("keydown", key));
    });
    for (const type of ["pointerup", "pointercancel", "pointerleave"]) button.addEventListener(type, release);
  }

  canvas.addEventListener("mousedown", () => {
    wakeSound();
    if (running && document.pointerLockElement !== canvas && canvas.requestPointerLock) {
      canvas.requestPointerLock();
    }
  });
  canvas.addEventListener("contextmenu", (event) => event.preventDefault());

  // In full screen the game may have every key, ESC and the second player's
  // CTRL with W, A, S and D among them (Keyboard Lock, where the browser has
  // it); holding ESC leaves full screen.
  document.getElementById("vollbild").addEventListener("click", async () => {
    wakeSound();
    try {
      await document.documentElement.requestFullscreen();
      if (touching) {
        if (screen.orientation && screen.orientation.lock) await screen.orientation.lock("landscape");
      } else if (navigator.keyboard && navigator.keyboard.lock) {
        await navigator.keyboard.lock();
      }
    } catch (error) {
      console.warn("Vollbild nicht möglich:", error);
    }
    if (running && !touching) canvas.requestPointerLock();
  });

  // The sound switches: the game says how they stand, and a click presses
  // their key for it, as the keyboard would.
  const switches = { musik: ["Musik", "F2"], effekte: ["Effekte", "F3"] };
  for (const [id, [name, code]] of Object.entries(switches)) {
    document.getElementById(id).addEventListener("click", (event) => {
      // Kept, the focus would make the game's next RETURN a click on it.
      event.currentTarget.blur();
      wakeSound();
      window.dispatchEvent(new KeyboardEvent("keydown", { code, key: code }));
      setTimeout(() => window.dispatchEvent(new KeyboardEvent("keyup", { code, key: code })), 150);
    });
  }
  function showSwitches(music, effects) {
    for (const [id, on] of [["musik", music], ["effekte", effects]]) {
      const [name, code] = switches[id];
      const button = document.getElementById(id);
      button.setAttribute("aria-pressed", on ? "true" : "false");
      button.textContent = `${name}: ${on ? "an" : "aus"} (${code})`;
    }
  }

  // CTRL+W closes a tab in a window, whatever the page does: the browser asks first.
  window.addEventListener("beforeunload", (event) => {
    if (!running) return;
    event.preventDefault();
    event.returnValue = "";
  });

  function stop(text) {
    running = false;
    canvas.classList.add("beendet");
    if (document.pointerLockElement) document.exitPointerLock();
    if (document.fullscreenElement) document.exitFullscreen();
    say(text);
  }

  // A board number in the address (?board=N or ?board=today) goes to the
  // game as on the command line; the game checks it.
  const board = new URLSearchParams(location.search).get("board");
  window.Module = {
    arguments: board === null ? [] : ["--board", board],
    canvas: canvas,
    kbShowMessage: showMessage,
    kbShowSwitches: showSwitches,
    kbEnded: () => stop("Klotzbrecher 3 ist beendet. Zum Weiterspielen die Seite neu laden."),
    setStatus: (text) => say(text ? "Klotzbrecher 3 wird geladen …" : ""),
    onAbort: () => stop("Klotzbrecher 3 wurde wegen eines Fehlers angehalten. Bitte die Seite neu laden."),
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
  };
  // The game's files are kept by a service worker, so that after one visit
  // the game starts without a network. On the first visit it fetches them
  // once and the page reads them through it; on a later one the page reads
  // them at once and the worker only asks whether a new build is there.
  // Without a worker (an old browser, a page not served over HTTPS) the page
  // fetches them itself.
  async function keptFiles() {
    if (!("serviceWorker" in navigator)) return;
    const registering = navigator.serviceWorker.register("sw.js");
    if (navigator.serviceWorker.controller) {
      registering.catch((error) => console.warn("Keine Prüfung auf neue Dateien:", error));
      return;
    }
    try {
      const registration = await registering;
      const worker = registration.installing || registration.waiting;
      if (!worker) return;
      await new Promise((resolve) => {
        navigator.serviceWorker.addEventListener("controllerchange", resolve, { once: true });
        worker.addEventListener("statechange", () => worker.state === "redundant" && resolve());
        if (navigator.serviceWorker.controller || worker.state === "redundant") resolve();
      });
    } catch (error) {
      console.warn("Kein Offline-Spiel:", error);
    }
  }

  // The data folder (kept unpacked by the worker, else compressed and
  // unpacked here), the game's WebAssembly and its script are fetched side
  // by side; the script runs when all are there and takes the others from
  // here.
  async function fetched(name, unpack) {
    const response = await fetch(name);
    if (!response.ok) throw new Error(`${name}: ${response.status}`);
    const body = unpack ? new Response(response.body.pipeThrough(new DecompressionStream("gzip"))) : response;
    return body.arrayBuffer();
  }
  function data() {
    const packed = () => fetched("klotzbrecher3.data.gz", true);
    return navigator.serviceWorker && navigator.serviceWorker.controller
      ? fetched("klotzbrecher3.data", false).catch(packed)
      : packed();
  }
  // The WebAssembly is compiled while the data still arrives; a server that
  // does not call it "application/wasm" only makes that a step later.
  function compiled() {
    const afterwards = () => fetched("klotzbrecher3.wasm", false).then((bytes) => WebAssembly.compile(bytes));
    return WebAssembly.compileStreaming
      ? WebAssembly.compileStreaming(fetch("klotzbrecher3.wasm")).catch(afterwards)
      : afterwards();
  }
  function script() {
    return fetched("klotzbrecher3.js", false).then((bytes) => new TextDecoder().decode(bytes));
  }
  keptFiles()
    .then(() => Promise.all([data(), compiled(), script()]))
    .then(([data, wasm, code]) => {
      Module.getPreloadedPackage = () => data;
      Module.instantiateWasm = (imports, ready) => {
        WebAssembly.instantiate(wasm, imports)
          .then((instance) => ready(instance, wasm))
          .catch((error) => Module.onAbort(error));
        return {};
      };
      const game = document.createElement("script");
      game.textContent = code;
      document.body.appendChild(game);
    })
    .catch((error) => {
      console.warn(error);
      stop("Klotzbrecher 3 konnte nicht geladen werden. Bitte die Seite neu laden.");
    });
})();
