#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The window on a phone, a laptop and a projector, zoomed, audited (any impact, target sizes
included) and printed on A4 without the page's controls."""

from selenium.webdriver.common.by import By

import page_session as ps

A4_PRINTABLE_WIDTH = (210 - 2 * 12) / 25.4 * 96  # 12 mm margins, in CSS pixels

# The window's text as drawn: its font size times its scale, in device pixels; its box.
DRAWN_TEXT = """const w = document.getElementById('window');
return parseFloat(getComputedStyle(w).fontSize) * devicePixelRatio
  * w.getBoundingClientRect().width / w.offsetWidth;"""
WINDOW_BOX = """const r = document.getElementById('window').getBoundingClientRect();
return [r.left + scrollX, r.width, r.height, document.documentElement.scrollWidth];"""


def metrics(browser, width, height, scale=1):
    browser.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": width, "height": height, "deviceScaleFactor": scale, "mobile": False})


class WindowScreensTest(ps.PageTest):
    def tearDown(self):
        self.browser.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
        self.browser.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": ""})

    def test_the_window_keeps_its_size_fills_a_projector_and_grows_with_the_zoom(self):
        for width, height in ((360, 740), (1366, 768), (1920, 1080)):
            with self.subTest(width=width):
                metrics(self.browser, width, height)
                ps.open_page(self.browser)
                left, shown_width, shown_height, scrolled = self.browser.execute_script(WINDOW_BOX)
                self.assertAlmostEqual(left, max(0, (width - shown_width) / 2), delta=1)
                self.assertGreaterEqual(min(shown_width, scrolled), 512)  # a phone pans it
                if width == 1920:  # filled to the height below the bar
                    self.assertGreater(shown_height, height - 80)
                before = self.browser.execute_script(DRAWN_TEXT)
                # The browser's zoom to 200 %: half as many CSS pixels, each twice as large.
                metrics(self.browser, width // 2, height // 2, 2)
                self.assertAlmostEqual(self.browser.execute_script(DRAWN_TEXT), 2 * before,
                                       delta=0.02 * before)

    def test_fit_to_the_screen_shows_the_whole_window_on_a_phone(self):
        metrics(self.browser, 360, 740)
        ps.open_page(self.browser)
        self.browser.find_element(By.ID, "fit-view").click()
        _, width, _, scrolled = self.browser.execute_script(WINDOW_BOX)
        self.assertEqual(self.browser.find_element(By.ID, "fit-view").get_attribute(
            "aria-pressed"), "true")
        self.assertEqual((round(width), scrolled), (360, 360))

    def test_audit_on_a_phone_and_a_laptop_finds_no_violation(self):
        for width, height in ((360, 740), (1366, 768)):
            with self.subTest(width=width):
                metrics(self.browser, width, height)
                ps.open_page(self.browser)
                ps.enter_district(self.browser, "3", "5", ["100", "200", "300"])
                ps.control(self.browser, "Command2(1)").click()
                self.browser.find_element(By.ID, "about-button").click()
                self.assertEqual(ps.audit(self.browser, impacts=None), [])

    def test_print_fits_an_a4_page_without_the_page_controls(self):
        ps.enter_district(self.browser, "5", "7", ps.SAMPLE_VOTES)
        ps.control(self.browser, "Command2(1)").click()
        for view in ("window", "bench"):
            with self.subTest(view):
                if view == "bench":
                    self.browser.find_element(By.ID, "bench-view").click()
                    ps.WebDriverWait(self.browser, 10).until(lambda b: b.execute_script(
                        "return document.getElementById('bench').dataset.state === 'done'"))
                metrics(self.browser, int(A4_PRINTABLE_WIDTH), 1000)
                self.browser.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": "print"})
                try:
                    widest, shown = self.browser.execute_script("""
                        const shown = (e) => !!e && e.getClientRects().length > 0;
                        const all = Array.from(document.querySelectorAll('body *')).filter(shown);
                        return [Math.max(...all.map(e => e.getBoundingClientRect().right)),
                                ['#bar', '#bench form', '#window', '#bench-result']
                                  .map(s => shown(document.querySelector(s)))];""")
                finally:
                    self.tearDown()
                self.assertLessEqual(widest, A4_PRINTABLE_WIDTH)
                self.assertEqual(shown, [False, False, view == "window", view == "bench"])


if __name__ == "__main__":
    ps.main()
