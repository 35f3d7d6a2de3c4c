#!/usr/bin/python3
"""The page against its floor, in one headless Chromium run, turns alternating: start-up (from
navigation to the first Calculate answered), a press (a Calculate click to the result in the
DOM, and whether it was there by the next frame), the bytes, and memory after 100 and 2,000
presses. Prints one table with the ratios beside the absolute figures.

Usage: page_bench.py QUARVEL_PAGE FLOOR_PAGE [LOADS (30)] [PRESSES (300)]
"""
import gzip
import statistics
import sys
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

GOALS = {"start-up": 1.25, "press (mean)": 1.25, "bytes (gzip -9)": 1.5}
# Where each page keeps its button, the fields a press reads and the output it writes.
PAGES = {
    "quarvel": {"button": '[data-dialog="102"] [data-control="1001"]',
                "fields": ['[data-dialog="102"] [data-control="%d"]' % id
                           for id in (1005, 1006, 1007)],
                "output": '[data-dialog="102"] [data-control="1008"]'},
    "floor": {"button": "#calculate", "fields": ["#f1", "#f2", "#f3"], "output": "#o1"},
}
# In every document: as soon as the button can be pressed, press it, and note when the result
# shows, from the start of the navigation.
START = """
window.__answered = new Promise((resolve) => {
  const press = async () => {
    const button = document.querySelector(%(button)s);
    const output = document.querySelector(%(output)s);
    // Pressed once the page's own scripts have run, as a person's press would come.
    if (!button || !output || button.pressed || document.readyState === 'loading') return;
    button.pressed = true;
    const text = () => output.value !== undefined ? output.value : output.textContent;
    const before = text();
    button.click();
    while (text() === before) await new Promise((r) => setTimeout(r));
    resolve(performance.now());
  };
  new MutationObserver(press).observe(document, {childList: true, subtree: true});
  document.addEventListener('readystatechange', press);
});
"""
# Presses with changing inputs, each timed from the click to the result in the DOM, which must be
# there by the next frame. As with a person, each field has the focus while it is typed into,
# and the button has it from the press of the mouse, before the click.
PRESSES = """
const [count, first, button, output, fields, done] = arguments;
const b = document.querySelector(button), o = document.querySelector(output);
const f = fields.map((s) => document.querySelector(s));
const text = () => o.value !== undefined ? o.value : o.textContent;
const times = [];
let late = 0;
(async () => {
  for (let i = first; i < first + count; ++i) {
    f.forEach((field, k) => {
      field.focus();
      field.value = String(1 + (i * (k + 3)) % 97);
      field.dispatchEvent(new Event('input', {bubbles: true}));
    });
    b.focus();
    await new Promise((r) => setTimeout(r));
    const before = text();
    let painted = null;
    requestAnimationFrame(() => { painted = text() !== before; });
    const start = performance.now();
    b.click();
    for (let turn = 0; text() === before && turn < 1000; ++turn) await Promise.resolve();
    while (text() === before) await new Promise((r) => setTimeout(r));
    times.push(performance.now() - start);
    while (painted === null) await new Promise((r) => requestAnimationFrame(r));
    if (!painted) ++late;
  }
  gc();
  done([times, late, HEAP8.length, performance.memory.usedJSHeapSize]);
})();
"""


def browser():
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ["--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update",
                     "--disable-sync", "--window-size=1100,760", "--js-flags=--expose-gc",
                     "--enable-precise-memory-info"]:
        options.add_argument(argument)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.set_script_timeout(600)
    return driver


def start_up(driver, url, page):
    script = driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": START % {
        "button": repr(page["button"]), "output": repr(page["output"])}})
    driver.get(url)
    answered = driver.execute_async_script("window.__answered.then(arguments[0])")
    driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", script)
    return answered


def presses(driver, page, count, first):
    return driver.execute_async_script(PRESSES, count, first, page["button"], page["output"],
                                       page["fields"])


def row(name, quarvel, floor, unit, paired=None):
    ratio = paired if paired is not None else quarvel / floor
    goal = GOALS.get(name)
    met = "" if goal is None else f"{goal:.2f}  {'met' if ratio <= goal else 'NOT met'}"
    return f"{name:<26}{quarvel:>12.3f}{floor:>12.3f}  {unit:<6}{ratio:>7.2f}   {met}"


def main(quarvel, floor, loads=30, count=300):
    pages = {"quarvel": quarvel, "floor": floor}
    driver = browser()
    starts = {name: [] for name in pages}
    for _ in range(loads):  # turns alternating
        for name, path in pages.items():
            starts[name].append(start_up(driver, "file://" + path, PAGES[name]))
    times, late, memory = {name: [] for name in pages}, dict.fromkeys(pages, 0), {}
    for name, path in pages.items():
        driver.get("file://" + path)
        time.sleep(0.5)
        memory[name] = []
        done = 0
        for block in (100, 1900):  # memory after 100 and after 2,000 presses
            result = presses(driver, PAGES[name], block, done)
            done += block
            memory[name].append(result[2:])
            late[name] += result[1]
    for round in range(6):  # timed presses, turns alternating
        for name, path in pages.items():
            driver.get("file://" + path)
            time.sleep(0.3)
            result = presses(driver, PAGES[name], count // 6 + 1, round * 1000)
            times[name] += result[0]
            late[name] += result[1]
    driver.quit()
    sizes = {name: open(path, "rb").read() for name, path in pages.items()}
    packed = {name: len(gzip.compress(data, 9)) / 1024 for name, data in sizes.items()}
    print(f"{'':<26}{'Quarvel':>12}{'floor':>12}  {'':<6}{'ratio':>7}   goal")
    print(row("start-up", statistics.median(starts["quarvel"]),
              statistics.median(starts["floor"]), "ms",
              statistics.median(q / f for q, f in zip(starts["quarvel"], starts["floor"]))))
    print(row("press (mean)", statistics.mean(times["quarvel"]),
              statistics.mean(times["floor"]), "ms"))
    print(row("bytes (gzip -9)", packed["quarvel"], packed["floor"], "KiB"))
    print(row("bytes (raw)", len(sizes["quarvel"]) / 1024, len(sizes["floor"]) / 1024, "KiB"))
    for at, label in ((0, "after 100"), (1, "after 2,000")):
        print(row(f"wasm memory {label}", memory["quarvel"][at][0] / 1024,
                  memory["floor"][at][0] / 1024, "KiB"))
        print(row(f"JS heap {label}", memory["quarvel"][at][1] / 1024,
                  memory["floor"][at][1] / 1024, "KiB"))
    print(f"start-up: {loads} loads each, median of the side-by-side ratios; presses: "
          f"{len(times['quarvel'])} and {len(times['floor'])} timed; results not painted by "
          f"the next frame: {late['quarvel']} and {late['floor']} of "
          f"{len(times['quarvel']) + 2000} and {len(times['floor']) + 2000}")
    grew = {name: memory[name][1][0] > memory[name][0][0] for name in pages}
    print("memory from 100 to 2,000 presses: WebAssembly " +
          ", ".join(f"{name} {'grew' if grew[name] else 'did not grow'}" for name in pages))
    # The JS heap moves by some KiB with the runtime's own compiled code and the timing arrays:
    # the page's heap grows only if it grows more than the floor's.
    heap = {name: (memory[name][1][1] - memory[name][0][1]) / 1024 for name in pages}
    print(f"JS heap from 100 to 2,000 presses: quarvel {heap['quarvel']:+.1f} KiB, floor "
          f"{heap['floor']:+.1f} KiB: the page's "
          f"{'grew' if heap['quarvel'] > max(heap['floor'], 0) + 64 else 'did not grow'}")


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2], *map(int, sys.argv[3:]))
