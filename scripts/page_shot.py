#!/usr/bin/python3
"""Takes a picture of the page in headless Chromium once the program's window is up: the program
starts only after its WebAssembly is compiled, which on a busy machine can take seconds, so the
picture waits for the window rather than for a fixed time. With "phone" the screen is a touch
screen of WIDTH x HEIGHT CSS pixels at two device pixels each, as the page's tests emulate one.
The picture holds the whole page, however far below the screen it reaches.

Usage: page_shot.py PAGE PICTURE WIDTH HEIGHT [phone]
"""
import base64
import sys
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By


def main(page, picture, width, height, phone=None):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update",
                     "--disable-sync", "--hide-scrollbars", f"--window-size={width},{height}"):
        options.add_argument(argument)
    if phone:
        options.add_experimental_option("mobileEmulation", {"deviceMetrics": {
            "width": int(width), "height": int(height), "pixelRatio": 2.0, "touch": True}})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        driver.get("file://" + page)
        deadline = time.monotonic() + 30
        while not driver.find_elements(By.CSS_SELECTOR, '[data-dialog="102"]'):
            if time.monotonic() > deadline:
                sys.exit(f"page_shot.py: the program's window did not appear in {page}")
            time.sleep(0.1)
        time.sleep(0.5)  # its first paint
        size = driver.execute_script("const e = document.documentElement;"
                                     " return [e.scrollWidth, e.scrollHeight]")
        shot = driver.execute_cdp_cmd("Page.captureScreenshot", {
            "captureBeyondViewport": True,
            "clip": {"x": 0, "y": 0, "width": size[0], "height": size[1], "scale": 1}})
        with open(picture, "wb") as file:
            file.write(base64.b64decode(shot["data"]))
    finally:
        driver.quit()


if __name__ == "__main__":
    if len(sys.argv) not in (5, 6) or sys.argv[5:] not in ([], ["phone"]):
        sys.exit(__doc__)
    main(*sys.argv[1:])
