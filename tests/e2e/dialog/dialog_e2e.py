#!/usr/bin/env python3
"""End-to-end tests of the settings dialog of both products, as a user meets it.

Each case copies the product folder (executable, media folder, kelvora.ini) into a
temporary folder, starts the product with a settings command line, drives the window
from outside and checks the settings file it leaves behind: beside the executable, or
the per-user file where that one cannot be written (the Linux product's per-user folder
is the case's own; the Wine prefix's is emptied before and after each case). The Linux window is driven
with xdotool (and wm_close for the window manager's close); the Windows window, under
Wine, with dialog_driver.exe. Each step waits for the line of the product's event file
(common/event_note.h) that says the product is ready for it.

    dialog_e2e.py linux CASE --product PATH/kelvora --wm-close PATH/wm_close
    dialog_e2e.py windows CASE --product PATH/kelvora.scr --driver PATH/dialog_driver.exe
    dialog_e2e.py --list linux|windows      the cases of that product, one a line
"""
import argparse
import contextlib
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import zlib

WINE = "/usr/lib/wine/wine64"
CAPTION = "Kelvora Screen Saver"
# A first Wine start in a fresh prefix alone can take half a minute.
TIMEOUT = 60
# The layout is in twips, 1440 to the inch; 96 dots an inch is 100 %.
TWIPS_PER_INCH = 1440
DESIGN_DPI = 96

# The designed places (left, top, width, height in twips) of the controls, in tab order,
# with their captions: where the window must put them.
LAYOUT = [
    ("Button", "Tell a friend about this screen saver", (1440, 3360, 1815, 405)),
    ("Button", "Visit our web site", (3360, 3360, 1455, 375)),
    ("Button", "Close", (4920, 3360, 1095, 375)),
    ("Button", " Defaults", (240, 2520, 975, 375)),
    ("ScrollBar", "", (3360, 1200, 2655, 150)),
    ("Static", "", (5520, 2520, 495, 375)),
    ("Button", "Candle Color", (4080, 2520, 1335, 375)),
    ("ScrollBar", "", (3360, 480, 2655, 150)),
    ("Static", "Candle Brightness", (3960, 960, 1455, 255)),
    ("Static", "High", (5520, 960, 495, 255)),
    ("Static", "Low", (3360, 960, 615, 255)),
    ("Static", "Low", (3360, 240, 615, 255)),
    ("Static", "High", (5520, 240, 495, 255)),
    ("Static", "Candle Height", (4080, 240, 1215, 255)),
    ("Button", "Move Pumpkin with Mouse", (240, 2160, 2535, 255)),
    ("Static", "Note: Candle Color may change due to Candle Brightness", (3600, 1450, 2415, 495)),
]
BANNER = (240, 120, 2970, 1815)
CLIENT_TWIPS = (6225, 3960)


def pixels(twips, dpi=DESIGN_DPI):
    return (twips * dpi + TWIPS_PER_INCH // 2) // TWIPS_PER_INCH


def pixel_rect(place, dpi=DESIGN_DPI):
    left, top, width, height = place
    return (pixels(left, dpi), pixels(top, dpi), pixels(left + width, dpi) - pixels(left, dpi),
            pixels(top + height, dpi) - pixels(top, dpi))


CLIENT_SIZE = tuple(pixels(twips) for twips in CLIENT_TWIPS)


def scaled(point, dpi):
    """A client point given at 96 dots an inch, at dpi."""
    return tuple(value * dpi // DESIGN_DPI for value in point)


def centre_of(caption):
    for _, text, place in LAYOUT:
        if text == caption:
            left, top, width, height = pixel_rect(place)
            return left + width // 2, top + height // 2
    raise KeyError(caption)


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def poll(what, found, timeout=TIMEOUT):
    """The first true answer of found(), asked until the deadline."""
    deadline = time.monotonic() + timeout
    while True:
        answer = found()
        if answer:
            return answer
        if time.monotonic() > deadline:
            raise Failure("timed out waiting for " + what)
        time.sleep(0.05)


def run(command, timeout=TIMEOUT):
    """Exit code and standard output. The output goes through a file, not a pipe: a
    wineserver that a Wine program starts would hold a pipe open for its whole life."""
    with tempfile.TemporaryFile(mode="w+") as output:
        result = subprocess.run(command, stdout=output, stderr=subprocess.STDOUT, text=True,
                                timeout=timeout)
        output.seek(0)
        return result.returncode, output.read()


# --- the settings file --------------------------------------------------------------

STORED = {"candleheight": "3", "candleBrightness": "120", "candlecolor": "255", "movePumpkin": "1"}
DEFAULTS = {"candleheight": "10", "candleBrightness": "200", "candlecolor": "145151",
            "movePumpkin": "0"}
DESIGN = {"candleheight": "15", "candleBrightness": "15", "candlecolor": "145151",
          "movePumpkin": "0"}
SECTION_OF = {"candleheight": "candle", "candleBrightness": "candle", "candlecolor": "candle",
              "movePumpkin": "pumpkin"}


def write_ini(path, values):
    lines = ["[candle]"]
    lines += [f"{key}={values[key]}" for key in ("candleheight", "candleBrightness", "candlecolor")]
    lines += ["[pumpkin]", f"movePumpkin={values['movePumpkin']}"]
    with open(path, "w", newline="\r\n") as file:
        file.write("\n".join(lines) + "\n")


def read_ini(path):
    """{(section, key): (key as written, value)}, sections and keys lower-cased."""
    entries = {}
    section = None
    with open(path, encoding="ascii") as file:
        for line in file.read().splitlines():
            line = line.strip()
            if line.startswith("[") and line.endswith("]"):
                section = line[1:-1].lower()
            elif "=" in line and section is not None:
                key, value = line.split("=", 1)
                entries[(section, key.strip().lower())] = (key.strip(), value.strip())
    return entries


def read_ini_of(values):
    """What read_ini gives for a file holding exactly these four values."""
    return {(SECTION_OF[key], key.lower()): (key, value) for key, value in values.items()}


def check_ini(path, expected):
    entries = read_ini(path)
    wanted = read_ini_of(expected)
    check(entries == wanted, f"kelvora.ini holds {entries}, expected {wanted}")


# --- the two products ---------------------------------------------------------------

class Product:
    """One copy of a product in a temporary folder, started with a command line."""

    def __init__(self, executable, folder):
        self.folder = folder
        source = os.path.dirname(executable)
        self.source_executable = executable
        self.executable = os.path.join(folder, os.path.basename(executable))
        shutil.copy2(executable, self.executable)
        shutil.copytree(os.path.join(source, "durnwick"), os.path.join(folder, "durnwick"))
        self.ini = os.path.join(folder, "kelvora.ini")
        self.events = os.path.join(folder, "events")
        self.process = None
        # A command that runs the product as another user, or nothing.
        self.run_as = []

    def environment(self):
        return dict(os.environ, KELVORA_EVENT_FILE=self.event_file_name())

    def launch(self, argument):
        self.process = subprocess.Popen(self.run_as + self.command(argument), cwd=self.folder,
                                        env=self.environment(),
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def start(self, argument):
        self.launch(argument)
        self.wait_for_event("settings-window-shown")

    def run_saver(self):
        """Runs the full-screen saver until its first frame, then ends it with a key as a
        person does; a failure to set the scene up is a failure here."""
        mark = self.event_mark()
        self.launch("/S")
        noted = self.wait_for_event_either(("first-frame", "message-box"), mark)
        check(noted.startswith("first-frame"), f"the saver did not draw: {noted}")
        root = run(["xwininfo", "-root"])[1]
        run(["xdotool", "windowfocus", re.search(r"Window id: (\S+)", root).group(1)])
        key_mark = self.event_mark()
        run(["xdotool", "keydown", "space"])
        try:
            self.wait_for_event("key-seen", key_mark)
        finally:
            run(["xdotool", "keyup", "space"])
        self.wait_for_event("ending 0", key_mark)
        check(self.wait_for_exit() == 0, "the saver did not end cleanly after the key")

    def event_lines(self):
        try:
            with open(self.events, encoding="utf-8") as file:
                return file.read().splitlines()
        except FileNotFoundError:
            return []

    def wait_for_event(self, line, after=0):
        """The first event line from index after on that equals line or starts with it and
        a space; the product ending without it is a failure at once."""
        return self.wait_for_event_either((line,), after)

    def wait_for_event_either(self, lines, after=0):
        """As wait_for_event, for the first line that is any of lines."""
        def noted(entry):
            return any(entry == line or entry.startswith(line + " ") for line in lines)

        def found():
            match = next((l for l in self.event_lines()[after:] if noted(l)), None)
            if match is None and self.process.poll() is not None:
                raise Failure(f"the product ended with code {self.process.returncode} without "
                              f"noting {' or '.join(lines)}; its events: {self.event_lines()}")
            return match
        return poll(f"the event {' or '.join(lines)}", found)

    def event_mark(self):
        return len(self.event_lines())

    def wait_for_exit(self):
        try:
            return self.process.wait(timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            raise Failure("the product did not end")

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()

    def pixel(self, x, y):
        """The colour at a client point of the window, as (r, g, b)."""
        return self.area(x, y, 1, 1)[(x, y)]

    def area(self, x, y, width, height):
        """{(x, y): (r, g, b)} of a rectangle of the window's client area."""
        left, top = self.origin()
        shot = os.path.join(self.folder, "screen.png")
        run(["import", "-window", "root", shot])
        code, text = run(["convert", shot, "-crop", f"{width}x{height}+{left + x}+{top + y}",
                          "+repage", "txt:-"])
        found = {(x + int(column), y + int(row)): int(colour, 16) for column, row, colour in
                 re.findall(r"^(\d+),(\d+):.*?#([0-9A-Fa-f]{6})", text, re.MULTILINE)}
        check(code == 0 and len(found) == width * height, f"no pixels read from the screen: {text[:200]}")
        return {at: (value >> 16, (value >> 8) & 0xFF, value & 0xFF) for at, value in found.items()}


class LinuxProduct(Product):
    def __init__(self, executable, folder, wm_close):
        super().__init__(executable, folder)
        self.wm_close = wm_close
        # The case's own per-user folders, made now so that run_as_a_user hands them over.
        self.config = os.path.join(folder, "config")
        self.runtime = os.path.join(folder, "run")
        for made in (self.config, self.runtime):
            os.mkdir(made, 0o700)
        self.user_ini = os.path.join(self.config, "kelvora", "kelvora.ini")
        self.user_ini_shown = self.user_ini

    def environment(self):
        # The runtime folder holds the one-instance lock: a private one, so that no other
        # copy running on the machine counts as this one's first instance.
        return dict(super().environment(), XDG_CONFIG_HOME=self.config,
                    XDG_RUNTIME_DIR=self.runtime)

    def clean_up(self):
        pass

    def command(self, argument):
        return [self.executable, argument]

    def event_file_name(self):
        return self.events

    def windows_named(self, name):
        code, out = run(["xdotool", "search", "--onlyvisible", "--name", f"^{name}$"])
        return out.split() if code == 0 else []

    def geometry(self, window):
        _, out = run(["xdotool", "getwindowgeometry", window])
        position = re.search(r"Position: (\d+),(\d+)", out)
        size = re.search(r"Geometry: (\d+)x(\d+)", out)
        return tuple(map(int, position.groups())) + tuple(map(int, size.groups()))

    def settings_window(self):
        for window in self.windows_named(CAPTION):
            if self.geometry(window)[2:] == CLIENT_SIZE:
                return window
        return None

    def wait_for_window(self):
        def found():
            window = self.settings_window()
            if not window and self.process.poll() is not None:
                raise Failure(f"the product ended with code {self.process.returncode} "
                              "before its settings window appeared")
            return window
        return poll("the settings window", found)

    def origin(self):
        return self.geometry(self.wait_for_window())[:2]

    def size(self):
        return self.geometry(self.wait_for_window())[2:]

    def click(self, caption):
        x, y = centre_of(caption)
        run(["xdotool", "mousemove", "--window", self.wait_for_window(), str(x), str(y),
             "click", "1"])

    def close_box(self):
        run([self.wm_close, self.wait_for_window()])

    def press_in(self, window, key):
        run(["xdotool", "windowfocus", "--sync", window, "key", key])

    def answer_message(self):
        """The texts of the message box: as the product noted it."""
        settings = self.wait_for_window()
        noted = self.wait_for_event("message-box")
        box = poll("the message box",
                   lambda: [w for w in self.windows_named(CAPTION) if w != settings])
        self.press_in(box[0], "Return")
        self.wait_for_event("message-box-closed")
        return [noted]

    def answer_chooser(self, key):
        mark = self.event_mark()
        self.wait_for_event("color-chooser-shown")
        chooser = poll("the colour chooser", lambda: self.windows_named("Candle Color"))
        self.press_in(chooser[0], key)
        self.wait_for_event("color-chooser-closed", mark)

    def cancel_chooser(self):
        self.answer_chooser("Escape")

    def confirm_chooser(self):
        self.answer_chooser("Return")


class WindowsProduct(Product):
    def __init__(self, executable, folder, driver):
        super().__init__(executable, folder)
        self.driver = driver
        roaming = [path for path in glob.glob(os.path.join(
                       os.environ["WINEPREFIX"], "drive_c", "users", "*", "AppData", "Roaming"))
                   if os.sep + "Public" + os.sep not in path]
        check(len(roaming) == 1, f"no single roaming folder in the Wine prefix: {roaming}")
        self.user_folder = os.path.join(roaming[0], "Kelvora")
        self.user_ini = os.path.join(self.user_folder, "kelvora.ini")
        self.user_ini_shown = "\\AppData\\Roaming\\Kelvora\\kelvora.ini"
        self.clean_up()

    def clean_up(self):
        """The prefix is shared by every case: none may find another's per-user file."""
        if os.path.lexists(self.user_folder):
            if os.geteuid() == 0:
                run(["chattr", "-R", "-i", self.user_folder])
            shutil.rmtree(self.user_folder)

    def command(self, argument):
        return [WINE, self.executable, argument]

    def event_file_name(self):
        return "Z:" + self.events.replace("/", "\\")

    def drive(self, *steps):
        code, out = run([WINE, self.driver, *steps], timeout=2 * TIMEOUT)
        check(code == 0, f"dialog_driver {' '.join(steps)} ended with code {code}: {out.strip()}")
        return out

    def wait_for_window(self):
        self.drive("wait")

    def client(self):
        out = self.drive("origin")
        return tuple(map(int, re.search(r"origin=(-?\d+),(-?\d+) size=(\d+),(\d+)", out).groups()))

    def origin(self):
        return self.client()[:2]

    def size(self):
        return self.client()[2:]

    def layout(self):
        return [line.split("|") for line in self.drive("layout").splitlines()]

    def click(self, caption):
        self.drive("click", caption)

    def close_box(self):
        self.drive("closebox")

    def answer_message(self):
        """The texts of the message box: as the product noted it, and as the box shows it."""
        noted = self.wait_for_event("message-box")
        shown = self.drive("answer", CAPTION, "1")
        self.wait_for_event("message-box-closed")
        return [noted, shown]

    def answer_chooser(self, button):
        mark = self.event_mark()
        self.wait_for_event("color-chooser-shown")
        self.drive("answer", "Color", button)
        self.wait_for_event("color-chooser-closed", mark)

    def cancel_chooser(self):
        self.answer_chooser("2")

    def confirm_chooser(self):
        self.answer_chooser("1")


# --- the cases ----------------------------------------------------------------------

def case_opens(product):
    """/C opens the window: its size, its black ground, white lines, the loaded colour."""
    check_opens(product, DESIGN_DPI)


# The screen density Wine gives its programs: the user's LogPixels value, as Windows' own
# display settings write it.
DESKTOP_KEY = r"HKCU\Control Panel\Desktop"


def case_opens_at_200_percent(product):
    """At 200 % (192 dots an inch) the window is twice its size, its text twice as tall.
    Its controls stand at twice the pixels, and its fonts are made for that density.
    Windows only: the density is Windows' setting."""
    check(isinstance(product, WindowsProduct), "the density is set in Windows' registry")
    code, out = run([WINE, "reg", "add", DESKTOP_KEY, "/v", "LogPixels", "/t", "REG_DWORD",
                     "/d", "192", "/f"])
    check(code == 0, f"cannot set LogPixels: {out}")
    try:
        check_opens(product, 192)
    finally:
        run([WINE, "reg", "delete", DESKTOP_KEY, "/v", "LogPixels", "/f"])


def ink_rows(product, place, dpi):
    """How many pixel rows of the label at place hold white text."""
    left, top, width, height = pixel_rect(place, dpi)
    colours = product.area(left, top, width, height)
    return sum(1 for y in range(top, top + height)
               if any(min(colours[(x, y)]) > 128 for x in range(left, left + width)))


def check_opens(product, dpi):
    write_ini(product.ini, STORED)
    product.start("/C")
    product.wait_for_window()
    size = tuple(pixels(twips, dpi) for twips in CLIENT_TWIPS)
    check(product.size() == size, f"client area {product.size()}, expected {size}")
    check(product.pixel(*scaled((5, 200), dpi)) == (0, 0, 0), "the window's ground is not black")
    check(product.pixel(*scaled((200, 208), dpi)) == (255, 255, 255),
          "the line above the bottom row is missing")
    check(product.pixel(*scaled((300, 136), dpi)) == (255, 255, 255),
          "the line under the note is missing")
    swatch_keeps_stored_colour(product, dpi)
    # Text as tall as its density asks: "Candle Height" (a capital and a descender) takes
    # 9 to 13 rows at 96 dots an inch.
    rows = ink_rows(product, LAYOUT[13][2], dpi)
    check(9 <= rows * DESIGN_DPI / dpi <= 13, f"the label's text is {rows} pixels tall at {dpi} dpi")
    # Buttons and scroll bars stand where the layout puts them: no black ground there.
    for kind, text, place in LAYOUT:
        left, top, width, height = pixel_rect(place, dpi)
        if kind == "ScrollBar":
            point = (left + width // 2, top + height // 2)
        elif kind == "Button" and text != "Move Pumpkin with Mouse":
            point = (left + 3, top + 3)
        else:
            continue
        check(product.pixel(*point) != (0, 0, 0), f"nothing drawn at {point} for {kind} '{text}'")
    if isinstance(product, WindowsProduct):
        controls = product.layout()
        banner, controls = controls[0], controls[1:]
        check(banner[2] == ",".join(map(str, pixel_rect(BANNER, dpi))), f"banner at {banner[2]}")
        for (kind, text, place), (found_kind, found_text, found_place) in zip(LAYOUT, controls):
            wanted = ",".join(map(str, pixel_rect(place, dpi)))
            check((found_kind.lower(), found_text, found_place) == (kind.lower(), text, wanted),
                  f"{found_kind} '{found_text}' at {found_place}, expected {kind} '{text}' at {wanted}")
        check(len(controls) == len(LAYOUT), f"{len(controls)} controls, expected {len(LAYOUT)}")
    product.click("Close")
    check(product.wait_for_exit() == 0, "Close did not end the process cleanly")


def swatch_keeps_stored_colour(product, dpi=DESIGN_DPI):
    # 255 is red in the stored layout 0x00BBGGRR.
    check(product.pixel(*scaled((384, 180), dpi)) == (255, 0, 0),
          "the swatch does not show the stored colour")


def cancel_chooser(product):
    product.click("Candle Color")
    product.cancel_chooser()


def confirm_chooser_at_once(product):
    product.click("Candle Color")
    product.confirm_chooser()


def click_close(product):
    product.click("Close")


def click_defaults(product):
    product.click(" Defaults")


# The cases that open the window, act on it, close it and read the file it leaves:
# name: (what it shows, file before (None: no file), command line, steps, closing, file after)
SETTINGS_FILE_CASES = {
    "defaults_close": ("Defaults then Close leaves exactly the four default values.",
                       STORED, "/C", [click_defaults], click_close, DEFAULTS),
    "unchanged_close": ("Opening and closing without a change keeps the same four values.",
                        STORED, "/C", [], click_close, STORED),
    "no_file": ("Without a settings file, closing creates one with the controls' design values.",
                None, "/C", [], click_close, DESIGN),
    "lower_case_with_handle": ("/c:1234 opens the window too.",
                               STORED, "/c:1234", [click_defaults], click_close, DEFAULTS),
    "close_box": ("Closing with the close box writes the settings as well, and the process ends.",
                  STORED, "/C", [click_defaults], lambda product: product.close_box(), DEFAULTS),
    "chooser_cancel": ("A cancelled colour chooser leaves the stored colour as it was.",
                       STORED, "/C", [cancel_chooser, swatch_keeps_stored_colour], click_close,
                       STORED),
    "chooser_opens_with_the_colour": (
        "The chooser opens with the current colour selected: OK at once keeps it.",
        STORED, "/C", [confirm_chooser_at_once, swatch_keeps_stored_colour], click_close, STORED),
}


def run_settings_file_case(product, name):
    _, before, command_line, steps, closing, after = SETTINGS_FILE_CASES[name]
    if before is not None:
        write_ini(product.ini, before)
    product.start(command_line)
    for step in steps:
        step(product)
    closing(product)
    check(product.wait_for_exit() == 0, "closing the window did not end the process cleanly")
    check_ini(product.ini, after)


def case_tab_order(product):
    """Tab visits the controls that take focus in the designed order, and comes round.
    Windows only: the FLTK window's focus cannot be read from outside."""
    write_ini(product.ini, STORED)
    product.start("/C")
    focusable = [(kind, text, ",".join(map(str, pixel_rect(place))))
                 for kind, text, place in LAYOUT if kind in ("Button", "ScrollBar")]
    steps = []
    for _ in focusable:
        steps += ["focus", "tab"]
    steps.append("focus")
    visited = [tuple(line.split("|")) for line in product.drive(*steps).splitlines()]
    visited = [(kind.capitalize() if kind.lower() == "button" else "ScrollBar", text, place)
               for kind, text, place in visited]
    check(visited == focusable + focusable[:1], f"Tab visits {visited}")
    product.click("Close")
    check(product.wait_for_exit() == 0, "Close did not end the process cleanly")


def make_read_only(product):
    # A link's target would change instead: /dev/null made read-only breaks the machine.
    check(not os.path.islink(product.ini), "a link cannot be made read-only here")
    os.chmod(product.ini, 0o444)
    os.chmod(product.folder, 0o555)
    # Permissions do not bind root; an immutable file cannot be written or replaced.
    if os.geteuid() == 0:
        code, out = run(["chattr", "+i", product.ini])
        check(code == 0, f"chattr +i failed: {out}")


def undo_read_only(product):
    os.chmod(product.folder, 0o755)
    if os.path.islink(product.ini):
        return
    if os.geteuid() == 0:
        run(["chattr", "-i", product.ini])
    os.chmod(product.ini, 0o644)


def make_unwritable_folder(folder):
    os.makedirs(folder)
    os.chmod(folder, 0o555)
    if os.geteuid() == 0:
        code, out = run(["chattr", "+i", folder])
        check(code == 0, f"chattr +i failed: {out}")


def undo_unwritable_folder(folder):
    if os.geteuid() == 0:
        run(["chattr", "-i", folder])
    os.chmod(folder, 0o755)


def case_read_only(product):
    """A settings file that cannot be written, with a per-user folder that cannot take a
    file either, is told in a message box naming the per-user file; nothing changes."""
    write_ini(product.ini, STORED)
    make_read_only(product)
    user_folder = os.path.dirname(product.user_ini)
    make_unwritable_folder(user_folder)
    try:
        product.start("/C")
        product.click(" Defaults")
        product.click("Close")
        for text in product.answer_message():
            # The event line escapes each backslash; the box shows it once.
            shown = text.replace("\\\\", "\\")
            check("could not be saved" in shown and product.user_ini_shown in shown,
                  f"the message box says: {text}")
        check(product.wait_for_exit() == 0, "the process did not end after the message")
        check_ini(product.ini, STORED)
        check(os.listdir(user_folder) == [], f"the per-user folder holds {os.listdir(user_folder)}")
    finally:
        undo_unwritable_folder(user_folder)
        undo_read_only(product)


# Lines of a settings file that the dialog does not know; a copy must keep every one.
ADMINISTRATOR_LINES = ["; set up by the administrator", "[sounds]", "chime=bell"]


def case_read_only_install(product):
    """Where the file beside the program cannot be written, the dialog saves to the
    per-user file, which keeps every other line of the original; the saver then takes its
    settings from there, and the next dialog opens with the saved values."""
    # The original holds no candle settings: the saver could not start on it alone.
    with open(product.ini, "w", newline="\r\n") as file:
        file.write("\n".join(ADMINISTRATOR_LINES) + "\n")
    with open(product.ini, "rb") as file:
        original = file.read()
    run_as_a_user(product)
    make_read_only(product)
    try:
        product.start("/C")
        product.click(" Defaults")
        product.click("Close")
        product.wait_for_event("settings-saved")
        check(product.wait_for_exit() == 0, "Close did not end the process cleanly")
        with open(product.ini, "rb") as file:
            check(file.read() == original, "the file beside the program changed")
        check(os.path.exists(product.user_ini), f"no per-user file at {product.user_ini}")
        with open(product.user_ini, encoding="ascii") as file:
            saved = file.read().splitlines()
        check(saved[0] == ADMINISTRATOR_LINES[0], f"the per-user file begins {saved[:1]}")
        wanted = read_ini_of(DEFAULTS)
        wanted[("sounds", "chime")] = ("chime", "bell")
        check(read_ini(product.user_ini) == wanted,
              f"the per-user file holds {read_ini(product.user_ini)}, expected {wanted}")

        product.run_saver()

        product.start("/C")
        product.click("Close")
        check(product.wait_for_exit() == 0, "Close did not end the process cleanly")
        check(read_ini(product.user_ini) == wanted,
              f"the second dialog did not open with the saved values: {read_ini(product.user_ini)}")
    finally:
        undo_read_only(product)


def media_path(product, name):
    return os.path.join(product.folder, "durnwick", "kelvora", name)


def png_declaring(width, height):
    """A well-formed PNG that declares the given size and holds the first row's start."""
    def chunk(kind, data):
        return (len(data).to_bytes(4, "big") + kind + data +
                zlib.crc32(kind + data).to_bytes(4, "big"))
    header = width.to_bytes(4, "big") + height.to_bytes(4, "big") + bytes([8, 6, 0, 0, 0])
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(1024))) + chunk(b"IEND", b""))


DIALOG_PICTURES = ("dialog_banner.png", "tell_friend.png", "website.png")


def case_damaged_pictures(product):
    """Pictures declaring 30000 x 30000 pixels, or named pipes, in place of the dialog's
    pictures leave their places empty and the dialog working. Linux only: the Windows
    dialog takes its pictures from its own resources."""
    check(isinstance(product, LinuxProduct), "the media folder's pictures are the Linux dialog's")
    damages = {
        "declaring 30000 x 30000": lambda path: open(path, "wb").write(png_declaring(30000, 30000)),
        "named pipe": os.mkfifo,
    }
    for damage, make in damages.items():
        for name in DIALOG_PICTURES:
            os.remove(media_path(product, name))
            make(media_path(product, name))
        write_ini(product.ini, STORED)
        product.start("/C")
        try:
            product.wait_for_window()
        except Failure as failure:
            raise Failure(f"pictures {damage}: {failure}")
        left, top, width, height = pixel_rect(BANNER)
        check(product.pixel(left + width // 2, top + height // 2) == (0, 0, 0),
              f"pictures {damage}: the banner's place is not empty")
        product.click(" Defaults")
        product.click("Close")
        check(product.wait_for_exit() == 0, f"pictures {damage}: Close did not end the process cleanly")
        check_ini(product.ini, DEFAULTS)
        for name in DIALOG_PICTURES:
            os.remove(media_path(product, name))
            shutil.copy2(os.path.join(os.path.dirname(product.source_executable), "durnwick", "kelvora", name),
                         media_path(product, name))


def run_as_a_user(product):
    """Root passes every permission; a read-only folder binds the product only when it runs
    as an ordinary user, here nobody, who owns the product's folder."""
    if not isinstance(product, LinuxProduct) or os.geteuid() != 0:
        return
    os.chmod(os.path.dirname(product.folder), 0o711)
    # The event file is made now, so that the user may append to it in a read-only folder.
    open(product.events, "a").close()
    for root, folders, files in os.walk(product.folder):
        for name in [root] + [os.path.join(root, entry) for entry in folders + files]:
            os.chown(name, 65534, 65534)
    product.run_as = ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"]


def case_read_only_folder(product):
    """A writable settings file in a read-only folder is written in place, as Windows
    does: no message box, and the change is kept."""
    write_ini(product.ini, STORED)
    run_as_a_user(product)
    os.chmod(product.folder, 0o555)
    try:
        product.start("/C")
        product.click(" Defaults")
        product.click("Close")
        check(product.wait_for_exit() == 0, "Close did not end the process cleanly")
        check_ini(product.ini, DEFAULTS)
        made = sorted(set(os.listdir(product.folder)) - {"events", "config", "run"})
        check(made == sorted(["durnwick", "kelvora.ini", os.path.basename(product.executable)]),
              f"the folder holds {made}")
        check(not os.path.exists(product.user_ini), "a per-user file was made")
    finally:
        os.chmod(product.folder, 0o755)


def write_ini_of_size(path, values, size):
    """The four values after a comment line that brings the file to exactly size bytes."""
    tail = ("[candle]\r\n" + "".join(f"{key}={values[key]}\r\n" for key in
                                    ("candleheight", "candleBrightness", "candlecolor")) +
            f"[pumpkin]\r\nmovePumpkin={values['movePumpkin']}\r\n")
    with open(path, "w", newline="") as file:
        file.write(";" + "-" * (size - len(tail) - 3) + "\r\n" + tail)


@contextlib.contextmanager
def product_on_own_disk(product, disk):
    """The product folder moved onto a disk of its own for the block: "tmpfs" just large
    enough for its files, a 4096-byte settings file and one page more, or "ext2", a 40 MB
    loop image of a file system without fallocate. The event file stays outside, where its
    lines find room."""
    outside = tempfile.mkdtemp(prefix="kelvora-disk-")
    stage = os.path.join(outside, "product")
    shutil.move(product.folder, stage)
    os.mkdir(product.folder)
    product.events = os.path.join(outside, "events")
    pages = 2
    for root, _, files in os.walk(stage):
        pages += sum(-(-os.path.getsize(os.path.join(root, name)) // 4096) for name in files)
    if disk == "tmpfs":
        mount = ["mount", "-t", "tmpfs", "-o", f"size={pages * 4096}", "tmpfs", product.folder]
    else:
        image = os.path.join(outside, "disk.img")
        with open(image, "wb") as file:
            file.truncate(40 << 20)
        code, out = run(["mkfs.ext2", "-q", "-F", image])
        check(code == 0, f"mkfs.ext2 failed: {out}")
        mount = ["mount", "-o", "loop", image, product.folder]
    mounted = False
    try:
        code, out = run(mount)
        check(code == 0, f"cannot mount a disk of its own: {out}")
        mounted = True
        shutil.copytree(stage, product.folder, dirs_exist_ok=True, symlinks=True)
        os.chmod(product.folder, 0o755)
        yield
    finally:
        os.chmod(product.folder, 0o755)
        if mounted:
            run(["umount", product.folder])
        shutil.rmtree(outside)


def case_full_disk(product):
    """A save in place (a writable file in a read-only folder) on a full disk is told as
    failed, saying the disk is full. The Linux product saves the four values as one write,
    with its room reserved first, so a save that needs more room leaves the file byte for
    byte as it was (every value here grows). The Windows product writes one value at a
    time, and its own profile functions report success, with no error to read, for a file
    they cut short: the values read back tell which landed, the message names them exactly,
    and the disk's free space says why."""
    with product_on_own_disk(product, "tmpfs"):
        # Each of Defaults' values is longer than the one it replaces.
        write_ini_of_size(product.ini, dict(STORED, candleBrightness="20", movePumpkin=""), 4096)
        with open(product.ini, "rb") as file:
            original = file.read()
        try:
            with open(os.path.join(product.folder, "filler"), "wb") as filler:
                filler.write(b"x" * 8192)
        except OSError:
            pass
        os.chmod(product.folder, 0o555)
        product.start("/C")
        product.click(" Defaults")
        product.click("Close")
        texts = product.answer_message()
        check(product.wait_for_exit() == 0, "the process did not end after the message")
        with open(product.ini, "rb") as file:
            after = file.read()
        if isinstance(product, LinuxProduct):
            check(after == original, f"the settings file changed: {after[-120:]!r} ({len(after)} bytes)")
        landed = {key for key, (_, value) in values_in(after).items() if value == DEFAULTS[key]}
        for text in texts:
            check("the disk is full" in text, f"the message box says: {text}")
            check(told_as_saved(text) == landed, f"the message box says: {text}; landed: {sorted(landed)}")


# The dialog's names of the four values, by key.
LABELS = {"candleheight": "Candle Height", "candleBrightness": "Candle Brightness",
          "candlecolor": "Candle Color", "movePumpkin": "Move Pumpkin with Mouse"}


def values_in(data):
    """{key as the dialog writes it: (key as written, value)} of the four values in the
    bytes of a settings file, which may have been cut short anywhere."""
    found = {}
    for line in data.decode("latin-1").splitlines():
        key, _, value = line.partition("=")
        for known in LABELS:
            if key.strip().lower() == known.lower() and known not in found:
                found[known] = (key.strip(), value.strip())
    return found


def told_as_saved(text):
    """The keys whose values a message box says were saved."""
    text = text.replace("\\n", "\n")
    if "could not be saved" in text:
        return set()
    saved = re.search(r"Saved: ([^\n]*)\.", text)
    check(saved, f"the message box names no saved values: {text}")
    return {key for key, label in LABELS.items() if label in saved.group(1).split(", ")}


# Values as long as Defaults' own, and longer ones: a save of Defaults over them keeps the
# file's length, or shortens it.
SAME_LENGTH = {"candleheight": "12", "candleBrightness": "250", "candlecolor": "145150",
               "movePumpkin": "1"}
LONGER = {"candleheight": "15", "candleBrightness": "300", "candlecolor": "-2147483648",
          "movePumpkin": "1"}
MEGABYTE = 1 << 20


def save_defaults(product):
    product.start("/C")
    product.click(" Defaults")
    product.click("Close")


def expect_saved_quietly(product):
    noted = product.wait_for_event_either(("settings-saved", "settings-not-saved"))
    check(noted == "settings-saved", f"the save failed: {product.event_lines()}")
    check(product.wait_for_exit() == 0, "Close did not end the process cleanly")
    check(not any(line.startswith("message-box ") for line in product.event_lines()),
          f"a message box was shown: {product.event_lines()}")


def in_place_ext2(product):
    """On ext2, which has no fallocate, a writable file in a read-only folder is saved in
    place, growing and shrinking (never shorter than it was: the blanks that keep its
    length read as nothing)."""
    write_ini(product.ini, DEFAULTS)
    defaults_size = os.path.getsize(product.ini)
    with product_on_own_disk(product, "ext2"):
        for before in (STORED, LONGER):
            write_ini(product.ini, before)
            size = max(os.path.getsize(product.ini), defaults_size)
            os.chmod(product.ini, 0o666)
            run_as_a_user(product)
            # The event file lies outside the disk, where the user must reach it too.
            os.chmod(os.path.dirname(product.events), 0o711)
            os.chown(product.events, 65534, 65534)
            os.chmod(product.folder, 0o555)
            save_defaults(product)
            expect_saved_quietly(product)
            os.chmod(product.folder, 0o755)
            check_ini(product.ini, DEFAULTS)
            check(os.path.getsize(product.ini) == size,
                  f"the file holds {os.path.getsize(product.ini)} bytes, expected {size}")
            os.remove(product.events)


def in_place_hard_link(product):
    """A settings file with a second name is written in place: both names keep the new
    contents, and the file stays the same file."""
    write_ini(product.ini, STORED)
    other = os.path.join(product.folder, "durnwick", "kelvora.ini")
    os.link(product.ini, other)
    inode = os.stat(product.ini).st_ino
    save_defaults(product)
    expect_saved_quietly(product)
    check(os.stat(product.ini).st_ino == inode and os.stat(product.ini).st_nlink == 2,
          "the settings file was replaced, cutting its other name off")
    check_ini(other, DEFAULTS)


# The calls of a save in place, in order: a kill at the start of each leaves the file as
# it was before the call, which for the flush means already new. Room is reserved only
# for a file that grows.
IN_PLACE_STEPS = {"fallocate": "old", "pwrite64": "old", "fsync": "new"}
SHRINKING_STEPS = {"pwrite64": "old", "fsync": "new"}


def in_place_killed(product):
    """A save in place killed (SIGKILL) at the start of each of its calls leaves the file
    byte for byte the old one or the new one, on ext2, whether the save grows or shrinks
    the file."""
    with product_on_own_disk(product, "ext2"):
        for before, steps in ((STORED, IN_PLACE_STEPS), (LONGER, SHRINKING_STEPS)):
            write_ini(product.ini, before)
            with open(product.ini, "rb") as file:
                old = file.read()
            new = None
            for step, expected in [(None, "new")] + list(steps.items()):
                with open(product.ini, "wb") as file:
                    file.write(old)
                os.chmod(product.folder, 0o555)
                product.run_as = [] if step is None else [
                    "strace", "-f", "-qqq", "-o", "/dev/null", "-P", product.ini,
                    "-e", f"trace={step}", "-e", f"inject={step}:signal=KILL"]
                try:
                    save_defaults(product)
                    code = product.wait_for_exit()
                finally:
                    os.chmod(product.folder, 0o755)
                with open(product.ini, "rb") as file:
                    after = file.read()
                if step is None:
                    check(code == 0, "the save without a kill did not end cleanly")
                    check_ini(product.ini, DEFAULTS)
                    new = after
                    continue
                check(code != 0, f"the save was not killed at {step}")
                wanted = old if expected == "old" else new
                check(after == wanted, f"killed at {step}: the file is {after!r}, expected the "
                                       f"{expected} one {wanted!r}")


def megabyte_saved_whole(product):
    """A settings file of exactly 1 MB, whose values Defaults replaces with ones as long, is
    saved whole; the saver then starts on it."""
    write_ini_of_size(product.ini, SAME_LENGTH, MEGABYTE)
    save_defaults(product)
    expect_saved_quietly(product)
    check(os.path.getsize(product.ini) == MEGABYTE,
          f"the file holds {os.path.getsize(product.ini)} bytes, expected {MEGABYTE}")
    check_ini(product.ini, DEFAULTS)
    if isinstance(product, LinuxProduct):
        product.run_saver()


def megabyte_grown(product):
    """A settings file of exactly 1 MB that the save would push past 1 MB is never left
    over the limit (where it would read as missing), and the message says the file is too
    large, naming it. The Linux product refuses the save before it writes: the file is byte
    for byte as it was, and the saver still starts on it. The Windows product writes one
    value at a time and undoes a write that crosses the limit: the values that keep their
    length land, and the message names exactly those."""
    write_ini_of_size(product.ini, STORED, MEGABYTE)
    with open(product.ini, "rb") as file:
        original = file.read()
    save_defaults(product)
    texts = product.answer_message()
    check(product.wait_for_exit() == 0, "the process did not end after the message")
    with open(product.ini, "rb") as file:
        after = file.read()
    check(len(after) <= MEGABYTE, f"the file holds {len(after)} bytes")
    landed = {key for key, (_, value) in values_in(after).items() if value == DEFAULTS[key]}
    for text in texts:
        check("be saved to " in text and "kelvora.ini: the settings file is too large" in text,
              f"the message box says: {text}")
        check(told_as_saved(text) == landed, f"the message box says: {text}; landed: {sorted(landed)}")
    if isinstance(product, LinuxProduct):
        check(after == original, "the settings file changed")
        product.run_saver()


# The cases of a save to the file beside the program, in place or replaced.
BESIDE_ROAD = {"in_place_ext2": in_place_ext2, "in_place_hard_link": in_place_hard_link,
               "in_place_killed": in_place_killed, "megabyte_saved_whole": megabyte_saved_whole,
               "megabyte_grown": megabyte_grown}


# What the file beside the program is at a first per-user save: its lines, which the full
# disk stops on their way in, or a link to /dev/null, with nothing to copy, so that the
# full disk stops the four values.
def read_only_settings_file(product):
    write_ini(product.ini, STORED)
    make_read_only(product)


FIRST_SAVE_SOURCES = {
    "a read-only settings file": read_only_settings_file,
    "a link to /dev/null": lambda product: os.symlink("/dev/null", product.ini),
}


def first_save_full_disk(product):
    """The first save to the per-user file with its disk full, whether the lines of the
    file beside the program or the four values meet it: the message says the disk is full,
    and no folder is left behind."""
    for kind, make in FIRST_SAVE_SOURCES.items():
        make(product)
        code, out = run(["mount", "-t", "tmpfs", "-o", "size=8192", "tmpfs", product.config])
        check(code == 0, f"cannot mount a small disk: {out}")
        try:
            try:
                with open(os.path.join(product.config, "filler"), "wb") as filler:
                    filler.write(b"x" * 16384)
            except OSError:
                pass
            save_defaults(product)
            for text in product.answer_message():
                check("could not be saved to " + product.user_ini + ": the disk is full." in text,
                      f"{kind}: the message box says: {text}")
            check(product.wait_for_exit() == 0, f"{kind}: the process did not end after the message")
            left = sorted(set(os.listdir(product.config)) - {"filler"})
            check(left == [], f"{kind}: the per-user folder holds {left}")
        finally:
            run(["umount", product.config])
            undo_read_only(product)
            os.remove(product.ini)


# What can stand in the place of the file beside the program without being one.
NO_SETTINGS_FILES = {
    "a link to /dev/null": lambda path: os.symlink("/dev/null", path),
    "a loop of links": lambda path: os.symlink(os.path.basename(path), path),
    "a folder": os.mkdir,
}


def beside_no_file(product):
    """A link to /dev/null, a loop of links or a folder in place of the file beside the
    program: the dialog says it is no regular file, naming it, and saves the four values to
    the per-user file, on which the saver then starts."""
    for kind, make in NO_SETTINGS_FILES.items():
        make(product.ini)
        save_defaults(product)
        for text in product.answer_message():
            check("saved to " + product.user_ini in text and "Nothing of " + product.ini in text
                  and "no regular file" in text, f"{kind}: the message box says: {text}")
        check(product.wait_for_exit() == 0, f"{kind}: the process did not end after the message")
        check_ini(product.user_ini, DEFAULTS)
        product.run_saver()
        shutil.rmtree(os.path.dirname(product.user_ini))
        if os.path.isdir(product.ini) and not os.path.islink(product.ini):
            os.rmdir(product.ini)
        else:
            os.remove(product.ini)
        os.remove(product.events)


# The cases of a save that goes to the per-user file.
PER_USER_ROAD = {"first_save_full_disk": first_save_full_disk, "beside_no_file": beside_no_file}


def case_utf16_file(product):
    """A settings file in UTF-16 with its byte-order mark, as Windows writes one, is read
    (the dialog opens with its values) and saved in UTF-16, never in two encodings."""
    write_ini(product.ini, STORED)
    with open(product.ini, "rb") as file:
        text = file.read().decode("ascii")
    with open(product.ini, "wb") as file:
        file.write(text.encode("utf-16"))
    product.start("/C")
    swatch_keeps_stored_colour(product)
    product.click(" Defaults")
    product.click("Close")
    check(product.wait_for_exit() == 0, "Close did not end the process cleanly")
    with open(product.ini, "rb") as file:
        saved = file.read()
    check(saved.startswith(b"\xff\xfe") and b"\0" in saved and len(saved) % 2 == 0,
          f"the file is no longer UTF-16: {saved[:40]!r}")
    with open(product.ini, "w", encoding="ascii", newline="") as file:
        file.write(saved.decode("utf-16"))
    check_ini(product.ini, DEFAULTS)


def case_dangling_link(product):
    """A settings file that is a link to nowhere is not replaced, and nothing is made where
    it leads. The Linux product knows it cannot write there and saves to the per-user
    file; under Wine the link reads as no file in a writable folder, so the save is tried
    and fails with the message box."""
    target = os.path.join(product.folder, "gone", "kelvora.ini")
    os.symlink(target, product.ini)
    product.start("/C")
    product.click(" Defaults")
    product.click("Close")
    if isinstance(product, LinuxProduct):
        product.wait_for_event("settings-saved")
        check(read_ini(product.user_ini) == read_ini_of(DEFAULTS),
              f"the per-user file holds {read_ini(product.user_ini)}")
    else:
        for text in product.answer_message():
            check("could not be saved" in text, f"the message box says: {text}")
    check(product.wait_for_exit() == 0, "the process did not end after the save")
    check(os.path.islink(product.ini) and os.readlink(product.ini) == target,
          "the link was replaced")
    check(not os.path.exists(target), "a file was made where the link leads")


def case_stale_leftovers(product):
    """Temporary files that saves killed before their end left beside the settings file are
    removed at the next save. Linux only: the Windows product writes in place."""
    check(isinstance(product, LinuxProduct), "only the Linux product saves through a temporary file")
    write_ini(product.ini, STORED)
    leftovers = [os.path.join(product.folder, ".kelvora.ini." + suffix) for suffix in ("a1B2c3", "XyZ789")]
    hour_ago = time.time() - 3600
    for leftover in leftovers:
        with open(leftover, "w") as out:
            out.write("[candle]\ncandleh")
        os.utime(leftover, (hour_ago, hour_ago))
    product.start("/C")
    product.click(" Defaults")
    product.click("Close")
    check(product.wait_for_exit() == 0, "Close did not end the process cleanly")
    check_ini(product.ini, DEFAULTS)
    left = [os.path.basename(path) for path in leftovers if os.path.exists(path)]
    check(not left, f"leftovers still there: {left}")


# Every case: name -> the function that runs it on a product.
CASES = {name[len("case_"):]: function for name, function in globals().items()
         if name.startswith("case_")}
CASES.update({name: lambda product, name=name: run_settings_file_case(product, name)
              for name in SETTINGS_FILE_CASES})
CASES.update(BESIDE_ROAD)
CASES.update(PER_USER_ROAD)
# The FLTK window's focus cannot be read from outside; the Win32 one's can. The screen
# density is set in Windows' registry.
WINDOWS_ONLY = {"tab_order", "opens_at_200_percent"}
# Only the Linux dialog reads its pictures from the media folder and saves through a
# temporary file.
LINUX_ONLY = {"damaged_pictures", "stale_leftovers", "in_place_ext2", "in_place_killed",
              "in_place_hard_link", "first_save_full_disk", "beside_no_file"}


def description_of(name):
    if name in SETTINGS_FILE_CASES:
        return SETTINGS_FILE_CASES[name][0]
    return CASES[name].__doc__.splitlines()[0]


def cases_of(platform):
    other_only = LINUX_ONLY if platform == "windows" else WINDOWS_ONLY
    return sorted(name for name in CASES if name not in other_only)


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--list":
        print("\n".join(cases_of(sys.argv[2])))
        return 0
    parser = argparse.ArgumentParser()
    parser.add_argument("platform", choices=["linux", "windows"])
    parser.add_argument("case", choices=sorted(CASES))
    parser.add_argument("--product", required=True)
    parser.add_argument("--wm-close")
    parser.add_argument("--driver")
    options = parser.parse_args()
    if options.case not in cases_of(options.platform):
        parser.error(f"{options.case} is not a case of the {options.platform} product")

    print(f"{options.platform} {options.case}: {description_of(options.case)}")
    with tempfile.TemporaryDirectory(prefix="kelvora-dialog-") as folder:
        if options.platform == "linux":
            product = LinuxProduct(options.product, folder, options.wm_close)
        else:
            product = WindowsProduct(options.product, folder, options.driver)
        try:
            CASES[options.case](product)
        except (Failure, subprocess.TimeoutExpired) as failure:
            print(f"FAILED {options.platform} {options.case}: {failure}")
            return 1
        finally:
            product.stop()
            product.clean_up()
    print(f"passed {options.platform} {options.case}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
