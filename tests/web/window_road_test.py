#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The calculator window in the page, used as a person uses it: by mouse, by keyboard alone,
with unusable input, and with the focus moving about. These check that each event reaches the
form's commands and that the page shows what they leave; the arithmetic is tested natively."""

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

import page_session as ps

SAMPLE_VOTES = ["58125", "45871", "27142", "15947", "12264"]


class WindowRoadTest(ps.PageTest):

    def c(self, name):
        return ps.control(self.browser, name)

    def click(self, name):
        ActionChains(self.browser).click(self.c(name)).perform()

    def type_into(self, name, text):
        box = self.c(name)
        box.clear()
        box.send_keys(text)

    def click_row(self, name, row):
        option = self.c(name).find_elements("css selector", "[role=option]")[row]
        ActionChains(self.browser).click(option).perform()

    def enter_district(self, parties, seats, votes):
        self.type_into("Text2(0)", parties)
        self.type_into("Text2(1)", seats)
        self.click("Command1")
        for row, text in enumerate(votes):
            self.click_row("List1(0)", row)
            self.type_into("Text3(0)", text)
            self.click("Command2(0)")

    def results(self):
        return (ps.list_rows(self.browser, "List1(1)"), ps.list_rows(self.browser, "List1(2)"),
                self.c("Text3(1)").get_attribute("value"))

    def press(self, *keys):
        ActionChains(self.browser).send_keys(*keys).perform()

    def back_tab(self):
        ActionChains(self.browser).key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(
            Keys.SHIFT).perform()

    def test_worked_example_by_mouse(self):
        self.enter_district("5", "7", SAMPLE_VOTES)
        self.click("Command2(1)")
        self.assertEqual(self.results(),
                         (["2", "2", "1", "0", "0"], ["3", "2", "1", "1", "0"], "159349"))

    def test_worked_example_by_keyboard_alone(self):
        self.assertEqual(ps.focused_name(self.browser), "Text1(0)")
        self.press(Keys.TAB, "5", Keys.TAB, "7", Keys.TAB, Keys.ENTER, Keys.TAB)
        for row, votes in enumerate(SAMPLE_VOTES):
            self.assertEqual(ps.focused_name(self.browser), "List1(0)")
            if row > 0:
                self.press(Keys.ARROW_DOWN)
            self.press(Keys.TAB, votes, Keys.TAB, Keys.ENTER)
            self.back_tab()
            self.assertEqual(ps.focused_name(self.browser), "Text3(0)")
            self.back_tab()
        self.press(Keys.TAB, Keys.TAB, Keys.TAB)
        self.assertEqual(ps.focused_name(self.browser), "Command2(1)")
        self.press(Keys.ENTER)
        self.assertEqual(self.results(),
                         (["2", "2", "1", "0", "0"], ["3", "2", "1", "1", "0"], "159349"))

    def test_corner_cases(self):
        # (what, parties, seats, votes, quota option, preliminary, final seats, total)
        cases = [
            ("unusable party count", "ab", "7", [], 0, [], [], ""),
            ("missing votes", "5", "7", SAMPLE_VOTES[:4], 0, [], [], ""),
            ("seat count 0 under Hare", "5", "0", SAMPLE_VOTES, 0, [], [], ""),
            ("leftover seats beyond the party count", "2", "5", ["1", "1"], 1,
             ["1", "1"], ["2", "3"], "2"),
            ("tie: the higher party number first", "3", "2", ["10", "10", "10"], 0,
             ["0", "0", "0"], ["0", "1", "1"], "30"),
        ]
        for what, parties, seats, votes, option, preliminary, final, total in cases:
            with self.subTest(what):
                ps.open_page(self.browser)
                self.click(f"Option1({option})")
                self.enter_district(parties, seats, votes)
                self.click("Command2(1)")
                self.assertEqual(self.results(), (preliminary, final, total))

    def test_moving_the_focus_never_changes_the_party(self):
        self.enter_district("5", "7", SAMPLE_VOTES)
        self.click("Command2(1)")
        self.click_row("List1(2)", 3)
        for _ in range(16):
            self.press(Keys.TAB)
            for column in range(5):
                self.assertEqual(ps.selected_row(self.browser, f"List1({column})"), 3)
        self.assertEqual(self.c("Text3(0)").get_attribute("value"), "15947")

    def test_the_checked_option_is_the_quota_used(self):
        self.enter_district("5", "7", SAMPLE_VOTES)
        self.click("Option1(1)")
        self.press(Keys.ARROW_DOWN)  # the arrow keys move the choice to Hagenbach-Bischoff
        checked = [self.c(f"Option1({i})").find_element("css selector", "input").is_selected()
                   for i in range(3)]
        self.assertEqual(checked, [False, False, True])
        self.click("Command2(1)")
        self.assertEqual(ps.list_rows(self.browser, "List1(3)")[0], "2.918")
        self.assertEqual(ps.focused_name(self.browser), "Command2(1)")

    def test_enter_and_space_on_a_focused_button_click_it(self):
        self.type_into("Text2(0)", "3")
        self.c("Command1").send_keys(Keys.ENTER)
        self.assertEqual(ps.list_rows(self.browser, "List1(0)"), ["1", "2", "3"])
        self.c("Command3").send_keys(Keys.SPACE)
        self.assertEqual(ps.list_rows(self.browser, "List1(0)"), [])
        self.assertEqual(self.c("Text2(0)").get_attribute("value"), "")


if __name__ == "__main__":
    ps.main()
