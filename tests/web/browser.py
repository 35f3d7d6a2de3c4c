"""The browsers the page is tested in: what every engine's WebDriver has is Selenium's own, and an
engine's adapter adds only what WebDriver leaves out, the same few calls for every engine."""
import io
import json
import math
import os
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
    must show (0: the desktop's layout). A screen narrower than the engine's narrowest window is
    a frame of its size at the window's top left corner, which the page fills as it would the
    screen. What an engine cannot do it says once, by name."""
    first_script = ""
    narrowest, screen = 0, (0, 0)
    phone = {"width": 390, "height": 740}
    small_screens = [({"width": width, "height": 740}, 14) for width in (320, 390)]
    said = set()

    def open(self, width, height):
        self.screen = (width, height)
        # A frame has the window's bars above it: room for them, so that all of it is in view.
        framed = width < self.narrowest
        self.d.set_window_rect(0, 0, max(width, self.narrowest), height + framed * 200)

    def on_every_page(self, script):
        self.first_script = script
        self.cannot("run a script before the page's own: what goes wrong as it starts is unseen")

    def get(self, url):
        width, height = self.screen
        if width < self.narrowest:
            with tempfile.NamedTemporaryFile("w", suffix=".html", delete=False) as holder:
                holder.write(f'<body style="margin: 0"><iframe src="{url}" style="display: block;'
                             f' border: 0; width: {width}px; height: {height}px"></iframe>')
            self.d.get("file://" + holder.name)
            assert wait_for(self.in_the_frame, 30), f"{url} never came in its frame"
            os.unlink(holder.name)
        else:
            self.d.get(url)
        if self.first_script:
            self.d.execute_script(self.first_script)

    def in_the_frame(self):
        self.d.switch_to.default_content()
        self.d.switch_to.frame(0)
        return self.d.execute_script("return document.readyState === 'complete' &&"
                                     " location.href !== 'about:blank'")

    def cannot(self, what):
        if what not in Engine.said:
            print(f"{type(self).__name__} cannot {what}.")
            Engine.said.add(what)
        return False

    def scheme(self, feature, value):
        """Emulates a media feature; False where the engine cannot."""
        return self.cannot(f"emulate {feature}: {value}, which is not tried there")

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

    def __init__(self, width=1100, height=760, scale=1, zoom=1, least_font=0, phone=False,
                 scheme=None):
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
        self.schemed = not scheme or self.scheme(*scheme)

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
    mode, and no emulated colour schemes. Its window is 447 pixels wide at the least, and its
    touches come to the page as a mouse's."""
    narrowest = 447

    def __init__(self, width=1100, height=760, scheme=None):
        options = webdriver.WebKitGTKOptions()
        options.binary_location = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
        options.add_argument("--automation")
        self.d = webdriver.WebKitGTK(executable_path="/usr/bin/WebKitWebDriver", options=options)
        self.open(width, height)
        self.schemed = not scheme or self.scheme(*scheme)


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
    speak it, Debian does not have. Its headless window is 500 pixels wide at the least. A colour
    scheme is a setting of its profile: forced colours are the colours the user chose, always."""
    narrowest = 500
    SCHEMES = {("forced-colors", "active"): {"browser.display.document_color_use": 2},
               ("prefers-color-scheme", "dark"): {
                   "layout.css.prefers-color-scheme.content-override": 0}}

    def __init__(self, width=1100, height=760, scheme=None):
        self.profile = tempfile.TemporaryDirectory()
        profile = pathlib.Path(self.profile.name)
        settings = dict(self.SCHEMES.get(scheme, {}), **{"marionette.port": 0})  # any free port
        if width < self.narrowest:  # a phone's scrollbars, which take no room
            settings["ui.useOverlayScrollbars"] = 1
        self.schemed = not scheme or scheme in self.SCHEMES or self.scheme(*scheme)
        (profile / "user.js").write_text("".join(f'user_pref("{name}", {json.dumps(value)});\n'
                                                 for name, value in settings.items()))
        self.process = subprocess.Popen(
            ["/usr/bin/firefox-esr", "--headless", "--marionette", "--no-remote", "--profile",
             profile], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        port = profile / "MarionetteActivePort"  # which Firefox then writes down
        self.d = webdriver.Remote(command_executor=Marionette(int(
            wait_for(lambda: port.exists() and port.read_text().strip(), 60) or "no port")))
        self.open(width, height)

    def quit(self):
        super().quit()
        self.process.kill()
        self.process.wait()
        self.profile.cleanup()


ENGINES = {"chromium": Chromium, "webkit": WebKit, "firefox": Firefox}
