"""The browsers the page is tested in: what every engine's WebDriver has is Selenium's own, and an
engine's adapter adds only what WebDriver leaves out, the same few calls for every engine."""
import io
import math
import time

from PIL import Image
from selenium import webdriver
from selenium.webdriver.chrome.service import Service


def wait_for(condition, seconds=5):
    end = time.time() + seconds
    while True:
        value = condition()
        if value or time.time() > end:
            return value
        time.sleep(0.02)


class Chromium:
    """Debian's Chromium, headless, through its chromedriver; the rest through DevTools."""

    def __init__(self, width=1100, height=760, scale=1, zoom=1, least_font=0, phone=False):
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for argument in ["--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
                         "--disable-background-networking", "--disable-component-update",
                         "--disable-sync", f"--window-size={width},{height}",
                         f"--force-device-scale-factor={scale}"]:
            options.add_argument(argument)
        # The browser's own zoom goes in steps of 1.2.
        options.add_experimental_option("prefs", {
            "webkit.webprefs.minimum_font_size": least_font,
            "partition.default_zoom_level": {"x": math.log(zoom, 1.2)}})
        if phone:
            options.add_experimental_option("mobileEmulation", {"deviceMetrics": {
                "width": width, "height": height, "pixelRatio": 3.0, "touch": True}})
        self.d = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)

    def on_every_page(self, script):
        """Runs `script` in every document before the document's own scripts."""
        self.d.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": script})

    def scheme(self, feature, value):
        self.d.execute_cdp_cmd("Emulation.setEmulatedMedia",
                               {"features": [{"name": feature, "value": value}]})
        return True

    def click(self, x, y):
        for kind in ("mousePressed", "mouseReleased"):
            self.d.execute_cdp_cmd("Input.dispatchMouseEvent", {
                "type": kind, "x": x, "y": y, "button": "left", "clickCount": 1})

    def tap(self, x, y):
        for kind, points in (("touchStart", [{"x": x, "y": y}]), ("touchEnd", [])):
            self.d.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": kind,
                                                                "touchPoints": points})

    def paste(self, text):
        self.d.execute_cdp_cmd("Input.insertText", {"text": text})

    def screenshot(self):
        """What the browser shows, in grey."""
        return Image.open(io.BytesIO(self.d.get_screenshot_as_png())).convert("L")

    def quit(self):
        self.d.quit()


ENGINES = {"chromium": Chromium}
