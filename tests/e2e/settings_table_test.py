#!/usr/bin/env python3
"""The end-to-end tests' view of the settings table, read from the JSON the build
wrote, against the shipped kelvora.ini.

    settings_table_test.py PATH/media/kelvora.ini   (KELVORA_SETTINGS_TABLE set)
"""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import settings_table  # noqa: E402


class SettingsTableTest(unittest.TestCase):
    def test_the_defaults_written_out_are_the_shipped_file(self):
        with open(SHIPPED_INI, "rb") as file:
            shipped = file.read().decode("ascii")
        self.assertEqual("\n".join(settings_table.ini_lines(settings_table.DEFAULTS)) + "\n",
                         shipped)


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit("usage: settings_table_test.py PATH/media/kelvora.ini")
    SHIPPED_INI = sys.argv.pop(1)
    unittest.main()
