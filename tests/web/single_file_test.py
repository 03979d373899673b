#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""mandati.html, the page in one file, opened from disk; and the panel about the program."""
import pathlib
import re
import tarfile

from selenium.webdriver.common.by import By

import page_session as ps

VERSION = re.search(r"project\(mandati VERSION ([0-9.]+)", (pathlib.Path(__file__).resolve()
                    .parents[2] / "CMakeLists.txt").read_text()).group(1)


class SingleFileTest(ps.PageTest):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.browser.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": """
            window.violations = [];
            document.addEventListener('securitypolicyviolation',
              e => violations.push(e.violatedDirective + ' ' + e.blockedURI));"""})

    def test_runs_the_worked_example_and_the_bench_from_one_small_file(self):
        self.assertLessEqual(ps.PAGE.stat().st_size, 600 * 1024)
        ps.enter_district(self.browser, "5", "7", ps.SAMPLE_VOTES)
        ps.control(self.browser, "Command2(1)").click()
        self.assertEqual(ps.list_rows(self.browser, "List1(2)"), ["3", "2", "1", "1", "0"])
        self.browser.find_element(By.ID, "bench-view").click()
        ps.WebDriverWait(self.browser, 10).until(lambda b: b.execute_script(
            "return document.getElementById('bench').dataset.state === 'done'"))
        self.assertIn("Квота на Хеър: 22764", self.browser.find_element(By.ID, "bench-result").text)
        violations, fetched = self.browser.execute_script(
            "return [violations, performance.getEntriesByType('resource').map(e => e.name)"
            ".filter(name => !/^(data|blob):/.test(name))]")
        self.assertEqual((violations, fetched), ([], []))

    def test_about_names_the_licence_version_and_source(self):
        self.browser.find_element(By.ID, "about-button").click()
        about = self.browser.find_element(By.ID, "about")
        self.assertIn("GPL-3.0-or-later", about.text)
        self.assertIn(f"Версия {VERSION}", about.text)  # the page speaks Bulgarian
        links = about.find_elements(By.TAG_NAME, "a")
        if not links:  # built outside a git checkout: the panel says where the source is
            self.assertIn("apt-get source mandati", about.text)
            return
        archive = ps.PAGE.parent / links[0].get_attribute("href").split("/")[-1]
        with tarfile.open(archive) as source:
            names = source.getnames()
            self.assertIn(f"mandati-{VERSION}/web/page.js", names)
            licence = source.extractfile(f"mandati-{VERSION}/COPYING").read().decode()
        self.assertIn("GNU GENERAL PUBLIC LICENSE\n                       Version 3", licence)


if __name__ == "__main__":
    ps.main()
