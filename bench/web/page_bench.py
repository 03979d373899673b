#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a user of the web page waits for, in headless chromium, with the page opened from disk,
both as the page's folder (index.html and its files) and as mandati.html, the page in one file:

- start-up: from the start of navigation until the window is built and holds the focus
  (document.body.dataset.ready), against a yardstick page from disk with one line of text and
  no script, timed at its load event; the three are opened in turn, ROUNDS times each;
- a click of "Изчисли" with 99 parties, the quota changed before each, from the click until
  the frame after it is painted (requestAnimationFrame, then a task after it), against a click that changes nothing
  ("Въведи" with an empty vote box), in turn, ROUNDS times each;
- opening the teaching bench on a freshly opened page, from the click of its switch until its
  first result (the worked example under all six methods) is shown, its script loaded (from
  mandati.html: unpacked) and its worker started, against a second calculation of the same
  district on the open bench, in turn, ROUNDS times each, for both pages;
- the longest task on the page's main thread (the Long Tasks API: tasks over 50 ms) while the
  bench shows the largest result, 99 parties under all six methods for 1..1000 seats, as
  tables (shown in part) and as a chart, a third of ROUNDS times each; the goal is none over
  100 ms;
- the size of the page's files, uncompressed.

  bench/web/page_bench.py BUILD/web/index.html [ROUNDS]   (mandati.html from the same folder)

Prints medians with their quartiles, in milliseconds."""
import pathlib
import random
import statistics
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "tests" / "web"))
import page_session as ps  # noqa: E402

# Records when the window is ready (or, for the yardstick, loaded) on every new document.
READY_PROBE = """
new MutationObserver((_, observer) => {
  if (document.body && document.body.dataset.ready) {
    window.readyAt = performance.now();
    observer.disconnect();
  }
}).observe(document, {subtree: true, attributes: true, attributeFilter: ['data-ready']});
addEventListener('load', () => { window.loadedAt = performance.now(); });
"""

CLICK_TO_PAINT = """
const done = arguments[arguments.length - 1];
const button = document.querySelector(`[data-name="${arguments[0]}"]`);
const start = performance.now();
button.click();
requestAnimationFrame(() => setTimeout(() => done(performance.now() - start), 0));
"""


# From a click until the bench shows a result (its data-state turns "done").
CLICK_TO_RESULT = """
const done = arguments[arguments.length - 1];
const bench = document.getElementById('bench');
const start = performance.now();
new MutationObserver((_, observer) => {
  if (bench.dataset.state === 'done') { observer.disconnect(); done(performance.now() - start); }
}).observe(bench, {attributes: true, attributeFilter: ['data-state']});
document.getElementById(arguments[0]).click();
"""


def quartiles(values):
    q = statistics.quantiles(values, n=4)
    return f"median {statistics.median(values):.1f} ms (quartiles {q[0]:.1f} to {q[2]:.1f})"


def start_up(browser, pages, yardstick, rounds):
    times = {name: [] for name in pages}
    times["yardstick"] = []
    for _ in range(rounds + 3):
        for name, page in pages.items():
            browser.get(page.as_uri())
            ps.WebDriverWait(browser, 10).until(
                lambda b: b.execute_script("return window.readyAt"))
            times[name].append(browser.execute_script("return window.readyAt"))
        browser.get(yardstick.as_uri())
        ps.WebDriverWait(browser, 10).until(lambda b: b.execute_script("return window.loadedAt"))
        times["yardstick"].append(browser.execute_script("return window.loadedAt"))
    return {name: values[3:] for name, values in times.items()}  # three warm-up rounds


def enter_parties(browser, count):
    votes = [str(random.Random(18).randint(1000, 9_999_999)) for _ in range(count)]
    browser.execute_script("""
      const [count, votes] = arguments;
      const c = (name) => document.querySelector(`[data-name="${name}"]`);
      c('Text2(0)').value = String(count); c('Text2(1)').value = '99';
      c('Command1').click();
      const rows = c('List1(0)').querySelectorAll('[role=option]');
      votes.forEach((v, k) => {
        rows[k].dispatchEvent(new MouseEvent('mousedown', {bubbles: true}));
        c('Text3(0)').value = v;
        c('Command2(0)').click();
      });""", count, votes)


def click_to_paint(browser, rounds):
    times = {"calculate": [], "nothing": []}
    for round_ in range(rounds + 3):
        # Another quota each time (not timed), so that every timed calculation rewrites the
        # ratio column's 99 rows.
        ps.control(browser, f"Option1({round_ % 2})").click()
        times["calculate"].append(browser.execute_async_script(CLICK_TO_PAINT, "Command2(1)"))
        times["nothing"].append(browser.execute_async_script(CLICK_TO_PAINT, "Command2(0)"))
    return {name: values[3:] for name, values in times.items()}


def bench_opening(browser, page, rounds):
    times = {"open": [], "again": []}
    ps.PAGE = page
    for _ in range(rounds + 3):
        ps.open_page(browser)
        times["open"].append(browser.execute_async_script(CLICK_TO_RESULT, "bench-view"))
        times["again"].append(browser.execute_async_script(CLICK_TO_RESULT, "bench-calculate"))
    return {name: values[3:] for name, values in times.items()}


LONGEST_TASK = """
const [view, done] = [arguments[0], arguments[arguments.length - 1]];
const bench = document.getElementById('bench');
const tasks = [];
const observer = new PerformanceObserver(list => list.getEntries().forEach(
  entry => tasks.push(entry.duration)));
observer.observe({type: 'longtask'});
document.querySelector('[name=bench-show][value=' + view + ']').checked = true;
document.getElementById('bench-calculate').click();
const wait = () => bench.dataset.state === 'done' ?
  setTimeout(() => { observer.disconnect(); done(Math.max(0, ...tasks)); }, 500) :
  setTimeout(wait, 50);
wait();
"""


def largest_result(browser, rounds):
    ps.open_page(browser)
    browser.find_element("id", "bench-view").click()
    ps.WebDriverWait(browser, 30).until(lambda b: b.execute_script(
        "return document.getElementById('bench').dataset.state === 'done'"))
    rng = random.Random(5)
    browser.execute_script(
        "document.getElementById('bench-parties').value = arguments[0];"
        "document.getElementById('bench-seats').value = '1..1000';",
        "".join(f"Партия {k},{rng.randint(1000, 9_999_999)}\n" for k in range(99)))
    browser.set_script_timeout(300)
    return {view: [browser.execute_async_script(LONGEST_TASK, view)
                   for _ in range(max(3, rounds // 3))] for view in ("tables", "chart")}


def main():
    folder = pathlib.Path(sys.argv[1]).resolve().parent
    pages = {"index.html": folder / "index.html", "mandati.html": folder / "mandati.html"}
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 30
    ps.PAGE = pages["index.html"]
    yardstick = pathlib.Path(__file__).resolve().parent / "yardstick.html"
    browser = ps.start_browser()
    try:
        browser.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": READY_PROBE})
        starts = start_up(browser, pages, yardstick, rounds)
        ps.open_page(browser)
        enter_parties(browser, 99)
        assert len(ps.list_rows(browser, "List1(0)")) == 99
        clicks = click_to_paint(browser, rounds)
        assert len(ps.list_rows(browser, "List1(2)")) == 99
        opening = {name: bench_opening(browser, page, rounds) for name, page in pages.items()}
        longest = largest_result(browser, rounds)
    finally:
        ps.stop_browser(browser)
    files = [folder / name for name in ("index.html", "mandati.css", "mandati.js",
                                        "mandati-bench.js")]
    print(f"files: {sum(f.stat().st_size for f in files)} bytes in all "
          f"({', '.join(f'{f.name} {f.stat().st_size}' for f in files)}); "
          f"mandati.html {pages['mandati.html'].stat().st_size}")
    for name in pages:
        print(f"{name}: window ready after navigation start: {quartiles(starts[name])}")
    print(f"yardstick page loaded:                           {quartiles(starts['yardstick'])}")
    print(f"click of Изчисли, 99 parties, to the next painted frame: {quartiles(clicks['calculate'])}")
    print(f"click that changes nothing, to the next painted frame:   {quartiles(clicks['nothing'])}")
    for name in pages:
        print(f"{name}: bench opened, to its first result:      {quartiles(opening[name]['open'])}")
        print(f"{name}: the same calculation on the open bench: {quartiles(opening[name]['again'])}")
    for view, values in longest.items():
        print(f"largest result as {view}: longest main-thread task {quartiles(values)}, "
              f"longest of all {max(values):.1f} ms in {len(values)} rounds")


if __name__ == "__main__":
    main()
