#!/usr/bin/env python3
# Checks the source folders' #include lines against the floors the code is laid out in:
# a folder includes only what its floor may reach, platform headers stay in backends/,
# no two folders include each other round a circle, nor two files of one folder (a file
# and its header count as one); and no product .cpp file grows past MAX_CPP_LINES.
# Usage: check_layout.py ROOT
import re
import sys
from pathlib import Path

# Lowest first. tests/, tools/ and bench/ drive the real thing and are outside the rule.
FLOORS = ["common", "seams", "settings", "saver", "engine", "dialog", "host", "backends"]

# What each floor may include besides itself: whole floors, or single files of one. The
# engine is reached from above only through saver/engine.h, so only backends/ (the
# composition roots) include engine/ itself.
ALLOWED = {
    "common": [],
    "seams": ["common"],
    "settings": ["common", "seams"],
    "saver": ["common", "seams", "settings"],
    "engine": ["common", "seams", "saver/engine.h"],
    "dialog": ["common", "seams", "settings", "saver"],
    "host": ["common", "seams", "settings", "saver", "dialog"],
    "backends": ["common", "seams", "settings", "saver", "engine", "dialog", "host"],
}

# Made by the build from cmake/product.h.in: the product's constants, for every floor.
GENERATED = {"product.h"}
# Made by the build for one platform, headers of that platform like any other: Wayland
# protocols' client code (wayland-scanner), and kelvora.scr's version for its resources.
GENERATED_PLATFORM = re.compile(r"^(wayland/[a-z0-9_-]+-client-protocol\.h|version_info\.h)$")

# Window-system and toolkit headers: only backends/ may see them.
PLATFORM_HEADER = re.compile(r"^(windows\.h|windowsx\.h|commctrl\.h|shellapi\.h|uxtheme\.h|psapi\.h"
                             r"|SDL2?/|FL/|X11/|GL/gl\.h|GL/glx|GL/wgl|EGL/|wayland-)", re.IGNORECASE)

# A .cpp file longer than this holds more than one job.
MAX_CPP_LINES = 400

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SOURCE_SUFFIXES = {".h", ".hpp", ".c", ".cpp", ".rc"}


def floor_of(relative):
    return relative.parts[0]


def folder_of(relative):
    return relative.parent.as_posix()


def resolve(root, includer, name):
    """The included file relative to the root: beside the includer first, then from the root."""
    for base in (includer.parent, Path()):
        candidate = base / name
        if (root / candidate).is_file():
            return Path((root / candidate).resolve().relative_to(root.resolve()))
    return None


def may_include(floor, target):
    if floor_of(target) == floor:
        return True
    for allowed in ALLOWED[floor]:
        if target.as_posix() == allowed or floor_of(target) == allowed:
            return True
    return False


def source_files(root):
    for floor in FLOORS:
        folder = root / floor
        if not folder.is_dir():
            continue
        for path in sorted(folder.rglob("*")):
            if path.is_file() and path.suffix in SOURCE_SUFFIXES:
                yield path.relative_to(root)


def unit_of(relative):
    """A file and its header are one unit: the folder and the name without its suffix."""
    return relative.with_suffix("").as_posix()


def find_circle(edges):
    """One circle of nodes (folders or units) as a list that starts and ends with the same
    node, or None."""
    state = {}  # folder -> "open" while on the path, "done" when fully searched
    path = []

    def visit(folder):
        state[folder] = "open"
        path.append(folder)
        for target in sorted(edges.get(folder, ())):
            if state.get(target) == "open":
                return path[path.index(target):] + [target]
            if target not in state:
                circle = visit(target)
                if circle:
                    return circle
        path.pop()
        state[folder] = "done"
        return None

    for folder in sorted(edges):
        if folder not in state:
            circle = visit(folder)
            if circle:
                return circle
    return None


def violations(root):
    """Every breach of the layout under root, each as one line naming the file and line."""
    root = Path(root)
    found = []
    # folder -> {included folder -> the first include line that makes the edge}
    edges = {}
    # unit -> {included unit of the same folder -> the first include line}
    unit_edges = {}
    for relative in source_files(root):
        floor = floor_of(relative)
        text = (root / relative).read_text(encoding="utf-8", errors="replace")
        lines = text.splitlines()
        if relative.suffix == ".cpp" and len(lines) > MAX_CPP_LINES:
            found.append(f"{relative.as_posix()}: {len(lines)} lines, more than {MAX_CPP_LINES}")
        for number, line in enumerate(lines, 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            bracket, name = match.groups()
            where = f"{relative.as_posix()}:{number}"
            if bracket == "<":
                if floor != "backends" and PLATFORM_HEADER.match(name):
                    found.append(f"{where}: platform header <{name}> outside backends/")
                continue
            if name in GENERATED:
                continue
            if GENERATED_PLATFORM.match(name):
                if floor != "backends":
                    found.append(f'{where}: platform header "{name}" outside backends/')
                continue
            target = resolve(root, relative, name)
            if target is None:
                found.append(f'{where}: "{name}" is no file of the source tree')
                continue
            if floor_of(target) not in FLOORS:
                found.append(f'{where}: "{name}" lies in {floor_of(target)}/, which product code never includes')
                continue
            if not may_include(floor, target):
                found.append(f'{where}: {floor}/ may not include "{target.as_posix()}"')
            if folder_of(target) != folder_of(relative):
                edges.setdefault(folder_of(relative), {}).setdefault(folder_of(target), where)
            elif unit_of(target) != unit_of(relative):
                unit_edges.setdefault(unit_of(relative), {}).setdefault(unit_of(target), where)
    for kind, graph in (("folders", edges), ("files", unit_edges)):
        circle = find_circle(graph)
        if circle:
            steps = [f"{a} -> {b} ({graph[a][b]})" for a, b in zip(circle, circle[1:])]
            found.append(f"include circle between {kind}: " + ", ".join(steps))
    return found


def main(arguments):
    if len(arguments) != 2:
        print(f"usage: {arguments[0]} ROOT", file=sys.stderr)
        return 2
    if not all((Path(arguments[1]) / floor).is_dir() for floor in FLOORS):
        print(f"{arguments[1]} does not hold the folders {', '.join(FLOORS)}", file=sys.stderr)
        return 2
    found = violations(arguments[1])
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
