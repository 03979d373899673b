#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The page's teaching bench: the same output and status as mandati-cli on random districts,
with messages that call its controls by their names, the README's Alabama lesson in its view,
its accessibility, and a long sweep that leaves the page responsive. The arithmetic and the formats are tested natively; these check the
binding, the worker and the view."""
import random
import re
import os
import subprocess

from selenium.webdriver.common.by import By
from selenium.webdriver.support.select import Select

import page_session as ps

# Names with commas, quotes, blanks, Cyrillic, Greek and accented Latin: scripts whose letters
# take one place each, so the page's table (one place a character) and the companion's (the
# terminal's widths) align alike.
NAME_PARTS = ["Зелени", "Коалиция \"Напред\"", "Лява, дясна", "Ελιά", "Ñandú", "=1+2", "ДПС",
              "a\"b", "Народен съюз"]


def district_text(rng, count):
    """Party lines as a teacher types or pastes them: votes alone, name,votes (quoted where the
    name holds a comma or a quote) and spreadsheet rows name<TAB>votes."""
    lines = []
    for _ in range(count):
        votes = str(rng.choice([rng.randint(1, 200), rng.randint(1, 2_000_000)]))
        shape = rng.random()
        name = " ".join(rng.sample(NAME_PARTS, rng.randint(1, 2)))
        if shape < 0.3:
            lines.append(votes)
        elif shape < 0.7:
            lines.append('"' + name.replace('"', '""') + '",' + votes)
        else:
            lines.append(name.replace('"', "") + "\t" + votes)
    if rng.random() < 0.04:
        lines.insert(rng.randrange(len(lines) + 1),
                     rng.choice(["12.5", "x,0", "\x1b[31m,5", "Б\u202e,5"]))
    return "\n".join(lines) + "\n"


EXPLAINING_FORMATS = ("table", "json", "html")
# The names by which the bench's messages call its controls, for mandati-cli's options.
FIELD_NAMES = {"--seats": "Брой мандати", "--method": "Методи", "--exact": "Точно сравняване на "
               "остатъците", "--explain": "Обяснение на всеки мандат", "--format": "Покажи"}


def random_request(rng):
    """The bench's fields, and mandati-cli's arguments and standard input that ask the same."""
    seats = str(rng.randint(1, 60))
    if rng.random() < 0.25:
        first = rng.randint(1, 30)
        seats = f"{first}..{first + rng.randint(1, 25)}"
    methods = rng.sample(["hare", "droop", "hagenbach-bischoff", "imperiali", "dhondt",
                          "sainte-lague"], rng.randint(1, 6))
    fields = {"seats": seats, "methods": methods, "exact": rng.random() < 0.4,
              "explain": rng.random() < 0.3, "show": rng.choice(["table", "csv", "json", "svg"])}
    if rng.random() < 0.1:  # fewer votes than seats: a quota of 0 refuses the quota methods
        fields["parties"] = "".join(f"{rng.randint(1, 9)}\n" for _ in range(rng.randint(1, 3)))
    else:
        fields["parties"] = district_text(rng, rng.randint(1, 99))
    args = ["--seats=" + seats, "--method=" + ",".join(methods), "--format=" + fields["show"]]
    if fields["exact"]:
        args.append("--exact")
    # The bench takes its explanation where the format carries it; a range refuses it.
    if fields["explain"] and fields["show"] in EXPLAINING_FORMATS:
        args.append("--explain")
    return fields, args


def open_bench(browser):
    ps.open_page(browser)
    browser.find_element(By.ID, "bench-view").click()
    ps.WebDriverWait(browser, 10).until(lambda b: b.execute_script(
        "return document.body.dataset.ready === 'bench'"
        " && document.getElementById('bench').dataset.state === 'done'"))


def wait_done(browser, timeout=60):
    ps.WebDriverWait(browser, timeout).until(lambda b: b.execute_script(
        "return document.getElementById('bench').dataset.state") == "done")


RUN_BATCH = """
const [requests, done] = [arguments[0], arguments[arguments.length - 1]];
Promise.all(requests.map(r => mandatiBench.run(r))).then(done);
"""


class BenchTest(ps.PageTest):
    def setUp(self):
        open_bench(self.browser)

    def test_bench_gives_mandati_clis_output_and_status_in_its_own_words(self):
        rng = random.Random(18)
        requests = [random_request(rng) for _ in range(300)]
        self.browser.set_script_timeout(120)
        for start in range(0, len(requests), 100):
            batch = requests[start:start + 100]
            outcomes = self.browser.execute_async_script(RUN_BATCH, [f for f, _ in batch])
            for (fields, args), page in zip(batch, outcomes):
                # The bench speaks Bulgarian until told otherwise.
                cli = subprocess.run([ps.CLI, *args], input=fields["parties"].encode(),
                                     capture_output=True, check=False,
                                     env={**os.environ, "LANGUAGE": "bg"})
                messages = cli.stderr.decode().replace("mandati-cli: ", "")
                with self.subTest(args=args, parties=fields["parties"][:200]):
                    self.assertEqual(page["status"], cli.returncode)
                    self.assertEqual(page["out"].encode(), cli.stdout)
                    if cli.returncode == 2:
                        # Refused input is named by the control that holds it, never by an
                        # option or standard input.
                        self.assertTrue(page["err"].startswith(
                            tuple(FIELD_NAMES.values()) + ("Партии",)), page["err"])
                        self.assertNotIn("--", page["err"])
                        self.assertNotIn("standard input", page["err"])
                    else:
                        for option, name in FIELD_NAMES.items():
                            messages = messages.replace(option + ":", name + ":")
                        self.assertEqual(page["err"], messages)
                        summary = "Изчислено" if page["out"] else "Не е изчислено"
                        self.assertTrue(page["summary"].startswith(summary), page["summary"])

    def test_alabama_lesson_of_the_readme_shows_with_its_paradox(self):
        readme = ps.README.read_text(encoding="utf-8")
        lesson = re.search(r"\$ mandati-cli --seats 1\.\.8 --method hare,dhondt 18 17 6\n(.*?)\n```",
                           readme, re.S).group(1)
        self.assertIn("0!", lesson)
        parties = self.browser.find_element(By.ID, "bench-parties")
        parties.clear()
        parties.send_keys("18\n17\n6")
        seats = self.browser.find_element(By.ID, "bench-seats")
        seats.clear()
        seats.send_keys("1..8")
        for box in self.browser.find_elements(By.CSS_SELECTOR, "#bench fieldset [type=checkbox]"):
            if box.is_selected() != (box.get_attribute("value") in ("hare", "dhondt")):
                box.click()
        self.browser.find_element(By.ID, "bench-calculate").click()
        wait_done(self.browser)
        shown = self.browser.find_element(By.ID, "bench-table").get_attribute("textContent")
        self.assertEqual(shown, lesson + "\n")

    def test_built_in_election_matches_its_official_seats(self):
        Select(self.browser.find_element(By.ID, "bench-election")).select_by_value(
            "bg-2021-07-na46")
        wait_done(self.browser)
        shown = self.browser.find_element(By.ID, "bench-table").get_attribute("textContent")
        self.assertTrue(shown.startswith("46-о Народно събрание, 11 юли 2021\n"), shown[:80])
        self.assertTrue(shown.endswith("\nMATCH\n"), shown[-80:])

    def test_audit_finds_no_serious_violation(self):
        self.browser.find_element(By.ID, "bench-seats").send_keys("x")  # a refusal shows too
        self.browser.find_element(By.ID, "bench-calculate").click()
        wait_done(self.browser)
        shown = [p.text for p in self.browser.find_elements(By.CSS_SELECTOR, "#bench-messages p")]
        self.assertEqual(shown, ["Не е изчислено: вижте съобщението.",
                                 "Брой мандати: „7x“ не е цял брой мандати от 1 до 32767"])
        self.assertEqual(ps.audit(self.browser), [])

    def test_long_sweep_leaves_the_page_responsive(self):
        rng = random.Random(99)
        self.browser.execute_script(
            "document.getElementById('bench-parties').value = arguments[0];"
            "document.getElementById('bench-seats').value = '1..1000';",
            "".join(f"{rng.randint(1000, 9_999_999)}\n" for _ in range(99)))
        self.browser.set_script_timeout(120)
        frame_while_busy = self.browser.execute_async_script("""
            const done = arguments[arguments.length - 1];
            const bench = document.getElementById('bench');
            document.getElementById('bench-calculate').click();
            requestAnimationFrame(() => done(bench.dataset.state));""")
        self.assertEqual(frame_while_busy, "busy")
        wait_done(self.browser, timeout=120)
        self.assertEqual(self.browser.execute_script(
            "return document.getElementById('bench').dataset.status"), "0")
        shown = self.browser.find_element(By.ID, "bench-table").get_attribute("textContent")
        self.assertIn("Метод на Сент-Лагю: final seats per party", shown)
        self.assertIn("\n        1000  ", shown)


if __name__ == "__main__":
    ps.main()
