"""The two buttons from outside: the registry bytes they store and the box
that follows, on the real program under Wine."""

import unittest

from harness import (NULL, SILVER_OUTLINE, Program, Screenshot, centre, click, gbk_hex, key,
                     park_mouse, probe, screen_rect, settle, wait_for)

SWITCHED_OFF = gbk_hex("已关闭升级提示")
NOT_WRITTEN = gbk_hex("无法写入设置。请以管理员身份运行本程序。")
CAPTION = gbk_hex("Tolvaren")
CONFIG_KEY = "Software\\BlueStacks\\Guests\\Android\\Config"
UPDATER_KEY = "SOFTWARE\\BlueStacks\\Updater"
MANIFEST_URL = "http://cloud.bluestacks.com/updates/manifest_11111111"
REG_SZ, REG_DWORD = 1, 4
# What the probe reads back after a click on each button.
DRIVER_VALUE = {"result": 0, "type": REG_DWORD, "data": "01000000"}
MANIFEST_VALUE = {"result": 0, "type": REG_SZ,
                  "data": MANIFEST_URL.encode("ascii").hex().upper() + "00"}
ON_BUTTON2, ON_BUTTON1 = 0, 1


def stored(key_path, name, view="32"):
    return probe("reg", "get", view, key_path, name)


def clear_registry():
    for view in ("32", "64"):
        probe("reg", "unlock", view, CONFIG_KEY)
        probe("reg", "delete", view, "Software\\BlueStacks")


def the_box(program):
    """The one open box, once it is there."""
    boxes = wait_for(lambda: program.boxes(), timeout=10)
    if not boxes:
        raise AssertionError("no box appeared")
    if len(boxes) != 1:
        raise AssertionError("%d boxes open" % len(boxes))
    return boxes[0]


def press_ok(program, box):
    click(*centre(box["buttons"][0]["rect"]))
    if not wait_for(lambda: program.boxes() == [], timeout=10):
        raise AssertionError("the box did not close")
    settle(0.3)


class PromptSwitches(unittest.TestCase):
    def setUp(self):
        clear_registry()
        self.addCleanup(clear_registry)

    def button_centre(self, window, index):
        return centre(screen_rect(window, window["controls"][index]))

    def check_box(self, program, box, text):
        self.assertEqual(CAPTION, box["caption"])
        self.assertEqual(text, box["text"])
        self.assertTrue(box["icon"])
        self.assertEqual(NULL, box["owner"], "the box has no owner")
        self.assertEqual(1, len(box["buttons"]), "one OK button")
        self.assertEqual(0, program.window()["enabled"], "the main window is disabled")

    def check_back_on(self, program, index):
        window = program.window()
        self.assertEqual(1, window["enabled"])
        self.assertEqual(window["handle"], window["active"], "the main window is active again")
        self.assertEqual(window["controls"][index]["handle"], window["focus"],
                         "the focus is back on the button used")

    def test_mouse_and_space_store_the_exact_bytes_and_confirm(self):
        with Program() as program:
            window = program.window()
            click(*self.button_centre(window, ON_BUTTON1))
            box = the_box(program)
            self.check_box(program, box, SWITCHED_OFF)
            # The OK button is drawn in the skin.
            park_mouse()
            settle(0.4)
            shot = Screenshot("confirmation-box")
            ok = box["buttons"][0]["rect"]
            self.assertEqual(SILVER_OUTLINE, shot.at((ok[0] + ok[2]) // 2, ok[1]))
            # A click on a button of the disabled window does nothing.
            click(*self.button_centre(window, ON_BUTTON2))
            settle(0.5)
            self.assertEqual(1, len(program.boxes()))
            self.assertNotEqual(0, stored(UPDATER_KEY, "ManifestURL")["result"])
            press_ok(program, box)
            self.check_back_on(program, ON_BUTTON1)
            self.assertEqual(DRIVER_VALUE, stored(CONFIG_KEY, "SkipGraphicsDriverCheck"))

            key("Tab", "space")
            box = the_box(program)
            self.check_box(program, box, SWITCHED_OFF)
            key("Return")  # OK has the focus in the box
            self.assertTrue(wait_for(lambda: program.boxes() == []))
            settle(0.3)
            self.check_back_on(program, ON_BUTTON2)
            self.assertEqual(MANIFEST_VALUE, stored(UPDATER_KEY, "ManifestURL"))

            # A 32-bit program: both land in the 32-bit view only.
            self.assertNotEqual(0, stored(CONFIG_KEY, "SkipGraphicsDriverCheck", "64")["result"])
            self.assertNotEqual(0, stored(UPDATER_KEY, "ManifestURL", "64")["result"])
            key("Escape")
            self.assertEqual(0, program.exit_code())

    def test_five_clicks_show_five_boxes_and_leave_one_value(self):
        with Program() as program:
            window = program.window()
            for n in range(5):
                with self.subTest(click=n + 1):
                    click(*self.button_centre(window, ON_BUTTON2))
                    box = the_box(program)
                    self.check_box(program, box, SWITCHED_OFF)
                    press_ok(program, box)
            self.check_back_on(program, ON_BUTTON2)
            self.assertEqual(MANIFEST_VALUE, stored(UPDATER_KEY, "ManifestURL"))

    def test_a_write_that_fails_is_reported_as_an_error(self):
        probe("reg", "lock", "32", CONFIG_KEY)
        with Program() as program:
            click(*self.button_centre(program.window(), ON_BUTTON1))
            box = the_box(program)
            self.check_box(program, box, NOT_WRITTEN)
            press_ok(program, box)
            settle(0.5)
            self.assertEqual([], program.boxes(), "no success box follows")
            self.check_back_on(program, ON_BUTTON1)
        self.assertNotEqual(0, stored(CONFIG_KEY, "SkipGraphicsDriverCheck")["result"])


if __name__ == "__main__":
    unittest.main()
