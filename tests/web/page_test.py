#!/usr/bin/python3
"""The page in a real browser: Debian's Chromium, headless, worked through WebDriver with real
clicks and keys. The model's scripted session and a random one are replayed on it, from file://
and from a server on 127.0.0.1, each step checked against what the model says the window shows;
and every control's text fits, the fraction bar lies between numerator and denominator at three
scales, and online help opens its address in a tab of its own.

Usage: page_test.py PAGE HELP_HOST [unittest arguments]; QUARVEL_SESSION_SEED=N replays a session.
"""
import functools
import http.server
import io
import json
import os
import random
import sys
import threading
import time
import unittest

from PIL import Image
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "model"))
import gas_law_model as model  # noqa: E402

PAGE, HELP_HOST = (os.path.abspath(sys.argv.pop(1)), sys.argv.pop(1)) if __name__ == "__main__" \
    else (None, None)
FIELDS = {"pressure": 1004, "volume": 1005, "moles": 1006, "temperature": 1007, "result": 1008}
HELP_TEXT = ("Click OK to go to Online help.  If you cannot access online help from this box "
             "goto:\n https://%s")

# What the calculator window shows, in the model's words.
SCREEN = """
const w = document.querySelector('[data-dialog="102"]');
if (!w) return null;
const c = (id) => w.querySelector(`[data-control="${id}"]`);
const text = (id) => c(id).tagName === 'INPUT' ? c(id).value : c(id).textContent;
const fields = [1004, 1005, 1006, 1007, 1008], list = c(1003);
let shown = fields.map(text).join('|') + '|' +
            (list.selectedIndex < 0 ? '' : list.options[list.selectedIndex].textContent);
for (const id of [1017, 1018, 1019, 1011, 1012, 1013, 1016, 1020]) shown += '|' + text(id);
return shown + '|' + ['pressure', 'volume', 'moles', 'temperature', 'result']
    .filter((name, i) => c(fields[i]).disabled).join('');
"""
BOX = """
const b = document.querySelector('[data-dialog="box"]');
return b && [b.querySelector('[data-part=caption]').textContent,
             b.querySelector('[data-part=text]').textContent,
             [...b.querySelectorAll('.box-buttons [data-command]')].map(e => e.dataset.command)];
"""
# What the page asks of window.open, noted as the browser is asked (once per document).
SPY_ON_OPEN = """
if (!window.__opened) {
  const open = window.open;
  window.open = (...how) => { window.__opened = how; return open.apply(window, how); };
  window.__opened = [];
}
"""
# The bar's pixels on the window's canvas, in CSS pixels, and where the panel's texts are.
BAR = """
const w = document.querySelector('[data-dialog="102"]'), canvas = w.querySelector('canvas');
const scale = canvas.width / canvas.getBoundingClientRect().width;
const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
let rows = [], columns = [], color = null;
for (let y = 0; y < canvas.height; ++y) for (let x = 0; x < canvas.width; ++x) {
  const at = (y * canvas.width + x) * 4;
  if (data[at + 3] < 255) continue;
  rows.push(y / scale); columns.push(x / scale); color = [data[at], data[at + 1], data[at + 2]];
}
const box = (id) => {
  const r = w.querySelector(`[data-control="${id}"]`).getBoundingClientRect(),
        o = canvas.getBoundingClientRect();
  return [r.left - o.left, r.top - o.top, r.right - o.left, r.bottom - o.top];
};
const text = getComputedStyle(w.querySelector('[data-control="1012"]')).color;
return {rows: [Math.min(...rows), Math.max(...rows)], columns: [Math.min(...columns),
        Math.max(...columns)], color, text: text.match(/\\d+/g).map(Number),
        numerator: box(1012), denominator: box(1013)};
"""


def start_browser(scale=1, size="1100,760", prefs=None, phone=False):
    """Debian's Chromium, headless; `phone`: a 360 x 740 touch screen at three pixels a pixel."""
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ["--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update",
                     "--disable-sync", f"--window-size={size}",
                     f"--force-device-scale-factor={scale}"]:
        options.add_argument(argument)
    if prefs:
        options.add_experimental_option("prefs", prefs)
    if phone:
        options.add_experimental_option("mobileEmulation", {"deviceMetrics": {
            "width": 360, "height": 740, "pixelRatio": 3.0, "touch": True}})
    options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def requests(driver):
    """The addresses the page asked for since the last call; data addresses are no requests."""
    sent = [json.loads(entry["message"])["message"] for entry in driver.get_log("performance")]
    return [m["params"]["request"]["url"] for m in sent if m["method"] ==
            "Network.requestWillBeSent" and not m["params"]["request"]["url"].startswith("data:")]


def wait_for(condition, seconds=5):
    end = time.time() + seconds
    while True:
        value = condition()
        if value or time.time() > end:
            return value
        time.sleep(0.02)


class Server:
    """The page's folder served on 127.0.0.1, as any static web server would."""

    class Handler(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *arguments):
            pass

    def __enter__(self):
        handler = functools.partial(self.Handler, directory=os.path.dirname(PAGE))
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        return f"http://127.0.0.1:{self.server.server_port}/{os.path.basename(PAGE)}"

    def __exit__(self, *exception):
        self.server.shutdown()
        self.server.server_close()


class PageWindow:
    """A person at the page: acts through real clicks and keys and reads what the page shows."""

    def __init__(self, test, driver):
        self.test, self.d = test, driver
        self.main = self.window("102")

    def window(self, dialog):
        return wait_for(lambda: self.d.find_elements(By.CSS_SELECTOR,
                                                     f'dialog[data-dialog="{dialog}"][open]'))[0]

    def control(self, frame, id):
        return frame.find_element(By.CSS_SELECTOR, f'[data-control="{id}"]')

    def keys(self, *keys):
        ActionChains(self.d).send_keys(*keys).perform()

    def press(self, element):
        element.click()

    def menu(self, title, item):
        self.press(self.main.find_element(By.XPATH, f'.//*[@role="menubar"]/button[.="{title}"]'))
        self.press(self.main.find_element(By.XPATH, f'./*[@role="menu"]/button[.="{item}"]'))

    def pick(self, frame, id, entry):
        self.press(self.control(frame, id))  # the list drops down; typing chooses, Enter takes it
        self.keys(entry, Keys.ENTER)

    # A click of the mouse on the window behind a dialog or box, to which nothing may answer.
    def click_behind(self):
        x, y = self.d.execute_script("const r = arguments[0].getBoundingClientRect();"
                                     "return [r.left + r.width / 2, r.top + r.height / 2]",
                                     self.control(self.main, 1001))
        for kind in ("mousePressed", "mouseReleased"):
            self.d.execute_cdp_cmd("Input.dispatchMouseEvent", {
                "type": kind, "x": x, "y": y, "button": "left", "clickCount": 1})

    def gone(self, dialog):
        self.test.assertTrue(wait_for(lambda: not self.d.find_elements(
            By.CSS_SELECTOR, f'[data-dialog="{dialog}"]')), f"dialog {dialog} stays open")

    def Type(self, field, text):
        box = self.control(self.main, FIELDS[field])
        self.press(box)
        box.send_keys(Keys.CONTROL, "a")
        box.send_keys(text if text else Keys.BACK_SPACE)

    def Solve(self, quantity):
        self.pick(self.main, 1003, quantity)

    def Calculate(self, by_enter):
        if not by_enter:
            return self.press(self.control(self.main, 1001))
        self.press(self.control(self.main, 1008))
        self.keys(Keys.ENTER)

    def ChangeUnits(self, picks, opens, by_menu):
        self.menu("Change Units", "Change Units") if by_menu else \
            self.press(self.control(self.main, 1010))
        if not opens:
            return
        units = self.window("129")
        self.click_behind()
        for id, entry in zip((1021, 1004, 1005), picks):
            self.pick(units, id, entry)
        self.leave_units(units, picks[3])
        self.gone("129")

    def leave_units(self, units, way):
        if way in ("accept", "esc"):
            self.keys(Keys.ENTER if way == "accept" else Keys.ESCAPE)
        else:
            self.press(units.find_element(By.CSS_SELECTOR, '[data-control="2"]'
                                          if way == "cancel" else ".close-box"))

    def Help(self, ok, by_menu):
        self.menu("Online Help", "Online Help") if by_menu else \
            self.press(self.control(self.main, 1009))
        self.help = ok

    def About(self, by_menu):
        if by_menu:
            self.menu("Online Help", "About")
        else:
            self.press(self.main.find_element(By.CSS_SELECTOR, ".system-menu"))
            self.press(self.main.find_element(By.CSS_SELECTOR, '[data-command="16"]'))
        about = self.window("100")
        self.test.assertEqual(about.find_element(By.CSS_SELECTOR, "[data-part=caption]").text,
                              "About Quarvel")
        self.keys(Keys.ENTER)
        self.gone("100")

    def Tab(self):
        self.keys(Keys.TAB)

    # Another colour scheme: the window paints its bar again, in the scheme's text colour, and
    # between numerator and denominator.
    def Paint(self):
        for scheme in ("dark", "light"):
            self.d.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": [
                {"name": "prefers-color-scheme", "value": scheme}]})
            bar = wait_for(lambda: (lambda b: b if b["color"] == b["text"] else None)(
                self.d.execute_script(BAR)))
            self.test.assertTrue(bar, f"the bar is not drawn in the {scheme} text colour")
            check_bar(self.test, bar["rows"], bar["columns"], bar["numerator"],
                      bar["denominator"])

    def Close(self, way):
        if way == "close":
            self.press(self.control(self.main, 1002))
        elif way == "exit":
            self.menu("File", "Exit")
        elif way == "esc":
            self.keys(Keys.ESCAPE)
        else:
            self.press(self.main.find_element(By.CSS_SELECTOR, ".close-box"))

    def Closed(self, expected):
        ended = wait_for(lambda: self.d.find_elements(By.CSS_SELECTOR, "[data-ended]"),
                         5 if expected else 0)
        if ended:
            self.press(ended[0].find_element(By.TAG_NAME, "button"))
            self.main = self.window("102")
        return bool(ended)

    def Box(self, step):
        kind = step.box.split(":")[0]
        if kind not in ("prompt", "warning", "help"):
            box = self.d.execute_script(BOX)
            return f"a box: {box}" if box else ""
        caption, text, buttons = wait_for(lambda: self.d.execute_script(BOX))
        expected = {"prompt": ("Quarvel", "Please enter a number.", ["1"]),
                    "warning": ("Warning", step.box[8:], ["1"]),
                    "help": ("Online Help", HELP_TEXT % HELP_HOST, ["1", "2"])}[kind]
        self.test.assertEqual((caption, text, buttons), expected)
        self.click_behind()
        answer = "1" if kind != "help" or self.help else "2"
        tabs = set(self.d.window_handles)
        if kind == "help":  # the referrer the help site would get cannot be seen from here
            self.d.execute_script(SPY_ON_OPEN)
        self.press(self.d.find_element(By.CSS_SELECTOR, f'.box-buttons [data-command="{answer}"]'))
        self.gone("box")
        if kind == "help":
            return "help:" + ("ran" if self.help_tab(tabs) else "none")
        if kind == "warning":
            return "warning:" + text
        focus = self.d.execute_script(
            "const a = document.activeElement; return [a.dataset.control,"
            " a.selectionStart === 0 && a.selectionEnd === a.value.length]")
        field = [name for name, id in FIELDS.items() if str(id) == focus[0]]
        return "prompt:" + field[0] if field and focus[1] else f"prompt, then the focus on {focus}"

    # A new tab on the help site, which cannot reach back to the page.
    def help_tab(self, tabs):
        opened = wait_for(lambda: set(self.d.window_handles) - tabs, 2 if self.help else 0.2)
        if not opened:
            return False
        try:
            tab = wait_for(lambda: [t for t in self.d.execute_cdp_cmd("Target.getTargets", {})[
                "targetInfos"] if t["targetId"] in opened and t["url"]])[0]
            self.test.assertEqual(tab["url"].rstrip("/"), "https://" + HELP_HOST)
            self.test.assertFalse(tab["canAccessOpener"], "the help tab can reach the page")
            features = set(self.d.execute_script("return window.__opened[2]").split(","))
            self.test.assertLessEqual({"noopener", "noreferrer"}, features)
        finally:
            self.d.switch_to.window(opened.pop())
            self.d.close()
            self.d.switch_to.window(list(tabs)[0])
        return True

    def Screen(self, expected):
        return wait_for(lambda: (lambda shown: shown if shown == expected else None)(
            self.d.execute_script(SCREEN)), 2) or self.d.execute_script(SCREEN)

    def ResultBits(self, expected):
        return expected  # the page shows text only, which Screen compares


def screenshot(driver):
    """What the browser shows, in grey."""
    return Image.open(io.BytesIO(driver.get_screenshot_as_png())).convert("L")


def check_bar(test, rows, columns, numerator, denominator):
    """The bar lies between numerator and denominator, across the same share of them."""
    width = numerator[2] - numerator[0]
    test.assertTrue(numerator[3] <= rows[0] and rows[1] < denominator[1],
                    f"bar rows {rows}, numerator {numerator}, denominator {denominator}")
    test.assertAlmostEqual(columns[0] - numerator[0], width * 5 / 135, delta=1.5)
    test.assertAlmostEqual(columns[1] + 1 - columns[0], width * 130 / 135, delta=1.5)


def replay(test, driver, url, steps, origin, person=None):
    requests(driver)
    driver.get(url)
    at = 0
    while at < len(steps):
        step = steps[at]
        test.assertEqual(step.action, "start", f"{origin}, step {at}")
        window = (person or PageWindow)(test, driver)
        test.assertEqual(window.Screen(step.screen), step.screen, f"{origin}, step {at}")
        for at in range(at + 1, len(steps)):
            step = steps[at]
            if step.action == "start":
                break
            where = f"{origin}, step {at}: {step.action} {step.argument}"
            by_menu = at % 2 == 1
            picks = step.argument.split(",")
            name, _, text = step.argument.partition("=")
            {"type": lambda: window.Type(name, text), "solve": lambda: window.Solve(step.argument),
             "calculate": lambda: window.Calculate(False), "enter": lambda: window.Calculate(True),
             "units": lambda: window.ChangeUnits(picks, not step.box, by_menu),
             "help": lambda: window.Help(step.argument == "ok", by_menu),
             "about": lambda: window.About(by_menu), "tab": window.Tab, "paint": window.Paint,
             "close": lambda: window.Close(step.argument)}[step.action]()
            test.assertEqual(window.Box(step), step.box, where)
            closes = step.action == "close" and not step.box
            test.assertEqual(window.Closed(closes), closes, where + ": whether it closed")
            if closes:
                at += 1
                break
            test.assertEqual(window.Screen(step.screen), step.screen, where)
        else:
            at = len(steps)
    errors = [e for e in driver.get_log("browser") if e["level"] == "SEVERE"]
    test.assertEqual(errors, [], origin)  # a refusal by the page's policy would be one
    test.assertEqual(set(requests(driver)), {url}, origin)


def session(arguments):
    lines = []
    if arguments[0] == "--scripted":
        runner = model.Session()
        for step in model.SCRIPT:
            runner.do(*step)
        lines = runner.lines[:-1]
    else:
        lines = model.random_session(int(arguments[1]), int(arguments[2]))
    return [Step(*(line.split("\t") + [""] * 5)[:5]) for line in lines]


class Step:
    def __init__(self, action, argument, screen, box, bits):
        self.action, self.argument, self.screen, self.box, self.bits = \
            action, argument, screen, box, bits


class Sessions(unittest.TestCase):
    """The model's sessions, each from the disk and from a web server."""

    @classmethod
    def setUpClass(cls):
        cls.driver = start_browser()
        seed = os.environ.get("QUARVEL_SESSION_SEED") or str(random.randrange(2 ** 31))
        print(f"The random session: seed {seed} (QUARVEL_SESSION_SEED={seed} replays it)")
        cls.sessions = {"the scripted session": session(["--scripted"]),
                        f"random session {seed}": session(["--random", seed, "320"])}

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()

    def test_from_the_disk(self):
        for name, steps in self.sessions.items():
            replay(self, self.driver, "file://" + PAGE, steps, name + " from file://")

    def test_from_a_web_server(self):
        with Server() as url:
            for name, steps in self.sessions.items():
                replay(self, self.driver, url, steps, name + " from " + url)


# A control's place: left, top, width, height.
RECT = """
const e = document.querySelector('[data-control="' + arguments[0] + '"]');
return Object.values(e.getBoundingClientRect().toJSON()).slice(0, 4);
"""
# The controls whose text is cut, in the open windows.
CUT = """
const cut = [], probe = document.createElement('span');
probe.className = 'measure';
document.body.append(probe);
const width = (text, font) => { probe.style.font = font; probe.textContent = text;
                                return probe.getBoundingClientRect().width; };
for (const e of document.querySelectorAll(
         'dialog[open] :is(.static, label, button, legend, .title, .box-text, select)')) {
  const name = `${e.closest('dialog').dataset.dialog} ${e.dataset.control || e.className} ` +
               `"${e.textContent.slice(0, 30)}"`;
  const font = getComputedStyle(e).font;
  if (e.tagName === 'SELECT') {  // the text beside the drop-down arrow
    const widest = Math.max(...[...e.options].map((o) => width(o.textContent, font)));
    if (widest > e.clientWidth - 20) cut.push(name);
  } else if (e.scrollWidth > e.clientWidth + 0.5 || e.scrollHeight > e.clientHeight + 0.5 ||
             (e.tagName === 'LEGEND' &&
              e.getBoundingClientRect().right > e.parentElement.getBoundingClientRect().right)) {
    cut.push(name);
  }
}
probe.remove();
return cut;
"""


class Window(unittest.TestCase):
    """What the page shows beyond the sessions: every text whole, the tab order, the bar."""

    def setUp(self):
        self.driver = start_browser()
        self.driver.get("file://" + PAGE)
        self.window = PageWindow(self, self.driver)

    def tearDown(self):
        self.driver.quit()

    def test_every_controls_text_fits_in_every_window(self):
        w, seen = self.window, []

        def check(name):
            seen.append(name)
            self.assertEqual(self.driver.execute_script(CUT), [], name)
        check("the calculator")
        w.control(w.main, 1010).click()
        check("the units dialog")
        w.keys(Keys.ESCAPE)
        w.menu("Online Help", "About")
        w.window("100")
        check("the About box")
        w.keys(Keys.ENTER)
        for action, box in ((lambda: w.Type("volume", "x"), "prompt:volume"),
                            (lambda: w.Type("volume", "0"), "warning:"),
                            (lambda: w.Help(False, True), "help:none")):
            action()
            if box != "help:none":
                w.Calculate(False)
            wait_for(lambda: self.driver.execute_script(BOX))
            check(box)
            w.keys(Keys.ESCAPE)
            w.gone("box")
        self.assertEqual(len(seen), 6)

    def test_tab_follows_the_templates_order_and_skips_the_disabled_field(self):
        visited = []
        for _ in range(10):
            visited.append(self.driver.execute_script(
                "return document.activeElement.dataset.control"))
            self.window.Tab()
        self.assertEqual(visited, ["1001", "1002", "1003", "1005", "1006", "1007", "1008", "1009",
                                   "1010", "1001"])

    def test_the_bar_lies_between_numerator_and_denominator_at_three_scales(self):
        for scale in (1, 1.5, 2):
            driver = start_browser(scale)
            driver.get("file://" + PAGE)
            PageWindow(self, driver)
            shot = screenshot(driver)
            shot.save(os.path.join(os.path.dirname(PAGE), f"bar-at-{scale}x.png"))
            numerator, denominator = (driver.execute_script(RECT, id) for id in (1012, 1013))
            driver.quit()
            # left, top, right, bottom in device pixels; the bar: rows dark across the panel
            area = [round(v * scale) for v in (numerator[0] - 2, numerator[1],
                                                numerator[0] + numerator[2] + 10,
                                                denominator[1] + denominator[3])]
            dark = [[x for x in range(area[0], area[2]) if shot.getpixel((x, y)) < 96]
                    for y in range(area[1], area[3])]
            rows = [area[1] + i for i, xs in enumerate(dark) if len(xs) > numerator[2] * scale / 2]
            self.assertTrue(rows, f"no bar at {scale}x")
            columns = [x for y in rows for x in dark[y - area[1]]]
            check_bar(self, [rows[0] / scale, rows[-1] / scale],
                      [min(columns) / scale, (max(columns) + 1) / scale - 1],
                      [numerator[0], numerator[1], numerator[0] + numerator[2],
                       numerator[1] + numerator[3]], [0, denominator[1]])


if __name__ == "__main__":
    unittest.main()
