#!/usr/bin/python3
"""The page in a real browser, worked with real clicks, keys and taps: the model's sessions, from
file:// and from a server on 127.0.0.1, each step checked against the model; every window's texts
whole and named at every size, the fraction bar in its place, and the page as the open web meets it
(a keyboard alone, zoom, a phone, forced colours, hostile text, offline).

Usage: page_test.py PAGE HELP_HOST AXE_SCRIPT [unittest arguments]
QUARVEL_BROWSER names the engine (browser.ENGINES); QUARVEL_SESSION_SEED=N replays a session.
"""
import collections
import functools
import http.server
import os
import random
import re
import shutil
import string
import subprocess
import sys
import tempfile
import threading
import time
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

import browser
from browser import wait_for

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "model"))
import gas_law_model as model  # noqa: E402

PAGE = HELP_HOST = AXE = None
ENGINE = browser.ENGINES[os.environ.get("QUARVEL_BROWSER", "chromium")]

# The IDs the resource script and the program share, and each dialog's Tab stops (its buttons,
# fields and lists) in its template's order.
RES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "res")
with open(os.path.join(RES, "resource.h")) as header, open(os.path.join(RES, "Quarvel.rc")) as rc:
    ID = {"IDOK": 1, "IDCANCEL": 2, **{name: int(value, 0) for name, value in re.findall(
        r"^#define (ID\w+) (\w+)$", header.read(), re.M)}}
    dialogs = re.findall(r"^(\w+) DIALOG.*?^BEGIN$(.*?)^END$", rc.read(), re.M | re.S)
    TAB_STOPS = {str(ID[dialog]): [ID[a + b] for a, b in re.findall(
        r'^ *(?:DEF)?PUSHBUTTON +"[^"]*",(\w+)|^ *(?:EDITTEXT|COMBOBOX) +(\w+)', body, re.M)]
        for dialog, body in dialogs}
CALCULATOR, UNITS, ABOUT = (str(ID[n]) for n in ("IDD_QUARVEL_DIALOG", "IDD_UNITS", "IDD_ABOUTBOX"))
# A script with the resource IDs it names written as numbers.
with_ids = functools.partial(re.sub, r"\bID[A-Z_]+\b", lambda name: str(ID[name[0]]))
FIELDS = {name: ID["IDC_" + name.upper()] for name in model.INPUTS + ("result",)}
HELP_TEXT = ("Click OK to go to Online help.  If you cannot access online help from this box "
             "goto:\n https://%s")

# In every document, before its own scripts: what goes wrong in it, and the tabs it opens.
WATCH = """
window.__problems = [];
window.__opened = [];
addEventListener('securitypolicyviolation',
                 (e) => __problems.push(`policy: ${e.violatedDirective} ${e.blockedURI}`));
addEventListener('error', (e) => __problems.push(`error: ${e.message}`));
addEventListener('unhandledrejection', (e) => __problems.push(`rejected: ${e.reason}`));
window.open = (...how) => { __opened.push(how); return null; };
"""
# What went wrong, and what the page fetched: data addresses are no requests, and the site may
# fetch its own files (under the address `arguments[0]`).
PROBLEMS = """return [window.__problems, performance.getEntriesByType('resource').map((e) => e.name)
                      .filter((name) => !name.startsWith('data:') &&
                                        !(arguments[0] && name.startsWith(arguments[0])))];"""
# What the calculator window shows, in the model's words.
SCREEN = with_ids("""
const w = document.querySelector('[data-dialog="IDD_QUARVEL_DIALOG"]');
if (!w) return null;
const c = (id) => w.querySelector(`[data-control="${id}"]`);
const text = (id) => c(id).tagName === 'INPUT' ? c(id).value : c(id).textContent;
const fields = [IDC_PRESSURE, IDC_VOLUME, IDC_MOLES, IDC_TEMPERATURE, IDC_RESULT];
const list = c(IDC_SOLVE_FOR);
let shown = fields.map(text).join('|') + '|' +
            (list.selectedIndex < 0 ? '' : list.options[list.selectedIndex].textContent);
for (const id of [IDC_PRESSURE_UNIT, IDC_VOLUME_UNIT, IDC_TEMPERATURE_UNIT, IDC_EQUATION_LEFT,
                  IDC_NUMERATOR, IDC_DENOMINATOR, IDC_RESULT_LABEL, IDC_RESULT_UNIT])
  shown += '|' + text(id);
return shown + '|' + ['pressure', 'volume', 'moles', 'temperature', 'result']
    .filter((name, i) => c(fields[i]).disabled).join('');
""")
BOX = """
const b = document.querySelector('[data-dialog="box"]');
return b && [b.querySelector('[data-part=caption]').textContent,
             b.querySelector('[data-part=text]').textContent,
             [...b.querySelectorAll('.box-buttons [data-command]')].map(e => e.dataset.command)];
"""
# A control's place in the screen's CSS pixels: left, top, right, bottom.
RECT = """const r = document.querySelector(`[data-control="${arguments[0]}"]`)
                    .getBoundingClientRect();
return [r.left, r.top, r.right, r.bottom];"""
# The middle of an element, scrolled into view where it is not, in the screen's CSS pixels.
CENTRE = """arguments[0].scrollIntoView({block: 'nearest'});
const r = arguments[0].getBoundingClientRect();
return [r.left + r.width / 2, r.top + r.height / 2];"""
# What the open windows show amiss: a text cut (an engine may round a text's width up by a pixel,
# as WebKit does with a trailing space: a cut is more), a window but the calculator modeless, a
# control or caption that scrolling cannot bring whole into view, a scroll sideways, anything
# past the screen's edge; and with `arguments[0]`, the least text in CSS pixels as drawn (a
# field's 16), smaller text and targets under 44 pixels square.
AMISS = with_ids("""
const out = [], page = document.documentElement, edge = page.clientWidth, least = arguments[0];
const name = (e) => `${(e.closest('dialog') || e).dataset.dialog} ${e.dataset.control ||
                     e.className || e.tagName} "${e.textContent.slice(0, 30)}"`;
const probe = document.body.appendChild(document.createElement('span'));
probe.className = 'measure';
const width = (text, font) => { probe.style.font = font; probe.textContent = text;
                                return probe.getBoundingClientRect().width; };
for (const e of document.querySelectorAll(
         'dialog[open] :is(.static, label, button, legend, .title, .box-text, select)')) {
  const font = getComputedStyle(e).font;
  if (e.tagName === 'SELECT' ?  // the text beside the drop-down arrow
      Math.max(...[...e.options].map((o) => width(o.textContent, font))) > e.clientWidth - 20 :
      e.scrollWidth > e.clientWidth + 1 || e.scrollHeight > e.clientHeight + 0.5 ||
      (e.tagName === 'LEGEND' &&
       e.getBoundingClientRect().right > e.parentElement.getBoundingClientRect().right))
    out.push(name(e) + ' cut');
}
probe.remove();
for (const e of document.querySelectorAll(
         'dialog[open]:not([data-dialog="IDD_QUARVEL_DIALOG"]):not(:modal)'))
  out.push(name(e) + ' modeless');
if (page.scrollWidth > edge) out.push(`the page scrolls sideways: ${page.scrollWidth}`);
for (const e of document.querySelectorAll('#desktop *')) {
  const r = e.getBoundingClientRect(), style = getComputedStyle(e);
  const field = e.matches('input, select');
  if (!r.width) continue;
  if (e.scrollWidth > e.clientWidth && /auto|scroll/.test(style.overflowX))
    out.push(name(e) + ' scrolls');
  if (r.left < -0.5 || r.right > edge + 0.5) out.push(`${name(e)} at ${r.left}-${r.right}`);
  const frame = e.closest('dialog') || e;  // its scale, where a window is scaled
  const drawn = parseFloat(style.fontSize) * frame.getBoundingClientRect().width /
                frame.offsetWidth;
  if (least && (field || [...e.childNodes].some((n) => n.nodeType === 3 && n.textContent.trim())) &&
      drawn < (field ? 16 : least) * 0.99) out.push(`${name(e)} text ${drawn}`);
  if (least && e.matches('button, input, select') && (r.width < 44 || r.height < 44))
    out.push(`${name(e)} ${r.width} x ${r.height}`);
}
for (const e of document.querySelectorAll('dialog[open] :is([data-control], .caption)')) {
  for (const end of e.getClientRects().length ? ['start', 'end'] : []) {
    e.scrollIntoView({block: end, inline: end});
    const r = e.getBoundingClientRect();
    if (end === 'start' ? r.left < -0.5 || r.top < -0.5
                        : r.right > edge + 0.5 || r.bottom > page.clientHeight + 0.5)
      out.push(`${name(e)} out of reach at its ${end}`);
  }
}
scrollTo(0, 0);
return out;
""")
# Where the texts of the window in front are drawn: a field's or list's inside its frame (a list's
# left of its arrow), any other's the box of the text itself; and whether its control is disabled.
TEXTS = """
const front = document.querySelector('[data-dialog="box"]') ||
              document.querySelector('dialog:modal') || document.querySelector('dialog[open]') ||
              document.body;
const shown = [];
for (let e of front.querySelectorAll('[data-control], [data-part], [data-command]')) {
  if (e.tagName === 'FIELDSET') e = e.querySelector('legend');
  let r = e.getBoundingClientRect(), inset = [0, 0, 0, 0];
  if (!r.width || !(e.tagName === 'SELECT' || e.value || e.textContent.trim())) continue;
  if (e.matches('input, select')) {
    const s = getComputedStyle(e), edge = (side) => parseFloat(s[`border${side}Width`]) +
                                                    parseFloat(s[`padding${side}`]);
    inset = [edge('Left'), edge('Top'), -edge('Right') - (e.tagName === 'SELECT') * 20,
             -edge('Bottom')];
  } else {
    const range = document.createRange();
    range.selectNodeContents(e);
    r = range.getBoundingClientRect();
  }
  shown.push([e.dataset.control || e.dataset.part || e.dataset.command || e.textContent,
              [r.left, r.top, r.right, r.bottom].map((v, i) => (v + inset[i]) * devicePixelRatio),
              e.disabled === true]);
}
return shown;
"""

# The window in front, or what is amiss: the page stopped, a window closed under the program.
FRONT = """
if (document.querySelector('[data-failed]')) return 'stopped: ' + document.body.innerText;
if (document.querySelector('[data-ended]')) return 'the ended page';
const windows = [...document.querySelectorAll('#desktop dialog')];
const closed = windows.filter((w) => !w.open).map((w) => w.dataset.dialog);
if (closed.length) return 'closed while the program holds them: ' + closed;
const top = windows.pop();
if (!top) return 'no window';
if (top.querySelector('.menu:not([hidden])')) return 'an open menu';
return top.dataset.dialog === 'box' ? 'box: ' + top.querySelector('.box-text').textContent
                                    : top.dataset.dialog;
"""
# What people press: every letter and digit with Alt, Ctrl and Meta, F10, Alt+Space, Esc with
# every modifier, Tab both ways, Enter and the arrows; a click outside the window, and the
# browser's own close request (one the page may refuse, where the engine has it, and a close).
PRESSES = [(modifier, key) for modifier in (Keys.ALT, Keys.CONTROL, Keys.META)
           for key in string.ascii_lowercase + string.digits] + [
    ("", Keys.F10), (Keys.ALT, " "), ("", Keys.TAB), (Keys.SHIFT, Keys.TAB), ("", Keys.ENTER)] + [
    (modifier, Keys.ESCAPE) for modifier in ("", Keys.SHIFT, Keys.ALT, Keys.CONTROL, Keys.META)] + [
    ("", key) for key in (Keys.UP, Keys.DOWN, Keys.LEFT, Keys.RIGHT)] + [
    "a click outside", "the browser's close request", "the browser closing the window"]
CLOSE = """const w = [...document.querySelectorAll('dialog[open]')].pop();
if (w && arguments[0] && w.requestClose) w.requestClose(); else if (w) w.close();"""

Step = collections.namedtuple("Step", "action argument screen box bits")


def shows(d, script, expected, seconds=5):
    """What `script` answers, once it answers `expected` or the time is up."""
    wait_for(lambda: d.execute_script(script) == expected, seconds)
    return d.execute_script(script)


def steps(*random_session):
    """The scripted session, or with a seed and a length a random one."""
    lines = model.random_session(*random_session) if random_session else model.scripted_session()
    return [Step(*(line.split("\t") + [""] * 5)[:5]) for line in lines]


def start(test, url=None, first="", **how):
    """The engine, as `how` says, on the page (`url`, else from the disk), closed after the test;
    the `first` script runs in every document before the document's own."""
    page = ENGINE(**how)
    test.addCleanup(page.quit)
    page.on_every_page(WATCH + first)
    page.get(url or "file://" + PAGE)
    return page


class Server:
    """A folder, the page's unless named, served on 127.0.0.1 as any static web server would, on
    `port` (else a free one); `asked` gathers the paths asked of it."""

    def __init__(self, folder=None, port=0):
        self.folder, self.port, self.asked = folder or os.path.dirname(PAGE), port, []

    def __enter__(self):
        asked = self.asked

        class Files(http.server.SimpleHTTPRequestHandler):
            def log_request(self, *_):
                asked.append(self.path)
        self.http = http.server.ThreadingHTTPServer(
            ("127.0.0.1", self.port), functools.partial(Files, directory=self.folder))
        self.port = self.http.server_port
        threading.Thread(target=self.http.serve_forever, daemon=True).start()
        return f"http://127.0.0.1:{self.port}/"

    def __exit__(self, *exception):
        self.http.shutdown()
        self.http.server_close()


class Mouse:
    """A person at the page, in front of the calculator: the model's actions, made of a few gestures
    (press, put the focus into, choose, menu, system menu, a click behind a dialog), and what the
    page then shows. This one clicks with a mouse and types; others make the gestures their way."""

    def __init__(self, test, page):
        self.test, self.page, self.d = test, page, page.d
        self.main = self.window(CALCULATOR)

    def window(self, dialog):
        shown = wait_for(lambda: self.d.find_elements(By.CSS_SELECTOR,
                                                      f'dialog[data-dialog="{dialog}"][open]'))
        self.test.assertTrue(shown, f"the window {dialog} never came")
        return shown[0]

    def control(self, frame, id):
        return frame.find_element(By.CSS_SELECTOR, f'[data-control="{id}"]')

    def gone(self, dialog):
        self.test.assertTrue(wait_for(lambda: not self.d.find_elements(
            By.CSS_SELECTOR, f'[data-dialog="{dialog}"]')), f"dialog {dialog} stays open")

    def keys(self, *keys):
        ActionChains(self.d).send_keys(*keys).perform()

    def chord(self, modifier, key):
        ActionChains(self.d).key_down(modifier).send_keys(key).key_up(modifier).perform()

    def click(self, name):
        """A press on the calculator's control of that resource name."""
        self.press(self.control(self.main, ID[name]))

    def press(self, element):  # a click in its middle, as WebDriver's own but without its waits
        self.page.click(*self.d.execute_script(CENTRE, element))

    def into(self, frame, id):
        self.press(self.control(frame, id))

    def choose(self, frame, id, entry):
        """The list focused, and its entry clicked as WebDriver clicks one: drop-downs differ."""
        self.d.execute_script("arguments[0].focus()", self.control(frame, id))
        self.control(frame, id).find_element(By.XPATH, f'option[.="{entry}"]').click()

    def menu(self, title, item):
        self.press(self.main.find_element(By.XPATH, f'.//*[@role="menubar"]/button[.="{title}"]'))
        self.press(self.main.find_element(By.XPATH, f'./*[@role="menu"]/button[.="{item}"]'))

    def system(self, frame, command):
        """The window's close box, or the About item of its system menu."""
        if command == "close":
            return self.press(frame.find_element(By.CSS_SELECTOR, ".close-box"))
        self.press(frame.find_element(By.CSS_SELECTOR, ".system-menu"))
        self.press(frame.find_element(By.CSS_SELECTOR, '[data-command="%d"]' % ID["IDM_ABOUTBOX"]))

    def behind(self):
        """A click on the window behind a dialog or box, to which nothing may answer."""
        self.click("IDC_CALCULATE")

    def start_again(self, ended):
        self.press(ended.find_element(By.TAG_NAME, "button"))

    def Type(self, field, text):
        self.into(self.main, FIELDS[field])
        self.select_all()
        self.keys(text if text else Keys.BACK_SPACE)

    def select_all(self):
        self.chord(Keys.CONTROL, "a")

    def Solve(self, quantity):
        self.choose(self.main, ID["IDC_SOLVE_FOR"], quantity)

    def Calculate(self, by_enter):
        if not by_enter:
            return self.click("IDC_CALCULATE")
        self.into(self.main, FIELDS["result"])
        self.keys(Keys.ENTER)

    def ChangeUnits(self, picks, opens, by_menu):
        self.menu("Change Units", "Change Units") if by_menu else self.click("IDC_CHANGE_UNITS")
        if not opens:
            return
        units = self.window(UNITS)
        self.behind()
        for id, entry in zip(TAB_STOPS[UNITS][2:], picks):
            self.choose(units, id, entry)
        {"accept": lambda: self.keys(Keys.ENTER), "esc": lambda: self.keys(Keys.ESCAPE),
         "cancel": lambda: self.press(self.control(units, ID["IDCANCEL"])),
         "closebox": lambda: self.system(units, "close")}[picks[3]]()
        self.gone(UNITS)

    def Help(self, ok, by_menu):
        self.menu("Online Help", "Online Help") if by_menu else self.click("IDC_ONLINE_HELP")
        self.help = ok

    def About(self, by_menu):
        self.menu("Online Help", "About") if by_menu else self.system(self.main, "about")
        self.window(ABOUT)
        self.keys(Keys.ENTER)
        self.gone(ABOUT)

    def Tab(self):
        self.keys(Keys.TAB)

    def Paint(self):  # the bar painted again in its place (in a dark scheme: forced colours' test)
        check_bar(self.test, self.page)

    def Close(self, way):
        {"close": lambda: self.click("IDC_CLOSE"),
         "exit": lambda: self.menu("File", "Exit"), "esc": lambda: self.keys(Keys.ESCAPE),
         "closebox": lambda: self.system(self.main, "close")}[way]()

    def Closed(self, expected):
        ended = wait_for(lambda: self.d.find_elements(By.CSS_SELECTOR, "[data-ended]"),
                         5 if expected else 0)
        if ended:
            self.start_again(ended[0])
            self.main = self.window(CALCULATOR)
        return bool(ended)

    def Box(self, step):
        kind = step.box.split(":")[0]
        if kind not in ("prompt", "warning", "help"):
            box = self.d.execute_script(BOX)
            return f"a box: {box}" if box else ""
        caption, text, buttons = wait_for(lambda: self.d.execute_script(BOX)) or ("no box",) * 3
        expected = {"prompt": ("Quarvel", "Please enter a number.", ["1"]),
                    "warning": ("Warning", step.box[8:], ["1"]),
                    "help": ("Online Help", HELP_TEXT % HELP_HOST, ["1", "2"])}[kind]
        self.test.assertEqual((caption, text, buttons), expected)
        self.behind()
        answer = "1" if kind != "help" or self.help else "2"
        self.press(self.d.find_element(By.CSS_SELECTOR, f'.box-buttons [data-command="{answer}"]'))
        self.gone("box")
        if kind == "help":
            return "help:" + ("ran" if self.opened() else "none")
        if kind == "warning":
            return "warning:" + text
        focus = self.d.execute_script(
            "const a = document.activeElement; return [a.dataset.control,"
            " a.selectionStart === 0 && a.selectionEnd === a.value.length]")
        field = [name for name, id in FIELDS.items() if str(id) == focus[0]]
        return "prompt:" + field[0] if field and focus[1] else f"prompt, then the focus on {focus}"

    def opened(self):
        """Whether the page opened help's address, in a tab of its own that cannot reach back."""
        tabs = wait_for(lambda: self.d.execute_script("return window.__opened.splice(0)"),
                        2 if self.help else 0.2)
        for url, target, features in tabs:
            self.test.assertEqual((url.rstrip("/"), target), ("https://" + HELP_HOST, "_blank"))
            self.test.assertLessEqual({"noopener", "noreferrer"}, set(features.split(",")))
        return bool(tabs)

    def Screen(self, expected):
        return shows(self.d, SCREEN, expected, 2)


class Keyboard(Mouse):
    """A person with a keyboard and no mouse: Tab and Shift+Tab, arrows in lists, Enter, Esc, and
    Alt with the menus' mnemonics."""

    def focused(self):
        return self.d.execute_script("return document.activeElement.dataset.control")

    def into(self, frame, id):
        """Tabs to the control the shorter way round, skipping the disabled field."""
        order = [i for i in TAB_STOPS[frame.get_attribute("data-dialog")]
                 if self.control(frame, i).is_enabled()]
        ahead = (order.index(id) - order.index(int(self.focused()))) % len(order)
        for _ in range(min(ahead, len(order) - ahead)):
            self.keys(Keys.TAB) if ahead <= len(order) // 2 else self.chord(Keys.SHIFT, Keys.TAB)
        self.test.assertEqual(self.focused(), str(id))

    def press(self, element):  # a push button with the focus takes Enter
        if element.get_attribute("data-control"):
            frame = element.find_element(By.XPATH, "ancestor::dialog")
            self.into(frame, int(element.get_attribute("data-control")))
        for _ in range(4):  # a box's buttons
            if self.d.switch_to.active_element == element:
                break
            self.keys(Keys.TAB)
        self.test.assertEqual(self.d.switch_to.active_element, element, "Tab never reaches it")
        self.keys(Keys.ENTER)

    def choose(self, frame, id, entry):
        self.into(frame, id)
        options = [o.text for o in self.control(frame, id).find_elements(By.TAG_NAME, "option")]
        at = self.d.execute_script("return document.activeElement.selectedIndex")
        arrow = Keys.ARROW_DOWN if options.index(entry) > at else Keys.ARROW_UP
        self.chord(Keys.ALT, Keys.ARROW_DOWN)  # dropped down, the arrows choose and Enter takes
        self.keys(*[arrow] * abs(options.index(entry) - at), Keys.ENTER)

    def menu(self, title, item):
        self.chord(Keys.ALT, title[0].lower())
        self.keys("x" if item == "Exit" else item[0].lower())

    def system(self, frame, command):  # the system menu: Close, then About
        self.chord(Keys.ALT, " ")
        self.keys(*[Keys.ARROW_DOWN] * (command == "about"), Keys.ENTER)

    def behind(self):
        pass

    def start_again(self, ended):
        self.keys(Keys.ENTER)  # the button to start again has the focus


class Finger(Mouse):
    """A person at a phone: scrolls to what the mouse would click, and taps it. The page makes
    no tap wait for a second one (touch-action): the taps come as fast as the page answers."""

    def press(self, element):
        self.test.assertTrue(self.tap(element), "a tap that is no click")

    def select_all(self):  # a phone has no Ctrl+A: its menu's Select all
        self.d.execute_script("document.activeElement.select()")

    def behind(self):  # behind a dialog: no click may come of it
        self.test.assertFalse(self.tap(self.control(self.main, ID["IDC_CALCULATE"]), 0.3))

    def tap(self, element, seconds=5):
        self.page.tap(*self.d.execute_script(
            "window.clicked = false; arguments[0].addEventListener("
            "'click', () => window.clicked = true, {once: true});" + CENTRE, element))
        return wait_for(lambda: self.d.execute_script("return window.clicked"), seconds)


def replay(test, page, url, steps, origin, person=Mouse, site=""):
    page.get(url)
    at = 0
    while at < len(steps):
        step = steps[at]
        test.assertEqual(step.action, "start", f"{origin}, step {at}")
        window = person(test, page)
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
    test.assertEqual(page.d.execute_script(PROBLEMS, site), [[], []], origin)


def windows(w):
    """Every window the program shows, each kind of box, and the ended page: its name, how the
    page names it in front (FRONT), and how it is brought up from the calculator."""
    def volume(text):  # typed into, solving for pressure, whose divisor the volume is
        if w.d.execute_script(SCREEN).split("|")[5] != "Pressure":
            w.Solve("Pressure")
        w.Type("volume", text)
    return [("the calculator", CALCULATOR, lambda: None),
            ("the units dialog", UNITS, lambda: w.click("IDC_CHANGE_UNITS")),
            ("the About box", ABOUT, lambda: w.menu("Online Help", "About")),
            ("a prompt", "box: Please", lambda: (volume("x"), w.Calculate(False))),
            ("a warning", "box: Calculation", lambda: (volume("0"), w.Calculate(False))),
            ("online help's question", "box: Click", lambda: w.click("IDC_ONLINE_HELP")),
            ("the ended page", "the ended page", lambda: w.Close("closebox"))]


def bring(w, front, show):
    """The window that FRONT names `front` in front, from wherever the page is."""
    if not w.d.execute_script(FRONT).startswith(front):
        settle(w)
        show()
        w.test.assertTrue(wait_for(lambda: w.d.execute_script(FRONT).startswith(front), 5), front)


def each_window(w, check):
    """`check(name)` in every window the program shows, then the calculator again."""
    for name, front, show in windows(w):
        bring(w, front, show)
        check(name)
    settle(w)


def settle(w):
    """Back at the calculator from whatever is in front: Esc for a box, a dialog or a menu, and
    the calculator started again where it ended."""
    for _ in range(8):
        front = w.d.execute_script(FRONT)
        if front == CALCULATOR:
            w.main = w.window(CALCULATOR)  # perhaps started again by a press
            return
        if front == "the ended page":
            w.Closed(True)
        else:
            w.keys(Keys.ESCAPE)
            wait_for(lambda: w.d.execute_script(FRONT) != front, 2)
    w.test.fail(f"the calculator never came back: {w.d.execute_script(FRONT)}")


def agrees(w, where):
    """The screen and the program hold the same: each field typed into anew and Calculate pressed,
    the calculator shows what the model makes of the window the screen showed."""
    shown = w.d.execute_script(SCREEN).split("|")
    calc = model.Calculator([])
    calc.screen, calc.solved = dict(zip(FIELDS, shown[:5])), shown[5]
    calc.units = {field: unit.strip() for field, unit in zip(model.FAMILIES, shown[6:9])}
    for at, field in enumerate(FIELDS):
        if field != calc.solved.lower():
            calc.type(field, str(at + 2))
            w.Type(field, str(at + 2))
    calc.calculate()
    w.Calculate(False)
    expected = calc.lines[-1].split("\t")[2]
    w.test.assertEqual((w.Screen(expected), w.d.execute_script(BOX)), (expected, None), where)


def monkey(test, w, seed):
    """People's presses in every window the program shows: each press once in one of them, and
    the browser's close requests and a click outside in each. After each, the page answers on,
    with no error, and no window is gone that the program still holds; after each window, the
    fields the screen shows are the program's."""
    rng = random.Random(seed)
    others = [press for press in PRESSES if isinstance(press, str)]
    shuffled = rng.sample(PRESSES, len(PRESSES))
    rounds = windows(w)
    rounds.insert(-1, ("an open menu", "an open menu",
                       lambda: w.press(w.main.find_element(By.CSS_SELECTOR, ".menu-title"))))
    for k, (name, front, show) in enumerate(rounds):
        presses = shuffled[k::len(rounds)] + others
        for at, press in enumerate(rng.sample(presses, len(presses))):
            bring(w, front, show)
            where = f"seed {seed}, {name}, press {at}: {press!r}"
            if press == "a click outside":
                w.page.click(2, 2)
            elif isinstance(press, str):
                w.d.execute_script(CLOSE, press == "the browser's close request")
            elif press[0]:
                w.chord(*press)
            else:
                w.keys(press[1])
            # A window the browser closed is shown again as its close event comes, a moment later.
            amiss = lambda: re.match("stopped|closed|no window", w.d.execute_script(FRONT))  # noqa
            test.assertTrue(wait_for(lambda: not amiss(), 1),
                            f"{where}: {w.d.execute_script(FRONT)}")
            test.assertEqual(w.d.execute_script(PROBLEMS)[0], [], where)
        settle(w)
        agrees(w, f"seed {seed}, after {name}")


def bar_fault(page):
    """Where the screen shows the fraction bar, if not strictly between numerator and
    denominator, across the same share of them, in the colour of the panel's text; else ""."""
    scale = page.d.execute_script(with_ids(
        "document.querySelector('[data-control=\"IDC_NUMERATOR\"]')"
        ".scrollIntoView({block: 'center', inline: 'center'}); return devicePixelRatio"))
    numerator, denominator = (page.d.execute_script(RECT, ID[name])
                              for name in ("IDC_NUMERATOR", "IDC_DENOMINATOR"))
    width = numerator[2] - numerator[0]
    left, top = round(numerator[0] * scale), round(numerator[1] * scale)
    area = page.screenshot().crop((left, top, round((numerator[2] + 10) * scale),
                                   round(denominator[3] * scale)))
    pixels, (columns, rows) = area.load(), area.size
    histogram = area.histogram()
    background = histogram.index(max(histogram))
    ink = [[x for x in range(columns) if abs(pixels[x, y] - background) > 96]
           for y in range(rows)]
    bar = [y for y in range(rows) if len(ink[y]) > width * scale / 2]
    if not bar:
        return f"no bar between numerator {numerator} and denominator {denominator}"
    xs = [x for y in bar for x in ink[y]]
    inkiest = lambda ys: max((pixels[x, y] for y in ys for x in ink[y]),  # noqa: E731
                             key=lambda value: abs(value - background), default=background)
    text, colour = inkiest(range(bar[0])), inkiest(bar)
    found = [(left + min(xs)) / scale, (top + bar[0]) / scale, (left + max(xs) + 1) / scale,
             (top + bar[-1] + 1) / scale]
    if (numerator[3] <= found[1] and found[3] <= denominator[1] and
            abs(found[0] - numerator[0] - width * 5 / 135) <= 1.5 and
            abs(found[2] - found[0] - width * 130 / 135) <= 1.5 and
            abs(colour - text) < 64):
        return ""
    return (f"bar {found} of grey {colour} (text {text}), numerator {numerator}, "
            f"denominator {denominator}")


def check_bar(test, page):
    for _ in range(40):  # the window may paint again a moment later
        fault = bar_fault(page)
        if not fault:
            return
        time.sleep(0.05)
    test.fail(fault)


def the_seed(of):
    seed = os.environ.get("QUARVEL_SESSION_SEED") or str(random.randrange(2 ** 31))
    print(f"{of}: seed {seed} (QUARVEL_SESSION_SEED={seed} replays it)")
    return int(seed)


def the_models_sessions(length):
    seed = the_seed("The random session")
    return {"the scripted session": steps(), f"random session {seed}": steps(seed, length)}


def tab_stops_down_the_column(w):
    """How far down the window in front Tab takes the focus, going round, and the same sorted."""
    def stop():
        return w.d.execute_script(
            "const a = document.activeElement, f = a.closest('dialog');"
            "return [a.dataset.control, a.getBoundingClientRect().top -"
            "        f.getBoundingClientRect().top + f.scrollTop]")
    if not w.d.execute_script("return document.activeElement.closest('dialog')"):
        w.keys(Keys.TAB)  # into a page in a frame, which the focus has not reached
    stops = [stop()]
    while w.keys(Keys.TAB) or (at := stop())[0] != stops[0][0]:
        stops.append(at)
        w.test.assertLess(len(stops), 30, f"Tab never comes back to where it began: {stops}")
    tops = [top for _, top in stops]
    first = tops.index(min(tops))
    return tops[first:] + tops[:first], sorted(tops)


class Sessions(unittest.TestCase):
    def test_the_models_sessions_from_the_disk_and_from_a_web_server(self):
        page = start(self)
        sessions = the_models_sessions(320)
        with Server() as url:
            for origin in ("file://" + PAGE, url + os.path.basename(PAGE)):
                for name, session in sessions.items():
                    replay(self, page, origin, session, f"{name} from {origin}")


def unseen_texts(page):
    """The texts of the window in front that do not stand out from what lies around them: fewer
    than a few pixels in their place differ by more than 96 greys from the commonest there (a
    disabled control's, which need not be legible, by 16)."""
    screen, unseen = page.screenshot(), []
    for name, box, disabled in page.d.execute_script(TEXTS):
        histogram = screen.crop([round(v) for v in box]).histogram()
        ground, contrast = histogram.index(max(histogram)), 16 if disabled else 96
        if sum(histogram[:max(0, ground - contrast)]) + sum(histogram[ground + contrast + 1:]) < 4:
            unseen.append(name)
    return unseen


def axe(page):  # every rule, in every engine
    page.d.execute_script(AXE)
    return page.d.execute_async_script(
        "axe.run(document).then((r) => arguments[0](r.violations.map((v) => "
        "v.id + ': ' + v.nodes.map((n) => n.target.join(' ')).join(', '))))")


HOSTILE = ['<img src=x onerror="window.__injected=1">', "</script><script>window.__injected=1"
           "</script>", "\"'><svg onload=window.__injected=1>", "\x01\x07\x1b[31m\u202e9",
           "javascript:window.__injected=1", "{{constructor.constructor('window.__injected=1')()}}"]


class Page(unittest.TestCase):
    """Every window as it is shown, and the page as people on the open web meet it."""

    # In forced colours and in a dark scheme every text and the bar differ from what lies around
    # them on the screen, not only in the page's styles.
    def test_forced_colours_and_a_dark_scheme_leave_everything_visible(self):
        for scheme in (("forced-colors", "active"), ("prefers-color-scheme", "dark")):
            page = start(self, scheme=scheme)
            if page.schemed:
                self.assertTrue(page.d.execute_script(f"return matchMedia('({scheme[0]}: "
                                                      f"{scheme[1]})').matches"), scheme)
                unseen = []
                each_window(Mouse(self, page), lambda name: unseen.extend(unseen_texts(page)))
                self.assertEqual(unseen, [], scheme)
                check_bar(self, page)
            page.quit()

    def test_the_scripted_session_with_the_keyboard_alone(self):
        replay(self, start(self), "file://" + PAGE, steps(),
               "the scripted session with the keyboard", Keyboard)

    # Every window and menu at every size: its texts whole, modal, nothing for axe, all in reach.
    # On a phone, at 400 % zoom, and at 200 % with a 16-pixel least font, in one column: nothing
    # sideways, texts of 14 pixels or more (fields 16), targets of 44, Tab down the column. In
    # landscape with the keyboard up and on the desktop (no least text) the windows are as on the
    # desktop, a dialog taller than the screen scrolling in itself.
    def test_every_window_whole_and_modal_at_every_size_in_one_column_on_small_screens(self):
        for how, least in [({}, 0)] + ENGINE.small_screens:
            page = start(self, **how)
            w = Mouse(self, page)

            def check(name, menus=("File", "Change Units", "Online Help")):
                where = f"{name} at {how}, {page.d.execute_script('return innerWidth')} px wide"
                # The page lays out at the screen's width, in one column where it must.
                self.assertEqual(page.d.execute_script(
                    "return [innerWidth, document.documentElement.classList.contains('narrow')]"),
                    [round(how.get("width", 1100) / how.get("zoom", 1)), bool(least)], where)
                self.assertEqual(axe(page) + page.d.execute_script(AMISS, least), [], where)
                if least and name in ("the calculator", "the units dialog"):
                    self.assertEqual(*tab_stops_down_the_column(w), where)
                for title in menus if name == "the calculator" else ():
                    w.press(w.main.find_element(By.XPATH, f'.//*[@role="menubar"]/*[.="{title}"]'))
                    check(f"its menu {title}", ())
                    w.keys(Keys.ESCAPE)
            each_window(w, check)
            page.quit()

    def test_the_models_sessions_on_a_phone_with_taps(self):
        page = start(self, **ENGINE.phone)
        for name, session in the_models_sessions(120).items():
            replay(self, page, "file://" + PAGE, session, name + " on a phone", Finger)

    def test_a_monkey_of_keys_and_gestures_in_every_window(self):
        page = start(self)
        monkey(self, Mouse(self, page), the_seed("The monkey"))

    # A page that cannot start, or that stops, says so with the reason; after it nothing reaches
    # the program: Enter over help's question, behind the ended page, opens nothing.
    def test_a_page_that_cannot_start_or_stops_says_so_and_does_nothing_more(self):
        shown = "return [...document.querySelectorAll('#desktop > *')].map((e) => e.innerText)"
        page = start(self, first="WebAssembly.instantiate = () => Promise.reject(Error('refused'))")
        self.assertEqual(shows(page.d, shown, ["Quarvel could not start.\n\nrefused"]),
                         ["Quarvel could not start.\n\nrefused"])
        page = start(self)
        w = Mouse(self, page)
        w.click("IDC_ONLINE_HELP")
        self.assertTrue(wait_for(lambda: page.d.execute_script(BOX)), "help's question")
        # A fault in the page's own script: the box's buttons cannot take the focus.
        page.d.execute_script("for (const b of document.querySelectorAll('.box-buttons button'))"
                              " b.focus = null")
        w.keys(Keys.TAB)
        stopped = "Quarvel has stopped.\n\n.+ is not a function"
        said = lambda: "".join(page.d.execute_script(shown))  # noqa: E731
        self.assertRegex(wait_for(lambda: re.match(stopped, said()) and said()) or said(), stopped)
        w.keys(Keys.ENTER)
        self.assertEqual(wait_for(lambda: page.d.execute_script("return __opened.length"), 1), 0)

    # A phone's keyboard has a minus sign, a point and an "e", and nothing typed is corrected; a
    # screen reader hears the equation as a fraction, and a new result once, as the screen shows it.
    def test_what_a_phone_keyboard_and_a_screen_reader_are_given(self):
        page = start(self)
        w, d = Mouse(self, page), page.d
        self.assertEqual(d.execute_script(
            "return [...document.querySelectorAll('input')].map((e) => [e.inputMode,"
            " e.getAttribute('autocapitalize'), e.getAttribute('autocorrect'), e.spellcheck])"),
            [["text", "off", "off", False]] * len(FIELDS))
        heard = ("return document.querySelector('[role=img]:not([hidden])')"
                 "?.getAttribute('aria-label')")
        told = "return document.querySelector('[aria-live=polite]')?.textContent"
        for quantity, equation in (
                ("Pressure", "Pressure equals Moles times R times Temperature, divided by Volume"),
                ("Temperature",
                 "Temperature equals Pressure times Volume, divided by Moles times R")):
            w.Solve(quantity)
            self.assertEqual(shows(d, heard, equation), equation)
            w.Calculate(False)
            shown = d.execute_script(SCREEN).split("|")
            said = f"{quantity} = {shown[4]}{shown[-2]}"
            self.assertEqual(shows(d, told, said), said)

    # Every field, every command that reads them: the prompt comes, nothing runs, nothing is
    # added to the page but the box, the other fields keep what they hold, the page answers on.
    def test_hostile_text_is_refused_as_text_and_runs_nothing(self):
        page = start(self)
        w, d = Mouse(self, page), page.d
        count = "return document.querySelectorAll('*').length"
        commands = {"calculate": lambda: w.Calculate(False), "solve": lambda: w.Solve("Moles"),
                    "units": lambda: w.click("IDC_CHANGE_UNITS")}
        for k, field in enumerate(FIELDS):
            w.Solve("Volume" if field == "pressure" else "Pressure")  # the field open to typing
            # Each field starts one command further on: over the fields every text meets each.
            turns = list(commands.items())[k % 3:] + list(commands.items())[:k % 3]
            # Long, but whole in every engine: WebKit keeps 524,288 characters of a field's text.
            for text, (command, run) in zip(HOSTILE + ["7" * 499_999 + "<"], turns * 3):
                w.Type(field, "1")
                w.keys(Keys.BACK_SPACE)
                page.paste(text)
                before, shown = d.execute_script(count), d.execute_script(SCREEN)
                run()
                where = f"{field}, {command}: {text[:40]!r}"
                self.assertEqual((wait_for(lambda: d.execute_script(BOX)) or ["", "no box"])[1],
                                 "Please enter a number.", where)
                box = d.find_element(By.CSS_SELECTOR, "[data-dialog=box]")
                self.assertEqual(d.execute_script(count) - before,
                                 len(box.find_elements(By.CSS_SELECTOR, "*")) + 1, where)
                w.keys(Keys.ENTER)
                w.gone("box")
                self.assertEqual((d.execute_script("return window.__injected"),
                                  d.execute_script(count), d.execute_script(SCREEN)),
                                 (None, before, shown), where)
            w.Type(field, "2")  # and the page answers on
            w.Calculate(False)
            self.assertFalse(d.execute_script(BOX), field)
            self.assertRegex(d.execute_script(SCREEN).split("|")[4], r"^[0-9.e+-]+$")
        self.assertEqual(d.execute_script(PROBLEMS), [[], []])

    # The site, served under a sub-path: installable; after the first visit, the scripted session
    # with the server stopped; a corrected build of the same version, made in the site's place,
    # taken at the next start, the old cache gone. Nothing is asked outside the site, and nothing
    # breaks the policy.
    def test_the_site_installs_works_offline_and_takes_a_new_version(self):
        root = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, root)
        site = os.path.join(root, "lab", "quarvel")
        shutil.copytree(os.path.join(os.path.dirname(PAGE), "site"), site)
        page, first, second = start(self, "about:blank"), Server(root), Server(root)
        kept = lambda: page.d.execute_async_script(  # noqa: E731
            "navigator.serviceWorker.ready.then(() => caches.keys()).then(arguments[0])")
        with first as address:
            url = address + "lab/quarvel/"
            page.get(url)
            Mouse(self, page)
            self.assertIn(page.installability_errors(), ([], None))
            old = wait_for(kept)
            self.assertRegex(" / ".join(old), f"^quarvel-([0-9.]+)-[0-9a-f]{{16}} {url}$")
        replay(self, page, url, steps(), "the scripted session offline", site=url)
        sources = os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../platform/web")
        corrected = os.path.join(root, "corrected.html")
        with open(PAGE, encoding="utf-8") as built, open(corrected, "w", encoding="utf-8") as out:
            out.write(built.read().replace("<title>Quarvel</title>", "<title>Quarvel 2</title>"))
        version = re.match("quarvel-([0-9.]+)-", old[0])[1]
        subprocess.run(["/usr/bin/python3", os.path.join(sources, "make_site.py"), corrected,
                        os.path.join(sources, "sw.js"), version, site], check=True)
        second.port = first.port
        with second:
            page.get(url)  # the start that finds the corrected build
            new = wait_for(lambda: (lambda now: now != old and len(now) == 1 and now)(kept()), 20)
            self.assertTrue(new, f"the cache stays {old}")
        page.get(url)
        w = Mouse(self, page)
        w.Calculate(False)
        self.assertRegex(page.d.execute_script(SCREEN).split("|")[4], r"^[0-9.e+-]+$")
        self.assertEqual((page.d.execute_script(PROBLEMS, url), kept(), page.d.title),
                         ([[], []], new, "Quarvel 2"))
        self.assertEqual([path for path in first.asked + second.asked
                          if not path.startswith("/lab/quarvel/")], [])


if __name__ == "__main__":
    PAGE, HELP_HOST = os.path.abspath(sys.argv.pop(1)), sys.argv.pop(1)
    with open(sys.argv.pop(1), encoding="utf-8") as script:
        AXE = script.read()
    unittest.main()
