"""The browsers the page is tested in: what every engine's WebDriver has is Selenium's own, and an
engine's adapter adds only what WebDriver leaves out, the same few calls for every engine."""
import io
import json
import math
import pathlib
import socket
import subprocess
import tempfile
import time

from PIL import Image
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.actions import interaction
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.pointer_input import PointerInput


def wait_for(condition, seconds=5):
    end = time.time() + seconds
    while not (value := condition()) and time.time() <= end:
        time.sleep(0.02)
    return value


class Engine:
    """What WebDriver does alike in every engine; the first script, once the document has loaded.
    The screens an engine is tried at: the phone's, and the small ones with the least text each
    must show (0: the desktop's layout)."""
    first_script = ""
    axe_rules_off = ()
    phone = {"width": 390, "height": 740}
    small_screens = [(phone, 14)]

    def on_every_page(self, script):
        self.first_script = script

    def get(self, url):
        self.d.get(url)
        if self.first_script:
            self.d.execute_script(self.first_script)

    def scheme(self, feature, value):
        """Emulates a media feature; False where the engine cannot."""
        return False

    def installability_errors(self):
        """Why the browser would not install the page as an app; None where it cannot tell."""
        return None

    def click(self, x, y):
        actions = ActionBuilder(self.d, duration=0)  # no gliding there for a quarter second
        actions.pointer_action.move_to_location(round(x), round(y)).click()
        actions.perform()

    def tap(self, x, y):
        actions = ActionBuilder(self.d, mouse=PointerInput(interaction.POINTER_TOUCH, "finger"))
        actions.pointer_action.move_to_location(round(x), round(y)).pointer_down().pointer_up()
        actions.perform()

    def paste(self, text):
        """Puts `text` where the focus is, as a paste would: every character as it stands."""
        self.d.execute_script("document.execCommand('insertText', false, arguments[0])", text)

    def screenshot(self):
        """What the browser shows, in grey."""
        return Image.open(io.BytesIO(self.d.get_screenshot_as_png())).convert("L")

    def quit(self):  # once, however often it is asked
        self.d, driver = None, self.d
        if driver:
            driver.quit()


class Chromium(Engine):
    """Debian's Chromium, headless, through its chromedriver; the rest through DevTools."""
    phone = {"width": 360, "height": 740, "phone": True}
    small_screens = [({"width": width, "height": 740, "phone": True}, 14)
                     for width in (320, 360, 390, 412)] + [
        ({"width": 1280, "height": 900, "zoom": 4}, 14),
        ({"width": 1100, "height": 760, "zoom": 2, "least_font": 16}, 16),
        ({"width": 740, "height": 120, "phone": True}, 0)]

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
        self.d.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": script})

    def scheme(self, feature, value):
        self.d.execute_cdp_cmd("Emulation.setEmulatedMedia",
                               {"features": [{"name": feature, "value": value}]})
        return True

    def installability_errors(self):
        return self.d.execute_cdp_cmd("Page.getInstallabilityErrors", {})["installabilityErrors"]

    def tap(self, x, y):
        for kind, points in (("touchStart", [{"x": x, "y": y}]), ("touchEnd", [])):
            self.d.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": kind,
                                                                "touchPoints": points})


class WebKit(Engine):
    """WebKitGTK's MiniBrowser (Safari's engine), on a virtual display (xvfb-run): no headless
    mode. Its Highlight pair, the page's captions, is the GTK theme's: white on #3584e4, 3.8:1.
    Its window is 447 pixels wide at the least, and its touches come to the page as a mouse's."""
    axe_rules_off = ("color-contrast",)

    def __init__(self, width=1100, height=760):
        options = webdriver.WebKitGTKOptions()
        options.binary_location = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
        options.add_argument("--automation")
        self.d = webdriver.WebKitGTK(executable_path="/usr/bin/WebKitWebDriver", options=options)
        self.d.set_window_rect(0, 0, width, height)


class Marionette:
    """Selenium's WebDriver commands sent to Firefox itself in Marionette, its own protocol: the
    same commands, named as Selenium names them or as RENAMED, each message "LENGTH:JSON"."""
    RENAMED = {"get": "Navigate", "w3cExecuteScriptAsync": "ExecuteAsyncScript",
               "clickElement": "ElementClick", "actions": "PerformActions",
               "screenshot": "TakeScreenshot", "quit": "DeleteSession"}

    def __init__(self, port):
        self.socket, self.sent = socket.create_connection(("127.0.0.1", port)), 0
        self.receive()  # its greeting

    def receive(self):
        length = b"".join(iter(lambda: self.socket.recv(1) or b":", b":"))  # or the end: an error
        return json.loads(self.socket.recv(int(length), socket.MSG_WAITALL))

    def execute(self, command, params):
        params = dict(params, full=False)  # a screenshot of what is in view
        if command.startswith("findChild"):  # the parent, under Marionette's name
            params["element"] = params.pop("id")
        self.sent += 1
        name = self.RENAMED.get(command) or command.replace("w3c", "").replace("Child", "")
        message = json.dumps([0, self.sent, f"WebDriver:{name[0].upper()}{name[1:]}", params])
        self.socket.sendall(f"{len(message)}:{message}".encode())  # JSON's escapes: ASCII alone
        _, _, error, result = self.receive()
        if error:
            return {"status": error["error"], "value": error}
        return result if isinstance(result, dict) and "value" in result else {"value": result}

    def close(self):
        self.socket.close()


class Firefox(Engine):
    """Debian's Firefox ESR, headless, through Marionette: geckodriver, the WebDriver that would
    speak it, Debian does not have. Its Highlight pair, the page's captions, is the GTK theme's;
    its headless window is 500 pixels wide at the least."""
    axe_rules_off = ("color-contrast",)

    def __init__(self, width=1100, height=760):
        self.profile = tempfile.TemporaryDirectory()
        profile = pathlib.Path(self.profile.name)
        (profile / "user.js").write_text('user_pref("marionette.port", 0);')  # any free port
        self.process = subprocess.Popen(
            ["/usr/bin/firefox-esr", "--headless", "--marionette", "--no-remote", "--profile",
             profile], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        port = profile / "MarionetteActivePort"  # which Firefox then writes down
        self.d = webdriver.Remote(command_executor=Marionette(int(
            wait_for(lambda: port.exists() and port.read_text().strip(), 60) or "no port")))
        self.d.set_window_rect(0, 0, width, height)

    def quit(self):
        super().quit()
        self.process.kill()
        self.process.wait()
        self.profile.cleanup()


ENGINES = {"chromium": Chromium, "webkit": WebKit, "firefox": Firefox}
