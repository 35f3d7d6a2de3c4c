#!/usr/bin/python3
"""The page as the open web meets it, in Debian's Chromium: screen readers (axe-core, accessible
names), keyboards alone, 200 % zoom with a 16-pixel least font, forced colours and a dark scheme,
a phone's screen worked with taps, and hostile text.

Usage: open_web_test.py PAGE HELP_HOST AXE_SCRIPT [unittest arguments]
"""
import io
import os
import sys
import time
import unittest

from PIL import Image, ImageChops
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

import page_test
from page_test import (BOX, CUT, FIELDS, PageWindow, replay, screenshot, session, start_browser,
                       wait_for)

AXE = None
TAB_ORDER = {"102": [1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1010],
             "129": [1022, 2, 1021, 1004, 1005]}


# Whether the smallest text shown, in CSS pixels as drawn (the window's scale included), is at
# least the browser's least font size.
LEGIBLE = """
const probe = document.createElement('span');
probe.style.fontSize = '1px';
document.body.append(probe);
const least = parseFloat(getComputedStyle(probe).fontSize);
probe.remove();
let smallest = Infinity;
for (const e of document.querySelectorAll('dialog[open] *')) {
  if (!e.matches('input, select') && ![...e.childNodes].some((n) => n.nodeType === 3)) continue;
  const style = getComputedStyle(e.closest('dialog'));
  const scale = style.transform === 'none' ? 1 : new DOMMatrix(style.transform).a;
  smallest = Math.min(smallest, parseFloat(getComputedStyle(e).fontSize) * style.zoom * scale);
}
return smallest >= least;
"""
# The controls and captions of the open windows that scrolling cannot bring fully into view.
UNREACHABLE = """
const out = [], page = document.documentElement;
for (const e of document.querySelectorAll('dialog[open] :is([data-control], .caption)')) {
  if (!e.getClientRects().length) continue;
  for (const edge of ['start', 'end']) {
    e.scrollIntoView({block: edge, inline: edge});
    const r = e.getBoundingClientRect();
    if (edge === 'start' ? r.left < -0.5 || r.top < -0.5
                         : r.right > page.clientWidth + 0.5 || r.bottom > page.clientHeight + 0.5)
      out.push(`${e.closest('dialog').dataset.dialog} ${e.dataset.control || 'caption'} ${edge}`);
  }
}
scrollTo(0, 0);
return out;
"""


def focused(driver):
    return driver.execute_script("return document.activeElement.dataset.control")


class KeyboardWindow(PageWindow):
    """A person with a keyboard and no mouse: Tab and Shift+Tab, arrows in lists, Enter, Esc, and
    Alt with the menus' mnemonics."""

    def focused(self):
        return focused(self.d)

    def reach(self, frame, id):
        """Tabs to the control the shorter way round, skipping the disabled field."""
        order = [i for i in TAB_ORDER[frame.get_attribute("data-dialog")]
                 if self.control(frame, i).is_enabled()]
        at, to = order.index(int(self.focused())), order.index(id)
        forward = (to - at) % len(order) <= len(order) // 2
        for _ in range((to - at) % len(order) if forward else (at - to) % len(order)):
            self.keys(Keys.TAB) if forward else self.chord(Keys.SHIFT, Keys.TAB)
        self.test.assertEqual(self.focused(), str(id))

    def chord(self, modifier, key):
        ActionChains(self.d).key_down(modifier).send_keys(key).key_up(modifier).perform()

    def alt(self, key):
        self.chord(Keys.ALT, key)

    def press(self, element):  # a push button with the focus takes Enter
        if element.get_attribute("data-control"):
            self.reach(self.main, int(element.get_attribute("data-control")))
        while self.d.switch_to.active_element != element:  # a box's buttons
            self.keys(Keys.TAB)
        self.keys(Keys.ENTER)

    def click_behind(self):
        pass

    def menu(self, title, item):
        self.alt(title[0].lower())
        self.keys(item[0].lower() if item != "Exit" else "x")

    def pick(self, frame, id, entry):
        self.reach(frame, id)
        options = [o.text for o in self.control(frame, id).find_elements(By.TAG_NAME, "option")]
        at = self.d.execute_script("return document.activeElement.selectedIndex")
        arrow = Keys.ARROW_DOWN if options.index(entry) > at else Keys.ARROW_UP
        self.alt(Keys.ARROW_DOWN)  # dropped down, the arrows choose and Enter takes
        self.keys(*[arrow] * abs(options.index(entry) - at), Keys.ENTER)

    def Type(self, field, text):
        self.reach(self.main, FIELDS[field])
        self.chord(Keys.CONTROL, "a")
        self.keys(text if text else Keys.BACK_SPACE)

    def Calculate(self, by_enter):
        self.reach(self.main, 1008 if by_enter else 1001)
        self.keys(Keys.ENTER)

    def leave_units(self, units, way):
        if way == "cancel":
            self.reach(units, 2)
        elif way == "closebox":  # the system menu's Close
            return self.alt(" "), self.keys(Keys.ENTER)
        self.keys(Keys.ESCAPE if way == "esc" else Keys.ENTER)

    def About(self, by_menu):
        self.menu("Online Help", "About") if by_menu else \
            (self.alt(" "), self.keys(Keys.ARROW_DOWN, Keys.ENTER))
        self.window("100")
        self.keys(Keys.ENTER)
        self.gone("100")

    def Close(self, way):
        if way == "closebox":
            return self.alt(" "), self.keys(Keys.ENTER)
        super().Close(way)

    def Box(self, step):
        if not step.box.startswith("help:none"):
            return super().Box(step)
        self.test.assertTrue(wait_for(lambda: self.d.execute_script(BOX)))
        self.keys(Keys.ESCAPE)
        self.gone("box")
        return "help:none"

    def Closed(self, expected):
        ended = wait_for(lambda: self.d.find_elements(By.CSS_SELECTOR, "[data-ended]"),
                         5 if expected else 0)
        if ended:
            self.keys(Keys.ENTER)  # the button to start again has the focus
            self.main = self.window("102")
        return bool(ended)


class PhoneWindow(PageWindow):
    """A person at a phone: taps where the mouse would click, no faster than a double tap."""

    def press(self, element):
        self.test.assertTrue(self.tap(element), "a tap that is no click")

    def click_behind(self):  # behind a dialog: no click may come of it
        self.test.assertFalse(self.tap(self.control(self.main, 1001), 0.3))

    def tap(self, element, seconds=5):
        time.sleep(max(0, getattr(self, "tapped", 0) + 0.4 - time.time()))
        box = self.d.execute_script(
            "const e = arguments[0], r = e.getBoundingClientRect(); window.clicked = false;"
            "e.addEventListener('click', () => window.clicked = true, {once: true});"
            "return [r.left + r.width / 2, r.top + r.height / 2]", element)
        for kind, points in (("touchStart", [{"x": box[0], "y": box[1]}]), ("touchEnd", [])):
            self.d.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": kind,
                                                                "touchPoints": points})
        self.tapped = time.time()
        return wait_for(lambda: self.d.execute_script("return window.clicked"), seconds)


def axe(driver):
    driver.execute_script(AXE)
    return driver.execute_async_script(
        "axe.run(document).then((r) => arguments[0](r.violations.map((v) => "
        "v.id + ': ' + v.nodes.map((n) => n.target.join(' ')).join(', '))))")


def accessible(driver, selector):
    """The role, name and description a screen reader is given for the element."""
    root = driver.execute_cdp_cmd("DOM.getDocument", {})["root"]["nodeId"]
    node = driver.execute_cdp_cmd("DOM.querySelector", {"nodeId": root, "selector": selector})
    info = driver.execute_cdp_cmd("Accessibility.getPartialAXTree",
                                  {"nodeId": node["nodeId"], "fetchRelatives": False})["nodes"][0]
    return [info.get(key, {}).get("value", "") for key in ("role", "name", "description")]


class Accessible(unittest.TestCase):
    def setUp(self):
        self.driver = start_browser()
        self.driver.get("file://" + page_test.PAGE)
        self.window = PageWindow(self, self.driver)

    def tearDown(self):
        self.driver.quit()

    def test_axe_finds_nothing_in_any_window(self):
        w, found = self.window, {}
        found["calculator"] = axe(self.driver)
        w.press(w.control(w.main, 1010))
        found["units"] = axe(self.driver)
        w.keys(Keys.ESCAPE)
        w.menu("Online Help", "About")
        found["about"] = axe(self.driver)
        w.keys(Keys.ENTER)
        w.Type("volume", "x")
        w.Calculate(False)
        wait_for(lambda: self.driver.execute_script(BOX))
        found["box"] = axe(self.driver)
        w.keys(Keys.ENTER)
        w.Type("volume", "2")
        w.Close("close")
        wait_for(lambda: self.driver.find_elements(By.CSS_SELECTOR, "[data-ended]"))
        found["ended"] = axe(self.driver)
        self.assertEqual(found, dict.fromkeys(found, []))

    def test_names_descriptions_and_the_focus_in_dialogs(self):
        w, d = self.window, self.driver
        named = {id: accessible(d, f'[data-dialog="102"] [data-control="{id}"]')[1:]
                 for id in (1003, 1004, 1005, 1006, 1007, 1008)}
        self.assertEqual(named, {1003: ["Select Parameter To Solve", ""],
                                 1004: ["Pressure =", "atm"], 1005: ["Volume =", "L"],
                                 1006: ["Moles =", "mol"], 1007: ["Temperature =", "K"],
                                 1008: ["Pressure =", "atm"]})
        w.press(w.control(w.main, 1010))  # modal: the focus goes in, stays in, and comes back
        units = w.window("129")
        self.assertTrue(d.execute_script("return arguments[0].matches(':modal')", units))
        for _ in range(6):
            self.assertTrue(d.execute_script("return arguments[0].contains(document.activeElement)",
                                             units))
            w.keys(Keys.TAB)
        self.assertEqual(accessible(d, '[data-dialog="129"] [data-control="1021"]')[1],
                         "Pressure in")
        w.keys(Keys.ESCAPE)
        w.gone("129")
        self.assertEqual(focused(d), "1010")
        w.press(w.control(w.main, 1009))
        said = " ".join((page_test.HELP_TEXT % page_test.HELP_HOST).split())  # as a reader says it
        self.assertEqual(accessible(d, '[data-dialog="box"]'), ["alertdialog", "Online Help", said])
        self.assertEqual(d.execute_script("return document.activeElement.textContent"), "OK")
        w.keys(Keys.ESCAPE)
        w.gone("box")
        self.assertEqual(focused(d), "1009")

    def test_the_scripted_session_with_the_keyboard_alone(self):
        replay(self, self.driver, "file://" + page_test.PAGE, session(["--scripted"]),
               "the scripted session with the keyboard", KeyboardWindow)

    # The browser's own zoom at 200 % (its level is in steps of 1.2) and the user's least font
    # size: the window no longer fits, may not shrink, and all of it is reached by scrolling.
    def test_at_200_percent_zoom_with_a_16_pixel_least_font(self):
        self.driver.quit()
        self.driver = d = start_browser(prefs={"webkit.webprefs.minimum_font_size": 16,
                                               "partition.default_zoom_level": {"x": 3.80178}})
        d.get("file://" + page_test.PAGE)
        self.window = w = PageWindow(self, d)
        self.assertAlmostEqual(d.execute_script("return devicePixelRatio"), 2, 2)
        self.assertEqual((d.execute_script(CUT), d.execute_script(LEGIBLE),
                          d.execute_script(UNREACHABLE)), ([], True, []))
        w.press(w.control(w.main, 1010))
        self.assertEqual((d.execute_script(CUT), d.execute_script(UNREACHABLE)), ([], []))
        w.keys(Keys.ESCAPE)
        w.gone("129")
        replay(self, self.driver, "file://" + page_test.PAGE, session(["--scripted"]),
               "the scripted session at 200 % with 16-pixel text")

    # In forced colours and in a dark scheme every control, every text and the bar differ from
    # what lies around them on the screen, not only in the page's styles: in the calculator, the
    # units dialog and a message box.
    def test_forced_colours_and_a_dark_scheme_leave_everything_visible(self):
        d, w = self.driver, self.window
        for feature, value in (("forced-colors", "active"), ("prefers-color-scheme", "dark")):
            d.execute_cdp_cmd("Emulation.setEmulatedMedia",
                              {"features": [{"name": feature, "value": value}]})
            wait_for(lambda: False, 0.5)  # the window paints again
            shot = screenshot(d)
            shot.save(os.path.join(os.path.dirname(page_test.PAGE), f"{feature}.png"))
            faint = []
            for element in d.find_elements(By.CSS_SELECTOR, "[data-control]"):
                box = element.rect
                area = shot.crop((box["x"] + 1, box["y"] + 1, box["x"] + box["width"] - 1,
                                  box["y"] + box["height"] - 1))
                low, high = area.getextrema()
                if high - low < 96:
                    faint.append(element.get_attribute("data-control"))
            numerator, denominator = (w.rect for w in d.find_elements(
                By.CSS_SELECTOR, '[data-control="1012"], [data-control="1013"]'))
            low, high = shot.crop((numerator["x"], numerator["y"] + numerator["height"],
                                   numerator["x"] + numerator["width"], denominator["y"])
                                  ).getextrema()
            unseen = unseen_texts(d)
            w.press(w.control(w.main, 1010))
            unseen += unseen_texts(d)
            w.keys(Keys.ESCAPE)
            w.Type("volume", "x")
            w.Calculate(False)
            wait_for(lambda: d.execute_script(BOX))
            unseen += unseen_texts(d)
            w.keys(Keys.ENTER)
            w.gone("box")
            w.Type("volume", "1")
            self.assertEqual((faint, high - low >= 96, unseen), ([], True, []), value)


# The texts of the window in front, emptied (hide) or given back, with where they are.
TEXTS = """
const hide = arguments[0];
const front = document.querySelector('[data-dialog="box"]') ||
              document.querySelector('dialog:modal') || document.querySelector('dialog[open]');
const shown = [];
for (let e of front.querySelectorAll('[data-control], [data-part], [data-command]')) {
  if (e.tagName === 'FIELDSET') e = e.querySelector('legend');
  const r = e.getBoundingClientRect();
  if (!r.width) continue;  // an item of a closed menu
  if (e.tagName === 'INPUT' || e.tagName === 'SELECT') {
    const property = e.tagName === 'INPUT' ? 'value' : 'selectedIndex';
    if (hide) [e.kept, e[property]] = [e[property], e.tagName === 'INPUT' ? '' : -1];
    else if ('kept' in e) e[property] = e.kept;
  } else if (hide && e.textContent.trim()) {
    e.kept = [...e.childNodes];
    e.replaceChildren();
  } else if (!hide && e.kept) {
    e.replaceChildren(...e.kept);
  }
  if ('kept' in e && !(e.tagName === 'INPUT' && !e.kept)) {
    shown.push([e.dataset.control || e.dataset.part || e.dataset.command || e.textContent,
                [r.left, r.top, r.right, r.bottom].map(Math.round)]);
  }
  if (!hide) delete e.kept;
}
return shown;
"""


def unseen_texts(driver):
    """The texts of the window in front that leave the screen as it was when they are taken away."""
    before = screenshot(driver)
    texts = driver.execute_script(TEXTS, True)
    after = screenshot(driver)
    driver.execute_script(TEXTS, False)
    return [name for name, box in texts
            if ImageChops.difference(before.crop(box), after.crop(box)).getbbox() is None]


class Phone(unittest.TestCase):
    def test_the_window_fits_a_phone_and_the_scripted_session_passes_with_taps(self):
        driver = start_browser(phone=True)
        self.addCleanup(driver.quit)
        driver.get("file://" + page_test.PAGE)
        PageWindow(self, driver)
        fit = driver.execute_script("return [document.documentElement.scrollWidth <= innerWidth,"
                                    " innerWidth]") + [driver.execute_script(LEGIBLE)]
        self.assertEqual(fit, [True, 360, True])
        Image.open(io.BytesIO(driver.get_screenshot_as_png())).save(
            os.path.join(os.path.dirname(page_test.PAGE), "phone.png"))
        replay(self, driver, "file://" + page_test.PAGE, session(["--scripted"]),
               "the scripted session on a phone", PhoneWindow)


HOSTILE = ['<img src=x onerror="window.__injected=1">', "</script><script>window.__injected=1"
           "</script>", "\"'><svg onload=window.__injected=1>", "\x01\x07\x1b[31m\u202e9",
           "javascript:window.__injected=1", "{{constructor.constructor('window.__injected=1')()}}"]


class LockedDown(unittest.TestCase):
    # Every field, every command that reads them: the prompt comes, nothing runs, nothing is
    # added to the page but the box, the other fields keep what they hold, the page answers on.
    def test_hostile_text_is_refused_as_text_and_runs_nothing(self):
        d = start_browser()
        self.addCleanup(d.quit)
        d.get("file://" + page_test.PAGE)
        w = PageWindow(self, d)
        count = "return document.querySelectorAll('*').length"
        million = "7" * 999_999 + "<"
        commands = {"calculate": lambda: w.Calculate(False), "solve": lambda: w.Solve("Moles"),
                    "units": lambda: w.press(w.control(w.main, 1010))}
        for k, field in enumerate(FIELDS):
            w.Solve("Volume" if field == "pressure" else "Pressure")  # the field open to typing
            # The commands start one further on in each field: over the fields every text meets
            # every command.
            turns = list(commands.items())[k % 3:] + list(commands.items())[:k % 3]
            for text, (command, run) in zip(HOSTILE + [million], turns * 3):
                w.Type(field, "1")
                w.keys(Keys.BACK_SPACE)
                d.execute_cdp_cmd("Input.insertText", {"text": text})  # pasted
                before, shown = d.execute_script(count), d.execute_script(page_test.SCREEN)
                run()
                where = f"{field}, {command}: {text[:40]!r}"
                self.assertEqual(wait_for(lambda: d.execute_script(BOX))[1],
                                 "Please enter a number.", where)
                box = d.find_element(By.CSS_SELECTOR, "[data-dialog=box]")
                self.assertEqual(d.execute_script(count) - before,
                                 len(box.find_elements(By.CSS_SELECTOR, "*")) + 1, where)
                w.keys(Keys.ENTER)
                w.gone("box")
                self.assertEqual((d.execute_script("return window.__injected"),
                                  d.execute_script(count), d.execute_script(page_test.SCREEN)),
                                 (None, before, shown), where)
            w.Type(field, "2")  # and the page answers on
            w.Calculate(False)
            self.assertFalse(d.execute_script(BOX), field)
            self.assertRegex(d.execute_script(page_test.SCREEN).split("|")[4], r"^[0-9.e+-]+$")


if __name__ == "__main__":
    page_test.PAGE, page_test.HELP_HOST = os.path.abspath(sys.argv.pop(1)), sys.argv.pop(1)
    with open(sys.argv.pop(1), encoding="utf-8") as script:
        AXE = script.read()
    unittest.main()
