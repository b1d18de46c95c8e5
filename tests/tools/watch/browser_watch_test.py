#!/usr/bin/python3
"""The page that `scenario_tool watch --view` keeps up to date, in a real browser (Debian's
headless Chromium through chromium-driver), opened from a file:// URL: a station renamed in the
train source and saved by rename reaches the open page by itself, the stretch shown and the
selection, and the search it was found by, are kept across the reload, and no console error
comes. The time from the save to the
reloaded page's first paint is printed (WATCH-RELOAD), as the median of a few saves.

usage: browser_watch_test.py SCENARIO_TOOL ARTEFACTS_DIR
A missing browser, driver or binding is a failure, never a skip."""

import os
import signal
import statistics
import subprocess
import sys
import tempfile
import time

from selenium.webdriver.common.by import By

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "view"))
import browser_test as view_browser_test  # noqa: E402

FAILURES = []
TRAIN = "Valdora_Lusa_24863-.txt"
LINE = "Valdora_Lusa_linea.txt"
STATION = "VALDORA CORVELI"


def check(condition, what):
    print(f"{'ok  ' if condition else 'FAIL'} {what}", flush=True)
    if not condition:
        FAILURES.append(what)


def browser():
    # The same headless Chromium as the view's own browser test.
    return view_browser_test.browser()


def wait_for(what, probe, timeout=30):
    end = time.time() + timeout
    while time.time() < end:
        value = probe()
        if value:
            return value
        time.sleep(0.01)
    raise RuntimeError(f"timed out waiting for {what}")


def page_stamp(driver):
    # The stamp of the page loaded now, once it is drawn; None while it loads.
    return driver.execute_script(
        "const h = document.getElementById('reload-hook');"
        "if (!h || !document.documentElement.getAttribute('data-first-paint-ms')) return null;"
        "return JSON.parse(h.textContent).stamp;")


def shown(driver):
    plan = driver.find_element(By.ID, "plan")
    return int(plan.get_attribute("data-from-m")), int(plan.get_attribute("data-to-m"))


def save_by_rename(path, text):
    with open(path + ".new", "w", encoding="latin-1", newline="") as f:
        f.write(text)
    os.replace(path + ".new", path)


def station_names(driver):
    # From the page's data: the side list may be narrowed by a search.
    return driver.execute_script(
        "return JSON.parse(document.getElementById('scenario-data').textContent)"
        ".report.stations.map(s => s.name);")


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 64
    tool, artefacts = sys.argv[1:]
    os.makedirs(artefacts, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        subprocess.run([tool, "template", "-o", work], check=True, capture_output=True)
        out = os.path.join(work, "out")
        train_path = os.path.join(work, TRAIN)
        with open(train_path, encoding="latin-1", newline="") as f:
            train = f.read()
        log = open(os.path.join(artefacts, "watch_output.txt"), "w")
        watch = subprocess.Popen([tool, "watch", os.path.join(work, LINE), train_path, "-o", out,
                                  "--view"], stdout=log, stderr=subprocess.STDOUT)
        driver = browser()
        try:
            page = os.path.join(out, "Valdora_Lusa_24863.html")
            wait_for("the first page", lambda: os.path.exists(page) and os.path.exists(
                os.path.join(out, "Valdora_Lusa_24863.stamp.js")))
            driver.get("file://" + page)
            stamp = wait_for("the page drawn", lambda: page_stamp(driver))
            check(any(STATION in n for n in station_names(driver)), "the page lists " + STATION)

            # A stretch and a feature chosen by the reader, to be kept across the reloads.
            # A signal is listed only under a search: the search is kept with it.
            search = driver.find_element(By.ID, "search")
            search.send_keys("signal \u2014 cell 197")
            driver.find_element(By.CSS_SELECTOR, "#list li.kind-signal").click()
            before = shown(driver)

            times = []
            for i in range(5):
                name = f"VALDORA NUOVA {i}"
                saved = time.monotonic()
                save_by_rename(train_path, train.replace(STATION, name))
                new = wait_for("the reloaded page",
                               lambda: (page_stamp(driver) or stamp) != stamp and page_stamp(driver))
                times.append((time.monotonic() - saved) * 1000)
                stamp = new
                names = station_names(driver)
                check(any(name in n for n in names) and not any(STATION in n for n in names),
                      f"save {i + 1}: the reloaded page lists {name} in place of {STATION}")
                check(shown(driver) == before,
                      f"save {i + 1}: the stretch shown is kept {before} -> {shown(driver)}")
                selected = driver.find_elements(By.CSS_SELECTOR, "#list li.selected")
                check(len(selected) == 1 and "cell 197" in selected[0].text,
                      f"save {i + 1}: the search and the selection are kept")
            driver.save_screenshot(os.path.join(artefacts, "watch_reloaded.png"))
            severe = [e for e in driver.get_log("browser") if e["level"] == "SEVERE"]
            check(not severe, f"no console error {severe}")
            print(f"WATCH-RELOAD save to reloaded page: median {statistics.median(times):.0f} ms, "
                  f"each {[round(t) for t in times]} ms (debounce 150 ms, stamp read every 0.25 s)")
        finally:
            driver.quit()
            watch.send_signal(signal.SIGINT)
            check(watch.wait(timeout=30) == 0, "SIGINT ends watch with 0")
            log.close()
    print(f"{len(FAILURES)} failed")
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
