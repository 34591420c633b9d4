#!/usr/bin/env python3
"""XScreenSaver's kelvora.xml as the build writes it, against the settings table: it is
well-formed XML, runs the hack on the daemon's window, offers a slider over each numeric
setting's range starting at its default and a list of named colours whose first passes
nothing (the settings file's colour) and every other a distinct RRGGBB, each passing the
option the hack reads; a setting that cannot work under a daemon (the move mode) is not
offered. Usage: xscreensaver_xml_test.py XML
"""
import re
import sys
import xml.etree.ElementTree as ElementTree

import settings_table


def option_of(name):
    return re.sub(r"([A-Z])", lambda m: "-" + m.group(1).lower(), name)


def check(path):
    failures = []
    root = ElementTree.parse(path).getroot()
    if root.tag != "screensaver" or root.get("name") != "kelvora" or root.get("gl") != "yes":
        failures.append(f"the root element is {root.tag} {root.attrib}")
    commands = [c.get("arg") for c in root.findall("command")]
    if commands != ["--root"]:
        failures.append(f"the command arguments are {commands}")
    description = root.findtext("_description") or ""
    if not description.strip():
        failures.append("no description")
    controls = {c.get("id"): c for c in root if c.get("id")}
    for setting in settings_table.SETTINGS:
        option = option_of(setting["name"])
        control = controls.get(option)
        if not setting["worksUnderDaemon"]:
            if control is not None or option in description:
                failures.append(f"{setting['name']} is offered, but cannot work under a daemon")
            continue
        if control is None:
            failures.append(f"no control for {setting['name']}")
            continue
        form = setting["form"]
        if form == "decimalInteger":
            got = (control.tag, control.get("type"), control.get("arg"), control.get("low"),
                   control.get("high"), control.get("default"))
            want = ("number", "slider", f"--{option} %", str(setting["min"]), str(setting["max"]),
                    str(setting["default"]))
        elif form == "onOff":
            arg = "arg-unset" if setting["default"] else "arg-set"
            prefix = "--no-" if setting["default"] else "--"
            got = (control.tag, control.get(arg))
            want = ("boolean", f"{prefix}{option}")
        else:
            options = control.findall("option")
            passed = [o.get("arg-set") for o in options]
            got = (control.tag, len(options) >= 2, passed[0] if passed else "missing",
                   all(re.fullmatch(f"--{option} [0-9A-F]{{6}}", p or "") for p in passed[1:]),
                   len(set(passed)) == len(passed))
            want = ("select", True, None, True, True)
        if got != want:
            failures.append(f"{setting['name']}: {got}, expected {want}")
    return failures


if __name__ == "__main__":
    failures = check(sys.argv[1])
    for failure in failures:
        print("FAIL:", failure)
    sys.exit(1 if failures else 0)
