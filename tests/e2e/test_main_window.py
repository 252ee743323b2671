"""The main window from outside: place, controls, keys, closing, pixels."""

import unittest

from harness import (BUTTON_STYLE, NULL, SILVER_LIGHT, SILVER_OUTLINE,
                     WS_CAPTION, WS_CHILD, WS_CLIPCHILDREN, WS_CLIPSIBLINGS, WS_EX_WINDOWEDGE,
                     WS_MAXIMIZEBOX, WS_MINIMIZEBOX, WS_SYSMENU, WS_THICKFRAME, WS_VISIBLE,
                     Program, Screenshot, click, probe, gbk_hex, key, near, park_mouse, screen_rect,
                     settle, wait_for)

BUTTON1 = gbk_hex("点击 关闭显卡升级提示")
BUTTON2 = gbk_hex("点击 关闭Bluestacks升级提示")
PICTURE_STYLE = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS

# Stacking order from the top: 按钮2, 按钮1, 图片框2, 图片框1.
EXPECTED_CONTROLS = [
    ("Button", BUTTON2, BUTTON_STYLE, [0, 256, 432, 288]),
    ("Button", BUTTON1, BUTTON_STYLE, [8, 120, 432, 152]),
    ("TolvarenPictureBox", "", PICTURE_STYLE, [8, 152, 432, 256]),
    ("TolvarenPictureBox", "", PICTURE_STYLE, [8, 16, 432, 120]),
]


def focus_index(window):
    for i, c in enumerate(window["controls"]):
        if c["handle"] == window["focus"]:
            return i
    return None


ON_BUTTON2, ON_BUTTON1 = 0, 1


class MainWindowLayout(unittest.TestCase):
    def check_layout(self, window):
        self.assertEqual("WTWindow", window["class"])
        self.assertEqual("", window["caption"], "the title bar shows no text")
        self.assertEqual([740, 378, 1179, 702], window["rect"])
        style = window["style"]
        # Windows clips every top-level window's siblings by itself.
        self.assertEqual(WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                         style & 0xFFFF0000 & ~WS_CLIPSIBLINGS, hex(style))
        for bit in (WS_THICKFRAME, WS_MINIMIZEBOX, WS_MAXIMIZEBOX):
            self.assertFalse(style & bit, hex(bit))
        # Windows adds the window edge to every captioned window by itself.
        self.assertEqual(0, window["exstyle"] & ~WS_EX_WINDOWEDGE)
        got = [(c["class"], c["text"], c["style"], c["rect"]) for c in window["controls"]]
        self.assertEqual(EXPECTED_CONTROLS, got)
        self.assertEqual([0] * 4, [c["exstyle"] for c in window["controls"]])
        self.assertEqual(ON_BUTTON1, focus_index(window), "the focus starts on 按钮1")
        self.assertEqual(window["handle"], window["active"])

    def test_window_controls_and_focus_at_start_with_or_without_arguments(self):
        for args in ((), ("/S", "--help", "C:\\x y.txt", "-1")):
            with self.subTest(args=args), Program(*args) as program:
                self.check_layout(program.window())
                self.assertEqual({"answer": 1}, probe("endsession"), "log-off never refused")
                key("Escape")
                self.assertEqual(0, program.exit_code())


class MainWindowKeys(unittest.TestCase):
    def test_tab_and_shift_tab_cycle_between_the_buttons(self):
        with Program() as program:
            for keys, expected in (("Tab", ON_BUTTON2), ("Tab", ON_BUTTON1),
                                   ("shift+Tab", ON_BUTTON2), ("shift+Tab", ON_BUTTON1),
                                   ("shift+Tab", ON_BUTTON2)):
                key(keys)
                settle(0.2)
                self.assertEqual(expected, focus_index(program.window()), keys)

    def test_enter_f1_arrows_and_picture_clicks_do_nothing(self):
        with Program() as program:
            window = program.window()
            pictures = [screen_rect(window, window["controls"][i]) for i in (2, 3)]
            actions = [(keys, lambda keys=keys: key(keys))
                       for keys in ("Return", "F1", "Left", "Right", "Up", "Down", "KP_Enter")]
            actions += [("click on a picture", lambda r=r: click(r[0] + 200, r[1] + 50))
                        for r in pictures]
            for keys, act in actions:
                act()
                settle(0.3)
                window = program.window()
                self.assertEqual(ON_BUTTON1, focus_index(window), keys)
                self.assertEqual(window["handle"], window["active"], keys)
                self.assertEqual([], program.boxes(), keys)
                self.assertIsNone(program.process.poll(), keys)

    def test_every_close_path_ends_the_process_with_code_0(self):
        def close_box(window):
            click(*window["closebox"])

        def system_menu(window):
            # Close is the item with the mnemonic C (Wine adds its own item last).
            key("alt+space")
            settle(0.5)
            key("c")

        cases = {
            "Esc": lambda window: key("Escape"),
            "Alt+F4": lambda window: key("alt+F4"),
            "close box": close_box,
            "system menu Close": system_menu,
        }
        for name, close in cases.items():
            with self.subTest(name), Program() as program:
                close(program.window())
                self.assertEqual(0, program.exit_code(), name)


class MainWindowPixels(unittest.TestCase):
    def test_buttons_in_the_silver_skin_and_pictures_unscaled(self):
        with Program() as program:
            park_mouse()
            key("Tab", "shift+Tab")  # focus drawn after keyboard use, on 按钮1
            settle(0.6)
            window = program.window()
            shot = Screenshot("main-window")
            face = tuple(window["btnface"])
            buttons = [screen_rect(window, window["controls"][i]) for i in (ON_BUTTON1, ON_BUTTON2)]
            for rect in buttons:
                left, top, right, bottom = rect
                mid = (left + right) // 2
                with self.subTest(button=rect):
                    self.assertEqual(SILVER_OUTLINE, shot.at(mid, top))
                    self.assertEqual(SILVER_OUTLINE, shot.at(mid, bottom - 1))
                    self.assertEqual(SILVER_OUTLINE, shot.at(left, (top + bottom) // 2))
                    self.assertEqual(SILVER_OUTLINE, shot.at(right - 1, (top + bottom) // 2))
                    self.assertEqual(face, shot.at(left, top), "rounded corner")
                    # Face: near white at the top, the silver at the bottom,
                    # left of the centred text.
                    self.assertTrue(near(shot.at(left + 10, top + 4), (0xFF, 0xFF, 0xFF), 16))
                    self.assertTrue(near(shot.at(left + 10, bottom - 4), SILVER_LIGHT, 10),
                                    shot.at(left + 10, bottom - 4))

            box1 = screen_rect(window, window["controls"][3])
            box2 = screen_rect(window, window["controls"][2])
            # Known colours of each picture at its own coordinates.
            picture_samples = [
                (box1, 415, 3, (0xFF, 0xFF, 0xFF)),
                (box1, 13, 25, (0xD9, 0x30, 0x25)),
                (box1, 14, 82, (0xF2, 0xB7, 0x05)),
                (box2, 4, 4, (0xE6, 0xE6, 0xE6)),
                (box2, 196, 58, (0xE1, 0xE1, 0xE1)),
            ]
            for box, x, y, colour in picture_samples:
                got = shot.at(box[0] + x, box[1] + y)
                self.assertTrue(near(got, colour, 24), (x, y, got, colour))
            # The picture ends at 421 x 99 and 421 x 87; the button face after.
            for box, height in ((box1, 99), (box2, 87)):
                left, top = box[0], box[1]
                for y in (10, height - 1):
                    self.assertNotEqual(face, shot.at(left + 420, top + y))
                    for x in (421, 422, 423):
                        self.assertEqual(face, shot.at(left + x, top + y))
                for x in (30, 300, 420):
                    self.assertNotEqual(face, shot.at(left + x, top + height - 1))
                    for y in range(height, 104):
                        self.assertEqual(face, shot.at(left + x, top + y), (x, y))
            key("Escape")
            self.assertEqual(0, program.exit_code())


if __name__ == "__main__":
    unittest.main()
