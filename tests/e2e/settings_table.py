"""The settings table as the build writes it (settings_table.json in the native build
folder), for end-to-end tests that must agree with the product about keys and values.

CMake names the file in KELVORA_SETTINGS_TABLE on the tests that use it. Every mapping
is keyed by the key the dialog writes, as it appears in a file the dialog creates.
"""
import json
import os

_VARIABLE = "KELVORA_SETTINGS_TABLE"


def _load():
    path = os.environ.get(_VARIABLE)
    if not path:
        raise RuntimeError(f"{_VARIABLE} is not set: run the test through ctest, or set it to "
                           "the build's settings_table.json")
    with open(path, encoding="utf-8") as file:
        return json.load(file)


_TABLE = _load()

# Each setting as the JSON states it, in the order the dialog reads and writes them.
SETTINGS = tuple(_TABLE["settings"])
# The keys the dialog writes, in that order.
KEYS = tuple(s["writtenKey"] for s in SETTINGS)
# The setting's name (the product's field, e.g. "candleBrightness") to its written key.
KEY_OF = {s["name"]: s["writtenKey"] for s in SETTINGS}
SECTION_OF = {s["writtenKey"]: s["section"] for s in SETTINGS}
# The key the saver and the dialog ask for (letter case differs for the brightness).
READ_KEY_OF = {s["writtenKey"]: s["readKey"] for s in SETTINGS}
# The texts the Defaults button leads to and the shipped kelvora.ini holds.
DEFAULTS = {s["writtenKey"]: str(s["default"]) for s in SETTINGS}
# The texts the dialog writes for keys the file lacked when it opened.
DESIGN = {s["writtenKey"]: str(s["design"]) for s in SETTINGS}
# The lowest and highest value a setting's control takes.
RANGE = {s["writtenKey"]: (s["min"], s["max"]) for s in SETTINGS}
# The move flag's texts: exactly FLAG_ON means on.
FLAG_ON = _TABLE["flagOn"]
FLAG_OFF = _TABLE["flagOff"]


def ini_lines(values):
    """The lines of a settings file holding values ({written key: text}) in the table's
    order, with a section line before each section's first key."""
    lines = []
    section = None
    for key in KEYS:
        if SECTION_OF[key] != section:
            section = SECTION_OF[key]
            lines.append(f"[{section}]")
        lines.append(f"{key}={values[key]}")
    return lines
