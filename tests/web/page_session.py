# SPDX-License-Identifier: GPL-3.0-or-later
"""One headless chromium for a test file, driven by chromedriver, with the page opened from disk.

Each test file starts one browser in setUpClass and reopens the page for each test. The page is
given by --page (ctest passes build/web/index.html); the rest of the command line goes to
unittest.
"""
import argparse
import pathlib
import shutil
import sys
import tempfile
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

PAGE = None
AXE = None
CLI = None  # mandati-cli, for the tests that compare the page with it
README = pathlib.Path(__file__).resolve().parents[2] / "README.md"


def start_browser(width=1024, height=900):
    """Debian's chromium, headless, with nothing of the user's and no network of its own."""
    profile = tempfile.mkdtemp(prefix="mandati-web-")
    options = webdriver.ChromeOptions()
    options.binary_location = shutil.which("chromium") or "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu",
                     "--disable-background-networking", "--disable-component-update",
                     "--disable-sync", "--no-first-run", "--lang=en-US",
                     "--user-data-dir=" + profile, f"--window-size={width},{height}"):
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    driver_path = shutil.which("chromedriver") or "/usr/bin/chromedriver"
    browser = webdriver.Chrome(service=Service(driver_path), options=options)
    browser.profile_dir = profile
    return browser


def set_viewport(browser, width, height):
    """The page's width and height in CSS pixels; narrower than a desktop window can be."""
    browser.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": width, "height": height, "deviceScaleFactor": 1, "mobile": False})


def stop_browser(browser):
    browser.quit()
    shutil.rmtree(browser.profile_dir, ignore_errors=True)


def open_page(browser, view="window"):
    """Opens the page afresh and waits until the named view is built."""
    browser.get(PAGE.as_uri())
    WebDriverWait(browser, 10).until(
        lambda b: b.execute_script("return document.body.dataset.ready") == view)


def control(browser, name):
    """The element of the control with this name, "Text2(0)"."""
    return browser.find_element(By.CSS_SELECTOR, f'[data-name="{name}"]')


def list_rows(browser, name):
    return browser.execute_script(
        "return Array.from(arguments[0].querySelectorAll('[role=option]'), r => r.textContent)",
        control(browser, name))


def selected_row(browser, name):
    return browser.execute_script(
        "const rows = Array.from(arguments[0].querySelectorAll('[role=option]'));"
        "return rows.findIndex(r => r.getAttribute('aria-selected') === 'true')",
        control(browser, name))


def focused_name(browser):
    return browser.execute_script(
        "const e = document.activeElement; const c = e.closest('[data-name]');"
        "return c ? c.dataset.name : null")


def window_description(browser):
    """The layout table and fixed texts as the C++ exports them to the page."""
    return browser.execute_script("return Module.windowDescription()")


class PageTest(unittest.TestCase):
    """One browser for the test file; the page opened afresh for each test."""

    @classmethod
    def setUpClass(cls):
        cls.browser = start_browser()

    @classmethod
    def tearDownClass(cls):
        stop_browser(cls.browser)

    def setUp(self):
        open_page(self.browser)


def audit(browser, impacts=("serious", "critical")):
    """The axe-core audit of the page as it stands, target sizes included: its violations of
    the given impacts (None: of any)."""
    browser.execute_script(AXE)
    result = browser.execute_async_script(
        "const done = arguments[arguments.length - 1];"
        "axe.run(document, {rules: {'target-size': {enabled: true}}}).then(r =>"
        " done(r.violations.map(v => ({id: v.id, impact: v.impact,"
        " nodes: v.nodes.map(n => n.target.join(' '))}))));")
    return [v for v in result if impacts is None or v["impact"] in impacts]


SAMPLE_VOTES = ["58125", "45871", "27142", "15947", "12264"]


def enter_district(browser, parties, seats, votes):
    """Sets up the parties and enters each one's votes, by mouse, as a user does."""
    for name, text in (("Text2(0)", parties), ("Text2(1)", seats)):
        control(browser, name).clear()
        control(browser, name).send_keys(text)
    control(browser, "Command1").click()
    for row, text in enumerate(votes):
        control(browser, "List1(0)").find_elements(By.CSS_SELECTOR, "[role=option]")[row].click()
        control(browser, "Text3(0)").clear()
        control(browser, "Text3(0)").send_keys(text)
        control(browser, "Command2(0)").click()


def main():
    global PAGE, AXE, CLI
    parser = argparse.ArgumentParser()
    parser.add_argument("--page", required=True, type=pathlib.Path)
    parser.add_argument("--axe", type=pathlib.Path)
    parser.add_argument("--cli", type=pathlib.Path)
    args, rest = parser.parse_known_args()
    PAGE = args.page.resolve()
    CLI = args.cli
    if args.axe:
        AXE = args.axe.read_text(encoding="utf-8")
    unittest.main(argv=[sys.argv[0]] + rest, module="__main__", verbosity=2)
