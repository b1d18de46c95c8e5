#!/usr/bin/python3
"""The page of `scenario_tool view` in a real browser (Debian's headless Chromium driven through
chromium-driver): the built-in scenario and a 1000 km line are compiled, written as pages and
opened from file:// URLs. On each: no console error, the stations and features are in the page,
a wheel zoom on the profile moves the plan's highlighted stretch, the keys, a drag, the km boxes
and the reset set the stretch, hovering a signal shows its decoded aspects, the findings of
`check` are marked with their messages, and a search for a station goes to it. Screenshots are kept in the artefacts folder; the first paint is printed.

usage: browser_test.py SCENARIO_TOOL WRITE_SYNTHETIC ARTEFACTS_DIR
A missing browser, driver or binding is a failure, never a skip."""

import json
import os
import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.wheel_input import ScrollOrigin
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
FAILURES = []


def check(condition, what):
    status = "ok  " if condition else "FAIL"
    print(f"{status} {what}", flush=True)
    if not condition:
        FAILURES.append(what)


def run(*args):
    result = subprocess.run(args, capture_output=True, text=True)
    if result.returncode != 0:
        raise RuntimeError(f"{' '.join(args)} exited {result.returncode}: {result.stderr}")
    return result.stdout


def compile_and_view(tool, folder, line_source, train_source, page):
    out = os.path.join(folder, "out")
    run(tool, "compile", line_source, train_source, "-o", out)
    run(tool, "view", out, "-o", page)
    report = json.loads(run(tool, "inspect", "--json", "--cells", out))
    # check ends with 2 when it finds an error; its findings are what the page marks.
    checked = subprocess.run([tool, "check", "--json", out], capture_output=True, text=True)
    if checked.returncode not in (0, 2):
        raise RuntimeError(f"check exited {checked.returncode}: {checked.stderr}")
    report["check_findings"] = json.loads(checked.stdout)["findings"]
    return report


def make_pages(tool, write_synthetic, work):
    builtin = os.path.join(work, "builtin")
    run(tool, "template", "-o", builtin)
    pages = {}
    pages["builtin"] = (os.path.join(work, "builtin.html"), compile_and_view(
        tool, builtin, os.path.join(builtin, "Valdora_Lusa_linea.txt"),
        os.path.join(builtin, "Valdora_Lusa_24863-.txt"), os.path.join(work, "builtin.html")))
    long = os.path.join(work, "long")
    os.makedirs(long)
    run(write_synthetic, "1000000", long)
    pages["1000km"] = (os.path.join(work, "1000km.html"), compile_and_view(
        tool, long, os.path.join(long, "Sintetico_linea.txt"),
        os.path.join(long, "Sintetico_1-.txt"), os.path.join(work, "1000km.html")))
    return pages


def browser():
    for path in (CHROMIUM, CHROMEDRIVER):
        if not os.path.exists(path):
            raise RuntimeError(f"{path} is missing: install chromium and chromium-driver")
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=1440,1200",
                 "--disable-dev-shm-usage", "--hide-scrollbars"):
        options.add_argument(flag)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)


def wait_for(driver, script, what, timeout=30):
    end = time.time() + timeout
    while time.time() < end:
        value = driver.execute_script(script)
        if value:
            return value
        time.sleep(0.05)
    raise RuntimeError(f"timed out waiting for {what}")


def shown(driver):
    plan = driver.find_element(By.ID, "plan")
    return (int(plan.get_attribute("data-from-m")), int(plan.get_attribute("data-to-m")),
            driver.find_element(By.CSS_SELECTOR, "#plan .shown-stretch").get_attribute("d"))


def settle(driver):
    # Two frames: the render asked for by an event, then its paint.
    driver.execute_async_script(
        "const done = arguments[0]; requestAnimationFrame(() => requestAnimationFrame(done));")


def check_page(driver, name, page, report, artefacts):
    print(f"--- {name}: {page} ({os.path.getsize(page)} bytes)")
    check(os.path.getsize(page) < 8 * 1024 * 1024, f"{name}: the page is within a few MB")
    driver.get("file://" + page)
    first_paint = float(wait_for(
        driver, "return document.documentElement.getAttribute('data-first-paint-ms')",
        "the first paint"))
    fcp = driver.execute_script(
        "const e = performance.getEntriesByName('first-contentful-paint');"
        "return e.length ? e[0].startTime : null;")
    print(f"FIRST-PAINT {name}: drawn at {first_paint:.1f} ms, first contentful paint "
          f"{fcp if fcp is None else round(fcp, 1)} ms")
    severe = [e for e in driver.get_log("browser") if e["level"] == "SEVERE"]
    check(not severe, f"{name}: no console error {severe}")

    # Every station and feature is in the page; unsearched, the side list holds the stations.
    names = [li.text for li in driver.find_elements(By.CSS_SELECTOR, "#list li.kind-station")]
    stations = [s["name"] for s in report["stations"]]
    check(len(names) == len(stations) and all(s in n for s, n in zip(stations, names)),
          f"{name}: the side list names the {len(stations)} stations")
    features = driver.execute_script(
        "return document.querySelectorAll('#profile .feature:not(.kind-finding)').length")
    check(features == len(report["cells"]),
          f"{name}: {len(report['cells'])} occupied cells drawn as features ({features})")
    curves = driver.execute_script("return document.querySelectorAll('#profile .curve').length")
    check(curves == len(report["curves"]["stretches"]) and curves > 0,
          f"{name}: {len(report['curves']['stretches'])} curves in the curvature lane")
    driver.save_screenshot(os.path.join(artefacts, f"view_{name}_whole.png"))

    # A wheel zoom on the profile changes the plan's stretch.
    before = shown(driver)
    profile = driver.find_element(By.ID, "profile")
    ActionChains(driver).scroll_from_origin(ScrollOrigin.from_element(profile, 100, 0), 0,
                                            -400).perform()
    settle(driver)
    after = shown(driver)
    check(after[1] - after[0] < before[1] - before[0] and after[2] != before[2],
          f"{name}: a wheel zoom narrows the plan's stretch {before[:2]} -> {after[:2]}")

    # Keys: + narrows, the right arrow moves on; a drag pans; the km boxes and the reset.
    profile.click()
    profile.send_keys("+")
    settle(driver)
    keyed = shown(driver)
    check(keyed[1] - keyed[0] < after[1] - after[0], f"{name}: + zooms in {keyed[:2]}")
    profile.send_keys(Keys.ARROW_RIGHT)
    settle(driver)
    moved = shown(driver)
    check(moved[0] > keyed[0], f"{name}: the right arrow pans on {moved[:2]}")
    ActionChains(driver).move_to_element(profile).click_and_hold().move_by_offset(
        200, 0).release().perform()
    settle(driver)
    dragged = shown(driver)
    check(dragged[0] < moved[0], f"{name}: dragging to the right shows what lies before")
    length = report["route"]["cell_count"] * 50
    a_km, b_km = round(length * 0.4 / 1000, 1), round(length * 0.45 / 1000, 1)
    for box, value in (("from-km", a_km), ("to-km", b_km)):
        field = driver.find_element(By.ID, box)
        field.clear()
        field.send_keys(str(value))
    driver.find_element(By.ID, "show-range").click()
    settle(driver)
    boxed = shown(driver)
    check(abs(boxed[0] - a_km * 1000) <= 1 and abs(boxed[1] - b_km * 1000) <= 1,
          f"{name}: the km boxes show {a_km} to {b_km} km: {boxed[:2]}")
    driver.find_element(By.ID, "reset").click()
    settle(driver)
    check(shown(driver)[:2] == (0, length), f"{name}: the reset shows the whole line")

    # Hovering a signal shows its decoded aspects, as inspect decodes them; found through the list.
    signal = next(c for c in report["cells"] if c["kind_name"] == "signal")
    search = driver.find_element(By.ID, "search")
    search.send_keys(f"signal \u2014 cell {signal['index']}")
    item = driver.find_element(By.CSS_SELECTOR, "#list li.kind-signal")
    check(f"cell {signal['index']}" in item.text, f"{name}: searching the signal lists it")
    item.click()
    settle(driver)
    element = driver.find_element(
        By.XPATH, f"//*[@data-key and contains(@aria-label, '(cell {signal['index']})')]")
    ActionChains(driver).move_to_element(element).perform()
    settle(driver)
    tip = driver.find_element(By.ID, "tip")
    left = signal["meaning"]["left"]["aspects"]
    right = signal["meaning"]["right"]["aspects"]
    expected = [f"left-hand aspect value {i + 1} \u2014 {v}" for i, v in enumerate(left)] + \
               [f"right-hand aspect value {i + 1} \u2014 {v}" for i, v in enumerate(right)]
    text = tip.text
    check(tip.is_displayed() and all(e in text for e in expected),
          f"{name}: hovering the signal at cell {signal['index']} shows {expected}")
    driver.save_screenshot(os.path.join(artefacts, f"view_{name}_signal.png"))

    # The findings of check are marked where check places them, with its message.
    placed = [f for f in report["check_findings"] if f["position_m"] is not None]
    markers = driver.find_elements(By.CSS_SELECTOR, "#profile .feature.kind-finding")
    check(len(markers) == len(placed), f"{name}: {len(placed)} findings of check marked")
    if placed:
        finding = placed[0]
        search = driver.find_element(By.ID, "search")
        search.click()
        search.clear()
        search.send_keys(finding["message"][:40], Keys.ENTER)
        settle(driver)
        marker = driver.find_element(By.CSS_SELECTOR, "#profile .feature.kind-finding.selected")
        ActionChains(driver).move_to_element(marker).perform()
        settle(driver)
        text = driver.find_element(By.ID, "tip").text
        check(finding["message"] in text and f"({finding['check']})" in text,
              f"{name}: hovering the marker at {finding['position_m']} m shows its message")
        driver.save_screenshot(os.path.join(artefacts, f"view_{name}_finding.png"))

    # A search for a station's name goes to it.
    station = report["stations"][len(report["stations"]) // 2]
    search = driver.find_element(By.ID, "search")
    search.click()
    search.clear()
    search.send_keys(station["name"], Keys.ENTER)
    settle(driver)
    settle(driver)
    at = shown(driver)
    selected = driver.find_elements(By.CSS_SELECTOR, "#list li.selected")
    check(at[0] <= station["position_m"] <= at[1] and at[1] - at[0] < length,
          f"{name}: searching {station['name']} shows {at[:2]} around {station['position_m']} m")
    check(len(selected) == 1 and station["name"] in selected[0].text,
          f"{name}: the station is selected in the list")
    check(station["name"] in driver.find_element(By.ID, "tip").text,
          f"{name}: its tooltip names it")
    driver.save_screenshot(os.path.join(artefacts, f"view_{name}_station.png"))
    severe = [e for e in driver.get_log("browser") if e["level"] == "SEVERE"]
    check(not severe, f"{name}: still no console error {severe}")


def main():
    if len(sys.argv) != 4:
        print(__doc__)
        return 64
    tool, write_synthetic, artefacts = sys.argv[1:]
    os.makedirs(artefacts, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        pages = make_pages(tool, write_synthetic, work)
        driver = browser()
        try:
            for name, (page, report) in pages.items():
                check_page(driver, name, page, report, artefacts)
        finally:
            driver.quit()
    print(f"{len(FAILURES)} failed")
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
