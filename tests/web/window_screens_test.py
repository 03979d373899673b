#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The window on every screen and on paper: never drawn smaller than designed on a phone unless
fitted to the screen, enlarged by the browser's zoom, filling a projector, an accessibility
audit of any impact (target sizes included) on a phone and a laptop, and printed within an A4
page without the page's controls."""

from selenium.webdriver.common.by import By

import page_session as ps

# The printable width of an A4 page with the page's 12 mm margins, in CSS pixels (96 per inch).
A4_PRINTABLE_WIDTH = (210 - 2 * 12) / 25.4 * 96

# The window's text as drawn: its font size times the window's scale, in device pixels.
DRAWN_TEXT = """
const w = document.getElementById('window');
const scale = w.getBoundingClientRect().width / w.offsetWidth;
return parseFloat(getComputedStyle(w).fontSize) * scale * devicePixelRatio;"""

WINDOW_BOX = """
const r = document.getElementById('window').getBoundingClientRect();
return {left: r.left + scrollX, width: r.width, height: r.height,
        view: document.documentElement.clientWidth, scrolls: document.documentElement.scrollWidth};
"""


def metrics(browser, width, height, scale=1):
    browser.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": width, "height": height, "deviceScaleFactor": scale, "mobile": False})


class WindowScreensTest(ps.PageTest):
    def tearDown(self):
        self.browser.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
        self.browser.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": ""})

    def design(self):
        return ps.window_description(self.browser)

    def test_a_phone_pans_the_window_at_its_size_until_it_is_fitted(self):
        metrics(self.browser, 360, 740)
        ps.open_page(self.browser)
        design = self.design()
        box = self.browser.execute_script(WINDOW_BOX)
        self.assertEqual((box["left"], box["width"]), (0, design["width"]))
        self.assertGreaterEqual(box["scrolls"], design["width"])
        self.assertAlmostEqual(self.browser.execute_script(DRAWN_TEXT), 16, delta=0.01)
        fit = self.browser.find_element(By.ID, "fit-view")
        fit.click()
        box = self.browser.execute_script(WINDOW_BOX)
        self.assertEqual(fit.get_attribute("aria-pressed"), "true")
        self.assertAlmostEqual(box["width"], 360, delta=1)
        self.assertEqual(box["scrolls"], 360)

    def test_zoom_enlarges_the_window_and_a_projector_is_filled(self):
        design = self.design()
        for width, height in ((1366, 768), (360, 740), (1920, 1080)):
            with self.subTest(width=width):
                metrics(self.browser, width, height)
                ps.open_page(self.browser)
                box = self.browser.execute_script(WINDOW_BOX)
                self.assertGreaterEqual(box["width"], design["width"])
                if width == 1920:  # filled to the height below the bar
                    self.assertGreater(box["height"], height - 80)
                before = self.browser.execute_script(DRAWN_TEXT)
                # The browser's zoom to 200 %: half as many CSS pixels, each twice as large.
                metrics(self.browser, width // 2, height // 2, 2)
                self.assertAlmostEqual(self.browser.execute_script(DRAWN_TEXT), 2 * before,
                                       delta=0.02 * before)

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
                        const shown = (e) => e.getClientRects().length > 0;
                        const all = Array.from(document.querySelectorAll('body *')).filter(shown);
                        return [Math.max(...all.map(e => e.getBoundingClientRect().right)),
                                ['#bar', '#bench form', '#window', '#bench pre']
                                  .map(s => document.querySelector(s)).map(e => !!e && shown(e))];
                        """)
                finally:
                    self.tearDown()
                self.assertLessEqual(widest, A4_PRINTABLE_WIDTH)
                self.assertEqual(shown, [False, False, view == "window", view == "bench"])

if __name__ == "__main__":
    ps.main()
