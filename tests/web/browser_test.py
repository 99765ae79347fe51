"""The browser build played in a real browser (Debian's chromium, headless),
driven over the DevTools protocol like a player: the title menu must look like
the desktop game's, the tutorial must walk, and a save written with F1 must
come back with F3 after the page was reloaded.

Usage: browser_test.py <build-web> <desktop-menu.png> <folder-for-screenshots>
"""
import base64
import json
import os
import socket
import subprocess
import sys
import tempfile
import time
import urllib.request

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "realwindow"))
from png_rows import read_png  # noqa: E402

import websocket  # noqa: E402  (Debian's python3-websocket)

SAMPLE_STEP = 4          # every 4th pixel of every 4th row is compared
SAME_COLOUR = 24         # channel difference still counted as the same colour
SAVE_FILE = "/player/data/savegame.sg"
NOTICE_SECONDS = 2.5     # a notice such as "Gespeichert" stays 2 s
KEYS_NOTICE_SECONDS = 7.5  # the notice naming the keys opens every level run for 7 s

KEYS = {  # name: (DOM key, DOM code, key code)
    "Enter": ("Enter", "Enter", 13), "Down": ("ArrowDown", "ArrowDown", 40),
    "Right": ("ArrowRight", "ArrowRight", 39), "Escape": ("Escape", "Escape", 27),
    "F1": ("F1", "F1", 112), "F3": ("F3", "F3", 114),
}

# Samples the canvas in the page, as base64 of RGB triples.
GRAB = """(() => {
  if (typeof Module === 'undefined') return null;
  const c = Module.canvas;
  if (!c || c.width < 2 || !Module.calledRun) return null;
  const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
  let s = '';
  for (let y = 0; y < c.height; y += %d) {
    const row = [];
    for (let x = 0; x < c.width; x += %d) {
      const i = (y * c.width + x) * 4;
      row.push(d[i], d[i + 1], d[i + 2]);
    }
    s += String.fromCharCode.apply(null, row);
  }
  return JSON.stringify([c.width, c.height, btoa(s), performance.now()]);
})()""" % (SAMPLE_STEP, SAMPLE_STEP)


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)
    print("ok:", message)


class Browser:
    """Chromium with a fresh profile, one page, spoken to over the DevTools socket."""

    def __init__(self, profile):
        self.process = subprocess.Popen(
            ["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--user-data-dir=" + profile, "--remote-debugging-port=0", "--window-size=1700,1000",
             "about:blank"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        port_file = os.path.join(profile, "DevToolsActivePort")
        for _ in range(300):
            if os.path.exists(port_file) and open(port_file).read().strip():
                break
            time.sleep(0.1)
        else:
            raise Failure("chromium did not start")
        port = open(port_file).read().split()[0]
        pages = json.load(urllib.request.urlopen(f"http://127.0.0.1:{port}/json/list"))
        page = next(t for t in pages if t["type"] == "page")
        self.socket = websocket.create_connection(page["webSocketDebuggerUrl"], suppress_origin=True)
        self.next_id = 0
        self.call("Page.enable")
        self.call("Emulation.setFocusEmulationEnabled", enabled=True)

    def call(self, method, **params):
        self.next_id += 1
        self.socket.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("id") == self.next_id:
                if "error" in message:
                    raise Failure(f"{method}: {message['error']}")
                return message.get("result", {})

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True)
        if "exceptionDetails" in result:
            raise Failure(f"{expression[:60]}...: {result['exceptionDetails']}")
        return result["result"].get("value")

    def key(self, name, kind):
        key, code, number = KEYS[name]
        self.call("Input.dispatchKeyEvent", type=kind, key=key, code=code,
                  windowsVirtualKeyCode=number, nativeVirtualKeyCode=number)

    def tap(self, name, pause=0.4):
        self.key(name, "keyDown")
        time.sleep(0.1)
        self.key(name, "keyUp")
        time.sleep(pause)

    def hold(self, name, seconds):
        self.key(name, "keyDown")
        time.sleep(seconds)
        self.key(name, "keyUp")

    def grab(self):
        """(pixels, ms since the page began loading) or (None, None) before the first frame."""
        value = self.evaluate(GRAB)
        if value is None:
            return None, None
        self.size = json.loads(value)[:2]
        width, height, pixels, now = json.loads(value)
        return base64.b64decode(pixels), now

    def save_png(self, path):
        data = self.evaluate("Module.canvas.toDataURL('image/png')")
        open(path, "wb").write(base64.b64decode(data.split(",", 1)[1]))
        print("screenshot:", path)

    def close(self):
        try:
            self.socket.close()
        finally:
            self.process.terminate()
            self.process.wait(timeout=10)


def reference_samples(path, width, height):
    """The samples of the canvas's area of the desktop's screenshot (its top-left part)."""
    rows, bpp = read_png(path, height)
    out = bytearray()
    for y in range(0, height, SAMPLE_STEP):
        for x in range(0, width, SAMPLE_STEP):
            out += rows[y][x * bpp:x * bpp + 3]
    return bytes(out)


def differing(a, b):
    """The share of sampled pixels whose colours differ (1.0 when the sizes differ)."""
    if a is None or b is None or len(a) != len(b):
        return 1.0
    count = sum(1 for i in range(0, len(a), 3)
                if max(abs(a[i] - b[i]), abs(a[i + 1] - b[i + 1]), abs(a[i + 2] - b[i + 2])) > SAME_COLOUR)
    return count / (len(a) // 3)


def wait_for(browser, what, predicate, seconds):
    deadline = time.time() + seconds
    while time.time() < deadline:
        pixels, now = browser.grab()
        if pixels is not None and predicate(pixels):
            return pixels, now
        time.sleep(0.1)
    raise Failure(f"waited {seconds} s for {what}")


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def start_castle(browser, menu, what):
    """"Spiel starten" from the title menu; returns the castle's first settled picture."""
    browser.tap("Down")
    browser.tap("Enter")
    wait_for(browser, what, lambda p: differing(p, menu) > 0.3, 30)
    time.sleep(1.5)
    picture, _ = browser.grab()
    return picture


def play(browser, address, reference, shots):
    menu = None

    def menu_shown(pixels):
        nonlocal menu
        if menu is None:
            menu = reference_samples(reference, *browser.size)
        return differing(pixels, menu) < 0.01

    def load_page():
        browser.call("Page.navigate", url=address)
        _, ms = wait_for(browser, "the title menu", menu_shown, 180)
        return ms

    ms = load_page()
    print(f"first menu frame {ms / 1000:.1f} s after the page began loading")
    browser.save_png(os.path.join(shots, "1-menu.png"))
    check(True, "the title menu looks like the desktop game's first menu frame")

    # Tutorial: Enter on the first entry, then a second of walking right.
    browser.tap("Enter")
    wait_for(browser, "the tutorial", lambda p: differing(p, menu) > 0.3, 30)
    time.sleep(1.5)
    before, _ = browser.grab()
    time.sleep(1)
    idle, _ = browser.grab()
    browser.hold("Right", 1)
    time.sleep(0.3)
    walked, _ = browser.grab()
    browser.save_png(os.path.join(shots, "2-tutorial-walked.png"))
    standing, moving = differing(before, idle), differing(idle, walked)
    print(f"changed pixels standing {standing:.4f}, walking {moving:.4f}")
    check(moving > max(2 * standing, 0.001), "holding Right moved the figure")
    browser.tap("Escape", 1)
    wait_for(browser, "the menu after Escape", menu_shown, 20)
    check(True, "Escape returned to the title menu")

    # "In the castle": walk, save, reload, start again, load.
    start = start_castle(browser, menu, "the castle")
    browser.save_png(os.path.join(shots, "3-castle-start.png"))
    browser.hold("Right", 1.2)
    time.sleep(0.5)
    browser.tap("F1", 1)
    browser.save_png(os.path.join(shots, "4-castle-saved.png"))
    # The picture to come back to is taken once the "Gespeichert" notice is gone:
    # the notice covers more pixels than the small figure, so a picture with it
    # would look farther from the loaded state than the level start does.
    time.sleep(NOTICE_SECONDS)
    saved, _ = browser.grab()
    for _ in range(50):
        if not browser.evaluate("Module.vnSyncBusy()"):
            break
        time.sleep(0.1)
    size = browser.evaluate(f"FS.analyzePath('{SAVE_FILE}').exists ? FS.stat('{SAVE_FILE}').size : 0")
    check(size > 0, f"F1 wrote {SAVE_FILE} ({size} bytes)")
    check(differing(start, saved) > 0.001, "the castle changed between its start and the save")

    load_page()
    kept = browser.evaluate(f"FS.analyzePath('{SAVE_FILE}').exists ? FS.stat('{SAVE_FILE}').size : 0")
    check(kept == size, "the save game outlived the page reload")
    fresh = start_castle(browser, menu, "the castle again")
    browser.save_png(os.path.join(shots, "5-castle-after-reload.png"))
    browser.hold("F3", 0.3)
    # Every level run opens with a notice naming the keys; the loaded picture is
    # taken once it has gone, as the saved one was.
    time.sleep(KEYS_NOTICE_SECONDS)
    loaded, _ = browser.grab()
    browser.save_png(os.path.join(shots, "6-castle-loaded.png"))
    away, back = differing(fresh, saved), differing(loaded, saved)
    print(f"changed pixels against the saved picture: fresh start {away:.4f}, after F3 {back:.4f}")
    check(back < away * 0.75, "F3 brought the saved level state back")


def main():
    web_dir, reference, shots = sys.argv[1:4]
    os.makedirs(shots, exist_ok=True)
    port = free_port()
    server = subprocess.Popen(["bash", os.path.join(os.path.dirname(__file__), "..", "..", "scripts", "serve-web.sh"),
                               str(port)], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    address = server.stdout.readline().split()[-1]
    print("serving", address)
    browser = None
    try:
        # Chromium's helper processes may still write into the profile as it closes.
        with tempfile.TemporaryDirectory(ignore_cleanup_errors=True) as profile:
            browser = Browser(profile)
            try:
                play(browser, address, reference, shots)
            finally:
                browser.close()
    except Failure as failure:
        print("FAIL:", failure)
        return 1
    finally:
        server.terminate()
        server.wait(timeout=10)
    print("PASS: menu, tutorial, Escape, save, reload and load in the browser")
    return 0


if __name__ == "__main__":
    sys.exit(main())
