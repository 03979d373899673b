#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The page's teaching bench: mandati-cli's output and status (and its HTML tables, shown) on
random districts in Bulgarian and English, messages naming its controls, names kept in their
column, the link, its status region, print, accessibility and a long sweep shown in part."""
import base64
import random
import re
import os
import subprocess
import zlib

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
FIELD_NAMES = {
    "bg": {"--seats": "Брой мандати", "--method": "Методи", "--exact": "Точно сравняване на "
           "остатъците", "--explain": "Обяснение на всеки мандат", "--format": "Покажи",
           "": "Партии"},
    "en": {"--seats": "Number of seats", "--method": "Methods", "--exact": "Exact comparison "
           "of remainders", "--explain": "Explanation of every seat", "--format": "Show",
           "": "Parties"}}


def random_request(rng):
    """The bench's fields, and mandati-cli's arguments and standard input that ask the same."""
    seats = str(rng.randint(1, 60))
    if rng.random() < 0.25:
        first = rng.randint(1, 30)
        seats = f"{first}..{first + rng.randint(1, 25)}"
    methods = rng.sample(["hare", "droop", "hagenbach-bischoff", "imperiali", "dhondt",
                          "sainte-lague"], rng.randint(1, 6))
    fields = {"seats": seats, "methods": methods, "exact": rng.random() < 0.4,
              "explain": rng.random() < 0.3, "language": rng.choice(["bg", "en"]),
              "show": rng.choice(["table", "tables", "csv", "json", "svg"])}
    if rng.random() < 0.1:  # fewer votes than seats: a quota of 0 refuses the quota methods
        fields["parties"] = "".join(f"{rng.randint(1, 9)}\n" for _ in range(rng.randint(1, 3)))
    else:
        fields["parties"] = district_text(rng, rng.randint(1, 99))
    shown = {"tables": "html"}.get(fields["show"], fields["show"])  # the view of the HTML tables
    args = ["--seats=" + seats, "--method=" + ",".join(methods), "--format=" + shown]
    if fields["exact"]:
        args.append("--exact")
    # The bench takes its explanation where the format carries it; a range refuses it.
    if fields["explain"] and shown in EXPLAINING_FORMATS:
        args.append("--explain")
    return fields, args


def open_bench(browser):
    ps.open_page(browser)
    browser.find_element(By.ID, "bench-view").click()
    wait_ready(browser)


def wait_ready(browser):
    ps.WebDriverWait(browser, 20).until(lambda b: b.execute_script(
        "return document.body.dataset.ready === 'bench'"
        " && document.getElementById('bench').dataset.state === 'done'"))


def link_of(text):
    """The address fragment of a link's text: raw deflate in base64url, as the page packs it."""
    packer = zlib.compressobj(9, zlib.DEFLATED, -15)
    packed = packer.compress(text.encode()) + packer.flush()
    return base64.urlsafe_b64encode(packed).decode().rstrip("=")


def open_link(browser, fragment):
    browser.get("about:blank")
    browser.get(ps.PAGE.as_uri() + "#" + fragment)
    wait_ready(browser)


def bench_state(browser):
    """What the bench's controls and status region hold."""
    return browser.execute_script("""
        return {parties: document.getElementById('bench-parties').value,
                seats: document.getElementById('bench-seats').value,
                methods: Array.from(document.querySelectorAll('#bench [data-keyword]'),
                                    box => box.checked),
                exact: document.getElementById('bench-exact').checked,
                explain: document.getElementById('bench-explain').checked,
                show: document.querySelector('[name=bench-show]:checked').value,
                status: document.getElementById('bench-messages').textContent};""")


def wait_done(browser, timeout=60):
    ps.WebDriverWait(browser, timeout).until(lambda b: b.execute_script(
        "return document.getElementById('bench').dataset.state") == "done")


def table_rows(browser, selector):
    """The cells of the shown tables' rows, as text, without the words for screen readers."""
    return browser.execute_script("""
        return Array.from(document.querySelectorAll('#bench-result ' + arguments[0]), row =>
          Array.from(row.cells, cell => {
            const copy = cell.cloneNode(true);
            copy.querySelectorAll('.hidden').forEach(hidden => hidden.remove());
            return copy.textContent.trim();
          }));""", selector)


def set_fields(browser, parties, seats):
    browser.execute_script(
        "document.getElementById('bench-parties').value = arguments[0];"
        "document.getElementById('bench-seats').value = arguments[1];", parties, seats)


def calculate(browser, timeout=60):
    browser.find_element(By.ID, "bench-calculate").click()
    wait_done(browser, timeout)


def status_lines(browser):
    """The status region's lines, read at once (the region is replaced as answers arrive)."""
    return browser.execute_script("return Array.from(document.querySelectorAll("
                                  "'#bench-messages p'), p => p.innerText)")


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
                language = fields["language"]
                names = FIELD_NAMES[language]
                cli = subprocess.run([ps.CLI, *args], input=fields["parties"].encode(),
                                     capture_output=True, check=False,
                                     env={**os.environ, "LANGUAGE": language})
                messages = cli.stderr.decode().replace("mandati-cli: ", "")
                with self.subTest(args=args, parties=fields["parties"][:200]):
                    self.assertEqual(page["status"], cli.returncode)
                    self.assertEqual(page["out"].encode(), cli.stdout)
                    if fields["show"] == "tables" and cli.stdout:
                        html = cli.stdout.decode()
                        tables = html[html.index("<main>\n") + 7:html.rindex("</main>")]
                        if page["partial"]:  # shown in part: its beginning
                            tables = tables[:len(page["markup"])]
                        self.assertEqual(page["markup"], tables)
                    if cli.returncode == 2:
                        # Refused input is named by the control that holds it, never by an
                        # option or standard input.
                        self.assertTrue(page["err"].startswith(tuple(names.values())),
                                        page["err"])
                        self.assertNotIn("--", page["err"])
                        self.assertNotIn("standard input", page["err"])
                    else:
                        for option, name in names.items():
                            if option:
                                messages = messages.replace(option + ":", name + ":")
                        self.assertEqual(page["err"], messages)
                        summary = {"bg": ("Не е изчислено", "Изчислено"),
                                   "en": ("Not calculated", "Calculated")}[language]
                        self.assertTrue(page["summary"].startswith(summary[bool(page["out"])]))

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
        # The sweep tables' rows, cell by cell as a screen reader reads them, the words for
        # screen readers left out: the README's rows, with the paradox marked.
        expected = [line.split() for line in lesson.splitlines() if re.match(r" +\d", line)]
        self.assertEqual(table_rows(self.browser, ".sweep tbody tr"), expected)

    def test_built_in_election_matches_its_official_seats(self):
        Select(self.browser.find_element(By.ID, "bench-election")).select_by_value(
            "bg-2021-07-na46")
        wait_done(self.browser)
        self.assertEqual(status_lines(self.browser)[0],
                         "Изчислено: 46-о Народно събрание, 11 юли 2021. "
                         "Мандатите са официалните: MATCH.")

    def test_status_region_announces_results_and_refusals_in_either_language(self):
        region = self.browser.find_element(By.ID, "bench-messages")
        self.assertEqual(region.get_attribute("role"), "status")
        self.assertEqual(status_lines(self.browser), ["Изчислено: 6 метода, 7 мандата."])
        # Never emptied on the way from one answer to the next.
        self.browser.execute_script("""
            window.statusTexts = [];
            new MutationObserver(() => statusTexts.push(arguments[0].textContent))
              .observe(arguments[0], {childList: true, subtree: true});""", region)
        set_fields(self.browser, "Б\u202e,5\n", "7")
        calculate(self.browser)
        self.assertEqual(status_lines(self.browser)[0], "Не е изчислено: вижте съобщението.")
        language = self.browser.find_element(By.ID, "bench-language")
        self.browser.execute_script(
            "arguments[0].value = 'en'; arguments[0].dispatchEvent(new Event('change'))", language)
        wait_done(self.browser)
        self.assertTrue(status_lines(self.browser)[1].startswith("Parties, line 1: the character "
                                                                 "U+202E RIGHT-TO-LEFT OVERRIDE"))
        # The page's bar speaks the bench's language too; the window keeps its own.
        self.assertEqual(self.browser.execute_script(
            "const bar = document.getElementById('bar'); return [bar.lang, "
            "Array.from(bar.querySelectorAll('button:not([hidden])'), b => b.textContent)]"),
            ["en", ["Calculator", "Comparing methods", "About the program"]])
        self.assertNotIn("", self.browser.execute_script("return statusTexts"))
        # The choice of language is in the link: a reload keeps it.
        set_fields(self.browser, "58125\n45871\n", "7")
        calculate(self.browser)
        self.browser.refresh()
        wait_ready(self.browser)
        self.assertEqual(self.browser.find_element(By.ID, "bench-calculate").text, "Calculate")

    def test_names_keep_their_column(self):
        names = ["שלום עולם", "حزب الشعب", "Сила\u0438\u0306", "1 2"]
        set_fields(self.browser, "".join(f"{n},{500 - 100 * k}\n" for k, n in enumerate(names)), "9")
        calculate(self.browser)
        rows = table_rows(self.browser, "table:not(.sweep) tbody tr")
        first = rows[:len(names)]
        self.assertEqual([row[0] for row in first],
                         [f"{k + 1} {name}" for k, name in enumerate(names)])
        for row in first:  # each figure in a cell of its own, none taken by a name
            self.assertEqual(len(row), len(rows[0]))
            self.assertTrue(all(re.fullmatch(r"[\d.,\s%—-]*", cell) for cell in row[1:]), row)

    def test_link_reopens_random_districts(self):
        rng = random.Random(7)
        for _ in range(4):
            fields, _ = random_request(rng)
            fields["show"] = rng.choice(["tables", "chart"])
            self.browser.execute_script("""
                const f = arguments[0];
                document.getElementById('bench-parties').value = f.parties;
                document.getElementById('bench-seats').value = f.seats;
                document.querySelectorAll('#bench [data-keyword]').forEach(
                  box => { box.checked = f.methods.includes(box.value); });
                document.getElementById('bench-exact').checked = f.exact;
                document.getElementById('bench-explain').checked = f.explain;
                document.querySelector('[name=bench-show][value=' + f.show + ']').checked = true;""",
                fields)
            calculate(self.browser)
            before = bench_state(self.browser)
            link = self.browser.current_url
            self.browser.get("about:blank")
            self.browser.get(link)
            wait_ready(self.browser)
            with self.subTest(parties=fields["parties"][:100]):
                self.assertEqual(bench_state(self.browser), before)

    def test_hostile_links_give_a_message_and_an_empty_district(self):
        # What the link's text may hold is the C++ reader's (format/bench_link.h); here, what
        # the page unpacks: garbage, a link cut short, one that inflates past the bound.
        good = link_of("mandati-bench 1\nlanguage=bg\nview=tables\nseats=7\nmethods=hare\n"
                       "exact=0\nexplain=0\nparties=\n500\n")
        for fragment in ("!!%3Cscript%3E", good[:len(good) // 2],
                         link_of("mandati-bench 1\n" + "x" * (1 << 20))):
            with self.subTest(fragment=fragment[:40]):
                open_link(self.browser, fragment)
                lines = status_lines(self.browser)
                self.assertEqual(len(lines), 1)
                self.assertTrue(lines[0].startswith("Връзката не съдържа район"), lines)
                self.assertEqual(bench_state(self.browser)["parties"], "")
                self.assertEqual(self.browser.execute_script(
                    "return document.querySelectorAll('#bench img:not(#bench-chart), "
                    "#bench-result *').length"), 0)

    def test_copy_link_copies_the_address_or_says_it_could_not(self):
        for accepted, message in ((True, "Връзката към този район е копирана."),
                                  (False, "Връзката не може да се копира: копирайте я от "
                                          "адресната лента.")):
            self.browser.execute_script("""
                window.copied = [];
                Object.defineProperty(navigator.clipboard, 'writeText', {configurable: true,
                  value: text => copied.push(text) && arguments[0] ? Promise.resolve()
                                                                   : Promise.reject()});""",
                                        accepted)
            self.browser.find_element(By.ID, "bench-copy-link").click()
            ps.WebDriverWait(self.browser, 10).until(lambda b: status_lines(b) == [message])
            self.assertEqual(self.browser.execute_script("return copied"),
                             [self.browser.current_url])

    def test_a_file_being_prepared_can_be_stopped_or_is_stopped_by_a_new_calculation(self):
        rng = random.Random(5)
        set_fields(self.browser, "".join(f"{rng.randint(1000, 9_999_999)}\n" for _ in range(99)),
                   "1..1000")
        self.browser.execute_script("""
            window.saved = [];  // the files saved, kept off the disk
            document.addEventListener('click', event => event.target.download &&
              saved.push(event.target.download) && event.preventDefault(), true);""")
        progress = self.browser.find_element(By.ID, "bench-progress")
        csv = self.browser.find_element(By.CSS_SELECTOR, "#bench button[value=csv]")
        for stopper, message in (("bench-stop", "Файлът не е направен: спрян е."),
                                 ("bench-calculate", "Файлът не е направен: ново изчисление "
                                                     "го спря.")):
            csv.click()
            self.assertEqual([progress.is_displayed(), csv.is_enabled()], [True, False])
            self.browser.find_element(By.ID, stopper).click()
            ps.WebDriverWait(self.browser, 120).until(
                lambda b: not progress.is_displayed() and message in status_lines(b))
            wait_done(self.browser, timeout=120)
        # Nothing saved for a stopped file; one click, one file, once it is made.
        set_fields(self.browser, "58125\n45871\n", "7")
        csv.click()
        ps.WebDriverWait(self.browser, 60).until(lambda b: not progress.is_displayed())
        self.assertRegex(" ".join(self.browser.execute_script("return saved")), r"^\S+\.csv$")

    def test_prints_the_result_without_controls(self):
        ps.set_viewport(self.browser, 700, 900)
        self.browser.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": "print"})
        self.addCleanup(self.browser.execute_cdp_cmd, "Emulation.setEmulatedMedia", {"media": ""})
        printed = self.browser.execute_script("""
            const shown = Array.from(document.querySelectorAll('#bench *')).filter(
              e => e.getClientRects().length > 0);
            return [shown.filter(e => e.matches('form, button')).length,
                    shown.filter(e => e.matches('table')).length > 0,
                    shown.filter(e => !e.closest('.scroll') && e.getBoundingClientRect().right
                                 > document.documentElement.clientWidth + 1).length];""")
        self.assertEqual(printed, [0, True, 0])  # no control, the tables, nothing past the page

    def test_audit_finds_no_violation_on_a_phone_or_a_laptop_in_any_state(self):
        states = {"result": ("58125\n45871\n27142\n", "7", "tables"),
                  "refusal": ("58125\n", "7x", "tables"),
                  "sweep": ("18\n17\n6\n", "1..8", "tables"),
                  "chart": ("58125\n45871\n27142\n", "7", "chart")}
        for width in (360, 1366):
            ps.set_viewport(self.browser, width, 800)
            for state, (parties, seats, view) in states.items():
                with self.subTest(width=width, state=state):
                    set_fields(self.browser, parties, seats)
                    self.browser.find_element(
                        By.CSS_SELECTOR, f"[name=bench-show][value={view}]").click()
                    calculate(self.browser)
                    self.assertEqual(ps.audit(self.browser, impacts=None), [])
                    # Only a table scrolls sideways, never the page.
                    self.assertLessEqual(self.browser.execute_script(
                        "return document.documentElement.scrollWidth"), width)
                    self.assertEqual(self.browser.execute_script("""
                        return Array.from(document.querySelectorAll('#bench :is(button, input,'
                          + ' select)'), e => e.getBoundingClientRect()).filter(r => r.width > 0
                          && (r.width < 24 || r.height < 24)).length"""), 0)  # no small control

    def test_long_sweep_is_shown_in_part_and_offered_whole(self):
        rng = random.Random(99)
        set_fields(self.browser, "".join(f"{rng.randint(1000, 9_999_999)}\n" for _ in range(99)),
                   "1..1000")
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
        partial = self.browser.find_element(By.ID, "bench-partial")
        self.assertTrue(partial.is_displayed())
        self.assertRegex(partial.text, r"първите \d+ KB от \d{4,} KB")
        self.assertTrue(self.browser.find_element(By.ID, "bench-whole").is_displayed())
        self.assertGreater(len(table_rows(self.browser, ".sweep tbody tr")), 100)
        # Its chart, too large to draw without holding up the page, is only offered.
        self.browser.find_element(By.CSS_SELECTOR, "[name=bench-show][value=chart]").click()
        wait_done(self.browser, timeout=120)
        self.assertRegex(partial.text, r"Графиката е \d{3,} KB")
        self.assertFalse(self.browser.find_element(By.ID, "bench-chart").is_displayed())


if __name__ == "__main__":
    ps.main()
