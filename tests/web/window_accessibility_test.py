#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The desktop window's accessibility cases (tests/ui/accessibility_test.cpp) in the page, read
from Chromium's accessibility tree."""

from selenium.webdriver.common.action_chains import ActionChains

import page_session as ps


def contrast(*colours):
    """WCAG's contrast ratio of two CSS rgb() colours."""
    def luminance(css):
        c = [int(v) / 255 for v in css[css.index("(") + 1:css.index(")")].split(",")[:3]]
        c = [v / 12.92 if v <= 0.04045 else ((v + 0.055) / 1.055) ** 2.4 for v in c]
        return 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2] + 0.05
    light, dark = sorted(map(luminance, colours), reverse=True)
    return light / dark


class WindowAccessibilityTest(ps.PageTest):

    def calculate(self, votes):  # with the last party chosen
        ps.enter_district(self.browser, str(len(votes)), "7", votes)
        ps.control(self.browser, "Command2(1)").click()

    def click_row(self, name, row):
        ActionChains(self.browser).click(ps.control(self.browser, name).find_elements(
            "css selector", "[role=option]")[row]).perform()

    def tree(self):
        """(role, name, node) of each node of the accessibility tree that assistive tools see."""
        nodes = self.browser.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
        return [(n["role"]["value"], n.get("name", {}).get("value"), n) for n in nodes
                if not n.get("ignored")]

    def test_a_row_chosen_by_an_assistive_tool_is_the_party_in_every_column(self):
        self.calculate(["100", "200", "300"])
        self.click_row("List1(0)", 0)
        # An assistive tool's action on a row is a click alone, without a press.
        for name, row, votes in (("List1(0)", 2, "300"), ("List1(3)", 1, "200")):
            self.browser.execute_script(
                "arguments[0].querySelectorAll('[role=option]')[arguments[1]].click()",
                ps.control(self.browser, name), row)
            self.assertEqual([ps.selected_row(self.browser, f"List1({k})") for k in range(5)],
                             [row] * 5, name)
            self.assertEqual(ps.control(self.browser, "Text3(0)").get_attribute("value"), votes)

    def test_only_the_keyboard_focus_is_reported_focused(self):
        self.calculate(["100", "200", "300"])
        self.click_row("List1(0)", 1)
        tree = self.tree()
        focused = [name for role, name, node in tree if role != "RootWebArea" and any(
            p["name"] == "focused" and p["value"]["value"] for p in node.get("properties", []))]
        self.assertEqual(focused, ["Партия"])  # its active row is "2":
        self.assertEqual(self.browser.execute_script("return document.getElementById(document."
                                                     "activeElement.getAttribute("
                                                     "'aria-activedescendant')).textContent"), "2")
        self.assertFalse({"Гласове", "Остатъци"} & {name for _, name, _ in tree})

    def test_results_are_named_with_their_party_and_told_after_each_calculation(self):
        self.browser.execute_script(
            "window.told = 0; new MutationObserver(r => { window.told += r.length; })"
            ".observe(document.getElementById('told'), {childList: true});")
        self.calculate(ps.SAMPLE_VOTES)
        tree = self.tree()
        self.assertIn("Партия 5: 7.70", [name for role, name, _ in tree if role == "option"])
        final = next(node for role, name, node in tree if name == "манд. оконч.")
        self.assertTrue(final["description"]["value"].startswith("Партия 1: 3; Партия 2: 2"))
        self.assertIn("status", [role for role, _, _ in tree])  # a polite live region
        ps.control(self.browser, "Command2(1)").click()  # the same results again
        count, told = self.browser.execute_script(
            "return [window.told, document.getElementById('told').textContent]")
        self.assertEqual((count, told[:44]), (2, "Общо гл.: 159349. манд. предв.: Партия 1: 2;"))

    def test_result_columns_mark_the_party_and_scroll_with_the_others(self):
        self.calculate(["1", "2", "3", "4", "5"])
        shown = self.browser.execute_script(  # the marked row of each visible list, in view
            "return Array.from(document.querySelectorAll('.listbox:not([hidden])'), l => {"
            " const r = l.querySelector('[aria-selected=true]'), a = r.getBoundingClientRect(),"
            " b = l.getBoundingClientRect(); return a.top >= b.top && a.bottom <= b.bottom"
            " && r.dataset.row; })")
        self.assertEqual(shown, ["4"] * 5)
        self.browser.execute_script("arguments[0].scrollTop = 19",
                                    ps.control(self.browser, "List1(2)"))
        ps.WebDriverWait(self.browser, 5).until(lambda b: b.execute_script(
            "return Array.from(document.querySelectorAll('.listbox:not([hidden])'),"
            " l => l.scrollTop).every(top => top === 19)"))

    def test_borders_and_focus_rings_keep_their_contrast(self):
        window = self.browser.execute_script(
            "return getComputedStyle(document.getElementById('window')).backgroundColor")
        for name in ("Text2(0)", "Text3(1)", "List1(0)", "List1(4)"):
            element = ps.control(self.browser, name)
            for side in ("left", "top"):
                colour = element.value_of_css_property(f"border-{side}-color")
                self.assertGreaterEqual(contrast(colour, window), 3.0, (name, side))
        self.browser.execute_script("arguments[0].focus()", element)
        self.assertEqual(element.value_of_css_property("outline-color"), "rgba(0, 0, 0, 1)")

    def test_typing_into_a_blank_vote_box_replaces_the_blank(self):
        ps.enter_district(self.browser, "2", "7", [])
        box = ps.control(self.browser, "Text3(0)")
        self.assertEqual(box.get_attribute("value"), " ")
        box.send_keys("12345678")
        self.assertEqual(box.get_attribute("value"), "12345678")


if __name__ == "__main__":
    ps.main()
