#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The window in the page as assistive tools and keyboard users meet it, as the desktop window's
accessibility tests have it: rows chosen by an assistive tool's action, one focused object,
results named with their party and told after each calculation, result columns that mark the
party and scroll together, the arrow keys through the quotas, borders that keep their contrast,
and the vote box after set-up. Names and states are read from Chromium's accessibility tree."""

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

import page_session as ps


def relative_luminance(rgb):
    def channel(c):
        c /= 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (channel(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((relative_luminance(a), relative_luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def rgb(css):
    return [int(part) for part in css[css.index("(") + 1:css.index(")")].split(",")[:3]]


class WindowAccessibilityTest(ps.PageTest):

    def calculate(self, votes):
        ps.enter_district(self.browser, str(len(votes)), "7", votes)
        ps.control(self.browser, "Command2(1)").click()

    def marked_rows(self):
        return [ps.selected_row(self.browser, f"List1({column})") for column in range(5)]

    def tree(self):
        """The nodes of the accessibility tree that assistive tools see."""
        nodes = self.browser.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
        return [n for n in nodes if not n.get("ignored")]

    @staticmethod
    def value(node, key):
        return node.get(key, {}).get("value")

    @staticmethod
    def has(node, flag):
        return any(p["name"] == flag and p["value"]["value"] for p in node.get("properties", []))

    def test_a_row_chosen_by_an_assistive_tool_is_the_party_in_every_column(self):
        self.calculate(["100", "200", "300"])
        ActionChains(self.browser).click(
            ps.control(self.browser, "List1(0)").find_elements("css selector", "[role=option]")[0]
        ).perform()
        # An assistive tool's action on a row is a click alone, without a press.
        for name, row, votes in (("List1(0)", 2, "300"), ("List1(3)", 1, "200")):
            self.browser.execute_script(
                "arguments[0].querySelectorAll('[role=option]')[arguments[1]].click()",
                ps.control(self.browser, name), row)
            self.assertEqual(self.marked_rows(), [row] * 5, name)
            self.assertEqual(ps.control(self.browser, "Text3(0)").get_attribute("value"), votes)

    def test_only_the_keyboard_focus_is_reported_focused(self):
        self.calculate(["100", "200", "300"])
        ActionChains(self.browser).click(
            ps.control(self.browser, "List1(0)").find_elements("css selector", "[role=option]")[1]
        ).perform()
        nodes = self.tree()
        focused = [self.value(n, "name") for n in nodes
                   if self.has(n, "focused") and self.value(n, "role") != "RootWebArea"]
        self.assertEqual(focused, ["Партия"])  # with its active row, "2"
        self.assertEqual(self.browser.execute_script(
            "const l = document.activeElement;"
            "return document.getElementById(l.getAttribute('aria-activedescendant')).textContent"),
            "2")
        names = [self.value(n, "name") for n in nodes]
        self.assertIn("Партия", names)
        self.assertNotIn("Гласове", names)
        self.assertNotIn("Остатъци", names)

    def test_results_are_named_with_their_party_and_told_after_each_calculation(self):
        self.browser.execute_script(
            "window.told = 0; new MutationObserver(r => { window.told += r.length; })"
            ".observe(document.getElementById('told'), {childList: true});")
        self.calculate(ps.SAMPLE_VOTES)
        nodes = self.tree()
        names = [self.value(n, "name") for n in nodes if self.value(n, "role") == "option"]
        self.assertIn("Партия 1: 3", names)
        self.assertIn("Партия 5: 7.70", names)
        final = next(n for n in nodes if self.value(n, "name") == "манд. оконч.")
        self.assertEqual(self.value(final, "role"), "listbox")
        self.assertTrue(self.value(final, "description").startswith("Партия 1: 3; Партия 2: 2"))
        ps.control(self.browser, "Command2(1)").click()  # the same results again
        told = self.browser.execute_script(
            "return [window.told, document.getElementById('told').textContent]")
        self.assertEqual(told[0], 2)
        self.assertTrue(told[1].startswith("Общо гл.: 159349. манд. предв.: Партия 1: 2;"))
        self.assertIn("манд. оконч.: Партия 1: 3; Партия 2: 2; Партия 3: 1; Партия 4: 1; "
                      "Партия 5: 0.", told[1])
        region = next(n for n in nodes if self.value(n, "role") == "status")
        self.assertTrue(any(p["name"] == "live" and p["value"]["value"] == "polite"
                            for p in region["properties"]))

    def test_result_columns_mark_the_party_and_scroll_with_the_others(self):
        self.calculate(["1", "2", "3", "4", "5"])
        self.assertEqual(self.marked_rows(), [4] * 5)
        for column in range(5):
            inside = self.browser.execute_script(
                "const l = arguments[0], r = l.querySelector('[aria-selected=true]')"
                ".getBoundingClientRect(), b = l.getBoundingClientRect();"
                "return r.top >= b.top && r.bottom <= b.bottom",
                ps.control(self.browser, f"List1({column})"))
            self.assertTrue(inside, column)
        self.browser.execute_script("arguments[0].scrollTop = 19",
                                    ps.control(self.browser, "List1(2)"))
        ps.WebDriverWait(self.browser, 5).until(lambda b: b.execute_script(
            "return Array.from({length: 5}, (_, k) => document.querySelector("
            "`[data-name=\"List1(${k})\"]`).scrollTop).every(t => t === 19)"))

    def test_arrow_keys_go_through_the_quotas_in_their_order(self):
        ps.control(self.browser, "Option1(0)").find_element("css selector", "input").click()
        walked = []
        for key in (Keys.ARROW_RIGHT, Keys.ARROW_RIGHT, Keys.ARROW_LEFT):
            ActionChains(self.browser).send_keys(key).perform()
            walked.append(ps.focused_name(self.browser))
        self.assertEqual(walked, ["Option1(1)", "Option1(2)", "Option1(1)"])
        checked = [ps.control(self.browser, f"Option1({i})").find_element(
            "css selector", "input").is_selected() for i in range(3)]
        self.assertEqual(checked, [False, True, False])

    def test_borders_and_focus_rings_keep_their_contrast(self):
        window = rgb(self.browser.execute_script(
            "return getComputedStyle(document.getElementById('window')).backgroundColor"))
        for name in ("Text2(0)", "Text3(1)", "List1(0)", "List1(4)"):
            element = ps.control(self.browser, name)
            for side in ("left", "top"):
                colour = rgb(element.value_of_css_property(f"border-{side}-color"))
                self.assertGreaterEqual(contrast(colour, window), 3.0, (name, side))
            if name.startswith("List"):
                self.browser.execute_script("arguments[0].focus()", element)
                self.assertNotEqual(element.value_of_css_property("outline-style"), "none")

    def test_typing_into_a_blank_vote_box_replaces_the_blank(self):
        ps.enter_district(self.browser, "2", "7", [])
        box = ps.control(self.browser, "Text3(0)")
        self.assertEqual(box.get_attribute("value"), " ")
        box.send_keys("12345678")
        self.assertEqual(box.get_attribute("value"), "12345678")


if __name__ == "__main__":
    ps.main()
