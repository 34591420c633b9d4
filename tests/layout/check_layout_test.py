#!/usr/bin/env python3
# The layout checker on small made-up trees: each breach it must catch, and the includes
# it must let through.
import contextlib
import io
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import check_layout  # noqa: E402


def tree(files):
    """A temporary tree with every floor and the given files ({path: text})."""
    folder = tempfile.TemporaryDirectory()
    root = Path(folder.name)
    for floor in check_layout.FLOORS:
        (root / floor).mkdir()
    for path, text in files.items():
        (root / path).parent.mkdir(parents=True, exist_ok=True)
        (root / path).write_text(text)
    return folder


# Files every case may include.
BASE = {
    "common/flags.h": "",
    "seams/toolkit.h": '#include "common/flags.h"\n',
    "settings/settings.h": "",
    "saver/engine.h": '#include "seams/toolkit.h"\n',
    "saver/frm_saver.h": '#include "saver/engine.h"\nclass FrmSaver {\n    void RunLoopPass();\n};\n',
    "engine/gl_engine_objects.h": '#include "saver/engine.h"\n',
    "dialog/settings_window.h": "",
    "host/startup.h": "",
    "backends/backends.h": "",
    "tests/fakes/fake_engine.h": "",
    "README.md": "# Kelvora\n### Where things happen\n- `saver/frm_saver.h` `FrmSaver::RunLoopPass()`: a pass\n"
                 "## Benchmarks\n- `saver/gone.cpp` `Gone()`: past the section, so not a step\n",
}

# Source the README's steps below point into.
STEPS_SOURCE = {
    "saver/session.cpp": "// Calls and definitions side by side.\n"
                         "void SaverSession::EndSaver() {\n    platform::App().EndProcess(0);\n}\n"
                         "std::uint32_t LinuxApi::GetProfile(const char* section,\n"
                         "                                   const char* key) const {\n    return Read(key);\n}\n"
                         "Reader::Reader(int size) : size_(size) {}\n"
                         "class GlInput : public Input {\n    void GetLastKey(int& key) override {\n"
                         "        key = Record().Last();\n    }\n};\n"
                         "void Pump();\n"
                         "void Run() {\n    if (Ready()) Pump();\n    return Finish(1);\n}\n",
}


class Layout(unittest.TestCase):
    def test_finds_each_breach_and_lets_the_allowed_through(self):
        cases = [
            # (name, files added to BASE, expected lines; [] means the tree is sound)
            ("every floor includes what it may", {
                "settings/settings.cpp": '#include "settings/settings.h"\n#include "seams/toolkit.h"\n',
                "saver/ending.cpp": '#include "settings/settings.h"\n#include "saver/frm_saver.h"\n',
                "engine/display.cpp": '#include "saver/engine.h"\n#include "common/flags.h"\n#include <glad/gl.h>\n',
                "host/startup.cpp": '#include "dialog/settings_window.h"\n#include "saver/frm_saver.h"\n'
                                    '#include "product.h"\n',
                "backends/linux/entry.cpp": '#include "host/startup.h"\n#include "engine/gl_engine_objects.h"\n'
                                            '#include <SDL2/SDL.h>\n#include "event_pump.h"\n'
                                            '#include "wayland/xdg-shell-client-protocol.h"\n',
                "backends/linux/event_pump.h": "",
            }, []),
            ("a floor includes a higher one", {
                "saver/ending.cpp": '// why\n#include "host/startup.h"\n',
            }, ['saver/ending.cpp:2: saver/ may not include "host/startup.h"']),
            ("the saver includes the engine", {
                "saver/frm_saver.cpp": '#include "engine/gl_engine_objects.h"\n',
            }, ['saver/frm_saver.cpp:1: saver/ may not include "engine/gl_engine_objects.h"',
                "include circle between folders: engine -> saver (engine/gl_engine_objects.h:1), "
                "saver -> engine (saver/frm_saver.cpp:1)"]),
            ("the engine includes more of the saver than its interface", {
                "engine/display.cpp": '#include "saver/frm_saver.h"\n',
            }, ['engine/display.cpp:1: engine/ may not include "saver/frm_saver.h"']),
            ("the engine includes the settings", {
                "engine/display.cpp": '#include "settings/settings.h"\n',
            }, ['engine/display.cpp:1: engine/ may not include "settings/settings.h"']),
            ("the dialog includes the engine past its interface", {
                "dialog/frm_settings.cpp": '#include "engine/gl_engine_objects.h"\n',
            }, ['dialog/frm_settings.cpp:1: dialog/ may not include "engine/gl_engine_objects.h"']),
            ("the host includes a backend", {
                "host/preview.cpp": '#include "backends/backends.h"\n',
            }, ['host/preview.cpp:1: host/ may not include "backends/backends.h"']),
            ("product code includes test code", {
                "backends/linux/entry.cpp": '#include "tests/fakes/fake_engine.h"\n',
            }, ['backends/linux/entry.cpp:1: "tests/fakes/fake_engine.h" lies in tests/, which product code never '
                'includes']),
            ("an include that names no file", {
                "common/text.cpp": '#include "common/txet.h"\n',
            }, ['common/text.cpp:1: "common/txet.h" is no file of the source tree']),
            ("a platform header below backends", {
                "dialog/open_url.cpp": "#include <windows.h>\n",
                "engine/gl_context.cpp": "#  include <SDL2/SDL.h>\n",
                "saver/frm_saver.cpp": '#include <wayland-client.h>\n#include "wayland/xdg-shell-client-protocol.h"\n',
            }, ["saver/frm_saver.cpp:1: platform header <wayland-client.h> outside backends/",
                'saver/frm_saver.cpp:2: platform header "wayland/xdg-shell-client-protocol.h" outside backends/',
                "engine/gl_context.cpp:1: platform header <SDL2/SDL.h> outside backends/",
                "dialog/open_url.cpp:1: platform header <windows.h> outside backends/"]),
            ("two backends include each other", {
                "backends/linux/a.h": '#include "backends/still/b.h"\n',
                "backends/still/b.h": '#include "backends/linux/a.h"\n',
            }, ["include circle between folders: backends/linux -> backends/still (backends/linux/a.h:1), "
                "backends/still -> backends/linux (backends/still/b.h:1)"]),
            ("two files of a folder include each other", {
                "saver/frm_saver.cpp": '#include "saver/frm_saver.h"\n#include "saver/ending.h"\n',
                "saver/ending.h": "",
                "saver/ending.cpp": '#include "saver/ending.h"\n#include "saver/frm_saver.h"\n',
            }, ["include circle between files: saver/ending -> saver/frm_saver (saver/ending.cpp:2), "
                "saver/frm_saver -> saver/ending (saver/frm_saver.cpp:2)"]),
            ("a product .cpp file past the limit, and one at it", {
                "saver/long.cpp": "int x;\n" * (check_layout.MAX_CPP_LINES + 1),
                "saver/full.cpp": "int x;\n" * check_layout.MAX_CPP_LINES,
                "tools/stills/long.cpp": "int x;\n" * (check_layout.MAX_CPP_LINES + 1),
            }, [f"saver/long.cpp: {check_layout.MAX_CPP_LINES + 1} lines, more than {check_layout.MAX_CPP_LINES}"]),
            ("the README's steps name functions defined where the steps say", {
                **STEPS_SOURCE,
                "README.md": "### Where things happen\n"
                             "1. `saver/session.cpp` `SaverSession::EndSaver()` and `LinuxApi::GetProfile()`\n"
                             "2. `saver/session.cpp`: `Reader::Reader()`, then, on the next line,\n"
                             "   `GlInput::GetLastKey()` and `Run()`; `a word` is no function\n"
                             "   - `saver/frm_saver.h` `FrmSaver::RunLoopPass()`: a step of its own\n",
            }, []),
            ("README steps whose function moved, is only called or declared, or whose file is gone", {
                **STEPS_SOURCE,
                "README.md": "# Kelvora\n\n### Where things happen\n\nA key:\n"
                             "- `saver/session.cpp` `EndProcess()`, `Ready()`, `Finish()`, `Pump()`\n"
                             "- `saver/session.cpp` `GlInput::Record()` and `SaverSession::Unload()`\n"
                             "- `saver/gone.cpp` `Gone()`\n",
            }, ["README.md:6: saver/session.cpp defines no EndProcess()",
                "README.md:6: saver/session.cpp defines no Ready()",
                "README.md:6: saver/session.cpp defines no Finish()",
                "README.md:6: saver/session.cpp defines no Pump()",
                "README.md:7: saver/session.cpp defines no GlInput::Record()",
                "README.md:7: saver/session.cpp defines no SaverSession::Unload()",
                "README.md:8: saver/gone.cpp is no file of the source tree"]),
            ("a README without the ways through the code", {
                "README.md": "# Kelvora\n## Layout\n",
            }, ['README.md: no "Where things happen" section']),
            ("tests, tools and bench include anything", {
                "tests/unit/saver_test.cpp": '#include "backends/backends.h"\n#include <windows.h>\n',
                "tools/stills/main.cpp": '#include "engine/gl_engine_objects.h"\n',
            }, []),
        ]
        for name, files, expected in cases:
            with self.subTest(name), tree({**BASE, **files}) as root:
                self.assertEqual(check_layout.violations(root), expected)

    def test_the_program_fails_on_a_breach_and_passes_a_sound_tree(self):
        with tree(BASE) as root, contextlib.redirect_stdout(io.StringIO()) as printed:
            self.assertEqual(check_layout.main(["check_layout.py", root]), 0)
        self.assertEqual(printed.getvalue(), "")
        with tree({**BASE, "common/flags.h": '#include "saver/engine.h"\n'}) as root, \
                contextlib.redirect_stdout(io.StringIO()) as printed:
            self.assertEqual(check_layout.main(["check_layout.py", root]), 1)
        self.assertIn('common/flags.h:1: common/ may not include "saver/engine.h"', printed.getvalue())

    def test_a_folder_that_is_not_the_source_tree_is_refused(self):
        with tempfile.TemporaryDirectory() as empty, contextlib.redirect_stderr(io.StringIO()):
            self.assertEqual(check_layout.main(["check_layout.py", empty]), 2)


if __name__ == "__main__":
    unittest.main()
