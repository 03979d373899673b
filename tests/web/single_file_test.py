#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""mandati.html, the page in one file to hand out, opened from disk: small enough to send, the
worked example in its window, its bench started from the same file, its policy kept (no
violation reported) and nothing fetched but its own data; and the panel about the program,
with the licence, the version and the source archive beside the page."""
import pathlib
import re
import tarfile

from selenium.webdriver.common.by import By

import page_session as ps

ROOT = pathlib.Path(__file__).resolve().parents[2]

# Every violation of the page's Content-Security-Policy, recorded from the document's start.
VIOLATIONS = """
window.violations = [];
document.addEventListener('securitypolicyviolation',
  e => window.violations.push(e.violatedDirective + ' ' + e.blockedURI));
"""


class SingleFileTest(ps.PageTest):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.browser.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                    {"source": VIOLATIONS})

    def test_is_small_enough_to_send(self):
        self.assertLessEqual(ps.PAGE.stat().st_size, 600 * 1024)

    def test_runs_the_worked_example_and_the_bench_from_one_file(self):
        ps.enter_district(self.browser, "5", "7", ps.SAMPLE_VOTES)
        ps.control(self.browser, "Command2(1)").click()
        self.assertEqual(ps.list_rows(self.browser, "List1(2)"), ["3", "2", "1", "1", "0"])
        self.browser.find_element(By.ID, "bench-view").click()
        ps.WebDriverWait(self.browser, 10).until(lambda b: b.execute_script(
            "return document.getElementById('bench').dataset.state === 'done'"))
        table = self.browser.find_element(By.ID, "bench-table").text
        self.assertIn("Квота на Хеър", table)
        self.assertIn("159349", table)
        self.assertEqual(self.browser.execute_script("return window.violations"), [])
        fetched = self.browser.execute_script(
            "return performance.getEntriesByType('resource').map(e => e.name)")
        self.assertEqual([name for name in fetched if not name.startswith(("data:", "blob:"))],
                         [])

    def test_about_names_the_licence_version_and_source(self):
        self.browser.find_element(By.ID, "about-button").click()
        about = self.browser.find_element(By.ID, "about")
        self.assertIn("GPL-3.0-or-later", about.text)
        version = re.search(r"project\(mandati VERSION ([0-9.]+)",
                            (ROOT / "CMakeLists.txt").read_text()).group(1)
        self.assertIn(f" {version}", about.text)
        link = about.find_elements(By.TAG_NAME, "a")
        if not link:  # built outside a git checkout: the panel says where the source is
            self.assertIn("apt-get source mandati", about.text)
            return
        archive = ps.PAGE.parent / link[0].get_attribute("href").split("/")[-1]
        with tarfile.open(archive) as source:
            names = source.getnames()
        top = names[0].split("/")[0]
        for name in ("COPYING", "web/page.js", "core/party_table.h"):
            self.assertIn(f"{top}/{name}", names)
        with tarfile.open(archive) as source:
            licence = source.extractfile(f"{top}/COPYING").read().decode()
        self.assertIn("GNU GENERAL PUBLIC LICENSE", licence)
        self.assertIn("Version 3, 29 June 2007", licence)


if __name__ == "__main__":
    ps.main()
