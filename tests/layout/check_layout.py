#!/usr/bin/env python3
# Checks the source folders' #include lines against the floors the code is laid out in:
# a folder includes only what its floor may reach, platform headers stay in backends/,
# no two folders include each other round a circle, nor two files of one folder (a file
# and its header count as one); and no product .cpp file grows past MAX_CPP_LINES. It also
# checks the README's "Where things happen": each function a step names is still defined
# in the file the step names, so that the README's ways through the code follow the code.
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
    return found + readme_breaches(root)


# The README's section of ways through the code; each step is a list item that opens with a
# file and names functions in it as `Name()` or `Class::Name()`.
README = "README.md"
PATHS_HEADING = "### Where things happen"
HEADING = re.compile(r"^#{1,3} ")
STEP = re.compile(r"^\s*(?:[-*]|\d+\.) +`([\w./-]+)`(.*)$")
NAMED_FUNCTION = re.compile(r"`((?:\w+::)*~?\w+)\(\)`")
# Words before a name that make it a call or an expression, not a definition.
NOT_A_DEFINITION = {"return", "throw", "new", "delete", "else", "case", "co_return"}
# What may follow a definition's parameters: its qualifiers, then its body, a constructor's
# initialisers or a defaulted body; in a header a declaration also counts.
DEFINITION_END = re.compile(r"\s*(?:(?:const|noexcept|override|final|mutable)\b\s*)*(?:->[^{;]*)?"
                            r"(\{|:(?!:)|=\s*(?:default|delete)\s*;|=\s*0\s*;|;)")
DECLARATION = re.compile(r";|=\s*0\s*;")


def paths_steps(text):
    """(line number, file, rest of the step) for each step of the section, or None when the
    README lacks it. A step may hold steps of its own, indented; the indented lines that
    follow a step and open no step of their own belong to it."""
    lines = text.splitlines()
    if PATHS_HEADING not in lines:
        return None
    steps = []
    for number, line in enumerate(lines[lines.index(PATHS_HEADING) + 1:], lines.index(PATHS_HEADING) + 2):
        if HEADING.match(line):
            break
        step = STEP.match(line)
        if step:
            steps.append([number, step.group(1), step.group(2)])
        elif steps and line.startswith(" ") and line.strip():
            steps[-1][2] += " " + line.strip()
    return steps


def closing_parenthesis(text, opening):
    depth = 0
    for at in range(opening, len(text)):
        depth += {"(": 1, ")": -1}.get(text[at], 0)
        if depth == 0:
            return at
    return None


def defines(text, name, header):
    """Whether the source text defines the function (in a header, or declares it): its
    qualified name, or its bare name after its class opens, at the start of a declaration."""
    owner, _, bare = name.rpartition("::")
    spots = [(name, 0)]
    opening = re.search(r"\b(?:class|struct)\s+" + re.escape(owner) + r"\b", text) if owner else None
    if opening:
        spots.append((bare, opening.end()))
    for spelled, start in spots:
        for found in re.finditer(r"(?<![\w:.>~])" + re.escape(spelled) + r"\s*\(", text[start:]):
            at = start + found.start()
            before = text[text.rfind("\n", 0, at) + 1:at]
            if not re.fullmatch(r"\s*(?:[\w:<>,*&\[\]]+\s+)*[*&]?", before):
                continue
            if NOT_A_DEFINITION & set(before.split()):
                continue
            close = closing_parenthesis(text, start + found.end() - 1)
            end = DEFINITION_END.match(text, close + 1) if close is not None else None
            if end and (header or not DECLARATION.fullmatch(end.group(1))):
                return True
    return False


def readme_breaches(root):
    """Each step of the README's ways through the code whose file or function is gone."""
    readme = root / README
    steps = paths_steps(readme.read_text(encoding="utf-8")) if readme.is_file() else None
    if steps is None:
        return [f'{README}: no "{PATHS_HEADING[4:]}" section']
    found = []
    for number, file, rest in steps:
        where = f"{README}:{number}"
        if not (root / file).is_file():
            found.append(f"{where}: {file} is no file of the source tree")
            continue
        text = (root / file).read_text(encoding="utf-8", errors="replace")
        for name in NAMED_FUNCTION.findall(rest):
            if not defines(text, name, Path(file).suffix == ".h"):
                found.append(f"{where}: {file} defines no {name}()")
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
