"""One process, 200 clicks alternating the two buttons, each box closed
again: the program keeps answering and nothing is left behind."""

import json
import subprocess
import unittest

from harness import PROBE, Program, key
from test_prompt_switches import (CONFIG_KEY, DRIVER_VALUE, MANIFEST_VALUE, UPDATER_KEY,
                                  clear_registry, stored)

CLICKS = 200


class Soak(unittest.TestCase):
    def setUp(self):
        clear_registry()
        self.addCleanup(clear_registry)

    def test_200_clicks_leave_no_handles_objects_or_windows_behind(self):
        with Program() as program:
            run = subprocess.run(["wine", PROBE, "soak", str(CLICKS)], capture_output=True,
                                 text=True, timeout=900)
            print(run.stdout.strip())
            self.assertEqual(0, run.returncode, run.stderr)
            soak = json.loads(run.stdout)
            self.assertTrue(soak["completed"])
            self.assertEqual(CLICKS, soak["boxes"], "one box a click")
            self.assertLess(soak["slowest_reply_ms"], 1000, "responsive after every box")
            for counted in ("handles", "keys", "gdi", "windows"):
                before, after = soak[counted]
                self.assertGreater(before, 0, counted)
                self.assertEqual(before, after, (counted, "key handles new:", soak["new_keys"]))
            window = program.window()
            self.assertEqual(1, window["enabled"])
            key("Escape")
            self.assertEqual(0, program.exit_code())
        # As after one click of each.
        self.assertEqual(DRIVER_VALUE, stored(CONFIG_KEY, "SkipGraphicsDriverCheck"))
        self.assertEqual(MANIFEST_VALUE, stored(UPDATER_KEY, "ManifestURL"))


if __name__ == "__main__":
    unittest.main()
