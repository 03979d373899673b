#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The window in the page against the layout table as the C++ exports it: every control's place,
size, text, colour, limit and tab stop; the quota options as drawn; and an accessibility
audit with axe-core inside the browser (the window on other screens: window_screens_test)."""

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

import page_session as ps

# How the page shows each kind of control's text.
CAPTION_SCRIPT = """
const e = arguments[0];
if (e.matches('input, textarea')) return e.value;
return e.textContent;
"""


class WindowLayoutTest(ps.PageTest):
    def setUp(self):
        super().setUp()
        self.description = ps.window_description(self.browser)

    def test_every_control_has_its_place_size_text_colour_and_limit(self):
        controls = self.description["controls"]
        self.assertEqual(len(controls), 33)
        for row in controls:
            with self.subTest(row["name"]):
                element = ps.control(self.browser, row["name"])
                box = self.browser.execute_script(
                    "const e = arguments[0]; return [e.offsetLeft, e.offsetTop, e.offsetWidth,"
                    " e.offsetHeight, getComputedStyle(e).backgroundColor];", element)
                if row["hidden"]:
                    self.assertFalse(element.is_displayed())
                    box[:4] = [row["left"], row["top"], row["width"], row["height"]]
                self.assertEqual(box[:4], [row["left"], row["top"], row["width"], row["height"]])
                if row["background"]:
                    self.assertEqual(box[4], row["background"])
                text = self.browser.execute_script(CAPTION_SCRIPT, element)
                self.assertEqual(text, row["caption"].replace("\r\n", "\n"))
                if row["maxLength"] > 0:
                    self.assertEqual(element.get_attribute("maxlength"), str(row["maxLength"]))
                if row["tooltip"]:
                    self.assertEqual(element.get_attribute("title"), row["tooltip"])

    def test_window_has_its_size_colour_caption_and_font(self):
        window = ps.control(self.browser, self.description["name"])
        size, background, family, font_size, weight = self.browser.execute_script(
            "const e = arguments[0], s = getComputedStyle(e);"
            "return [[e.offsetWidth, e.offsetHeight], s.backgroundColor, s.fontFamily,"
            " s.fontSize, getComputedStyle(document.querySelector('[data-name=\"List1(2)\"]'))"
            ".fontWeight]", window)
        self.assertEqual(size, [self.description["width"], self.description["height"]])
        self.assertEqual(background, self.description["background"])
        # A document's title shows runs of blanks as one.
        self.assertEqual(self.browser.title, " ".join(self.description["caption"].split()))
        self.assertTrue(family.startswith('"Times New Roman", "Liberation Serif"'), family)
        self.assertEqual(font_size, f"{self.description['fontPointSize'] * 4 // 3}px")
        self.assertEqual(weight, "700")

    def test_quota_options_are_drawn_as_the_window_shows_them(self):
        # The whole option is the radio button; the drawn circle holds a dot when checked.
        ps.control(self.browser, "Option1(2)").click()
        drawn = self.browser.execute_script(
            "return Array.from({length: 3}, (_, k) => getComputedStyle(document.querySelector("
            "`[data-name=\"Option1(${k})\"] .mark`)).backgroundImage.startsWith('radial'))")
        self.assertEqual(drawn, [False, False, True])

    def test_tab_walks_the_controls_in_their_order(self):
        stops = [row["name"] for row in sorted(self.description["controls"], key=lambda r: r["tab"])
                 if not row["hidden"] and row["kind"] not in ("label", "frame")
                 and row["name"] not in ("Option1(1)", "Option1(2)")]  # Hare is chosen
        walked = [ps.focused_name(self.browser)]
        for _ in stops[1:]:
            ActionChains(self.browser).send_keys(Keys.TAB).perform()
            walked.append(ps.focused_name(self.browser))
        self.assertEqual(walked, stops)

    def test_audit_finds_no_serious_violation(self):
        # With a calculated district, so that the lists hold rows as well.
        for name, text in (("Text2(0)", "2"), ("Text2(1)", "3")):
            ps.control(self.browser, name).send_keys(text)
        ps.control(self.browser, "Command1").click()
        self.assertEqual(ps.audit(self.browser), [])


if __name__ == "__main__":
    ps.main()
