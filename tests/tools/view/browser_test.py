#!/usr/bin/python3
"""The page of `scenario_tool view` in a real browser (Debian's headless Chromium driven through
chromium-driver): the built-in scenario and a 1000 km line are compiled, written as pages and
opened from file:// URLs at 1280x800 and at 390x844. On each: no console error, the stations and
features are in the page (drawn, or counted in the marks that gather those too close to tell
apart), the gradients are labelled, the profile with its axis and lanes fits the first screen, a
wheel zoom moves the plan's stretch, the keys, a drag, the km boxes and the reset set the stretch,
a signal's tooltip says what its values mean and why it stands where it does, the findings of
`check` are marked with their messages, a search goes to a station, the keyboard reaches
everything (a skip link, one tab stop a lane, arrows by km, Enter selects), axe-core finds no
serious or critical rule, a phone shows data, and without JavaScript the tables are there.
Screenshots are kept in the artefacts folder; the first paint is printed.

usage: browser_test.py SCENARIO_TOOL WRITE_SYNTHETIC ARTEFACTS_DIR AXE_MIN_JS
A missing browser, driver, binding or axe-core is a failure, never a skip."""

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


def browser(javascript=True):
    for path in (CHROMIUM, CHROMEDRIVER):
        if not os.path.exists(path):
            raise RuntimeError(f"{path} is missing: install chromium and chromium-driver")
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=1440,1200",
                 "--disable-dev-shm-usage", "--hide-scrollbars"):
        options.add_argument(flag)
    if not javascript:
        options.add_experimental_option(
            "prefs", {"profile.managed_default_content_settings.javascript": 2})
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)


def screen(driver, width, height):
    # The viewport itself, whatever the window's frame takes.
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": width, "height": height, "deviceScaleFactor": 1,
                            "mobile": width < 600})


def load(driver, page):
    driver.get("file://" + page)
    return float(wait_for(
        driver, "return document.documentElement.getAttribute('data-first-paint-ms')",
        "the first paint"))


AXE_RUN = """
const done = arguments[arguments.length - 1];
axe.run(document, { resultTypes: ['violations'] }).then(r => done(r.violations
  .filter(v => v.impact === 'serious' || v.impact === 'critical')
  .map(v => v.id + ' (' + v.impact + ') ' + v.nodes.length + ': ' + v.nodes[0].html.slice(0, 120))));
"""


def axe_findings(driver, axe):
    driver.set_script_timeout(120)
    driver.execute_script(axe)
    return driver.execute_async_script(AXE_RUN)


# The marks drawn in a lane: [{x, count, label, key}] of those shown, left to right.
LANE_MARKS = """
const shownText = e => { const t = e.querySelector('text');
  return t && t.getAttribute('display') !== 'none' ? t.textContent : ''; };
const lane = document.querySelector('#profile .lane-' + arguments[0]);
if (!lane) return [];
return Array.from(lane.querySelectorAll(':scope > .mark'))
  .filter(e => e.style.display !== 'none')
  .map(e => { const r = e.getBoundingClientRect();
    return { x: (r.left + r.right) / 2, left: r.left, right: r.right, top: r.top,
      count: parseInt(e.getAttribute('data-count') || '1'), label: e.getAttribute('aria-label'),
      key: e.getAttribute('data-key'), text: shownText(e) }; })
  .sort((a, b) => a.x - b.x);
"""


def lane_marks(driver, lane):
    return driver.execute_script(LANE_MARKS, lane)


def show_km(driver, a_km, b_km):
    for box, value in (("from-km", a_km), ("to-km", b_km)):
        field = driver.find_element(By.ID, box)
        field.clear()
        field.send_keys(str(value))
    driver.find_element(By.ID, "show-range").click()
    settle(driver)


def page_data(driver):
    return driver.execute_script(
        "return JSON.parse(document.getElementById('scenario-data').textContent)")


def written_range(cell, offset):
    # The whole metres p the compiler puts in this cell: round(p / 50 + offset), halves to even.
    ps = [p for p in range((cell - offset) * 50 - 60, (cell - offset) * 50 + 60)
          if round(p / 50 + offset) == cell]
    return min(ps), max(ps)


def wait_for(driver, script, what, timeout=30):
    end = time.time() + timeout
    while time.time() < end:
        value = driver.execute_script(script)
        if value:
            return value
        time.sleep(0.05)
    raise RuntimeError(f"timed out waiting for {what}")


def shown_stretch(driver):
    plan = driver.find_element(By.ID, "plan")
    return (int(plan.get_attribute("data-from-m")), int(plan.get_attribute("data-to-m")),
            driver.find_element(By.CSS_SELECTOR, "#plan .shown-stretch").get_attribute("d"))


def settle(driver):
    # Two frames: the render asked for by an event, then its paint.
    driver.execute_async_script(
        "const done = arguments[0]; requestAnimationFrame(() => requestAnimationFrame(done));")


# The marks shown, each with its name and place, and every element of the profile kept aside.
SHOWN_MARKS = """
window.keptElements = Array.from(document.querySelectorAll('#profile *'));
return Array.from(document.querySelectorAll('#profile .mark'))
  .filter(e => e.style.display !== 'none')
  .map(e => e.getAttribute('aria-label') + ' @ ' + (e.getAttribute('transform') ||
    e.firstChild.getAttribute('x')));
"""


def check_zoom_reuse(driver, name):
    # The marks a zoom step would show are laid ahead when the page is idle, and the view's own
    # laid back: nothing of it may stay shown. A step in and back out moves the ticks, counts and
    # marks rather than making them afresh (each new one was garbage whose collection paused a
    # later step), and shows again what it showed.
    driver.find_element(By.ID, "reset").click()
    settle(driver)
    shown = driver.execute_script(SHOWN_MARKS)
    focused_mark = driver.execute_script(
        "const m = Array.from(document.querySelectorAll('#profile .mark'))"
        "  .find(e => e.style.display !== 'none');"
        "m.focus(); return m.getAttribute('aria-label')")
    time.sleep(0.5)
    settle(driver)
    after_idle = driver.execute_script(SHOWN_MARKS)
    still = driver.execute_script("return document.activeElement.getAttribute('aria-label')")
    check(after_idle == shown and still == focused_mark,
          f"{name}: the idle page shows the marks it showed {len(shown)} -> {len(after_idle)}, "
          f"the focus stays on {focused_mark!r}: {still!r}")
    for button in ("zoom-in", "zoom-out", "zoom-in", "zoom-out"):
        driver.find_element(By.ID, button).click()
        settle(driver)
    lost = driver.execute_script("return window.keptElements.filter(e => !e.isConnected).length")
    back = driver.execute_script(SHOWN_MARKS)
    check(lost == 0 and back == shown,
          f"{name}: a zoom in and out keeps the profile's elements ({lost} made afresh) and shows "
          f"again its {len(shown)} marks ({len(back)} shown, "
          f"{len(set(back) ^ set(shown))} differ)")


def check_page(driver, name, page, report, artefacts, axe):
    print(f"--- {name}: {page} ({os.path.getsize(page)} bytes)")
    check(os.path.getsize(page) < 8 * 1024 * 1024, f"{name}: the page is within a few MB")
    screen(driver, 1280, 800)
    first_paint = load(driver, page)
    fcp = driver.execute_script(
        "const e = performance.getEntriesByName('first-contentful-paint');"
        "return e.length ? e[0].startTime : null;")
    print(f"FIRST-PAINT {name}: drawn at {first_paint:.1f} ms, first contentful paint "
          f"{fcp if fcp is None else round(fcp, 1)} ms")
    severe = [e for e in driver.get_log("browser") if e["level"] == "SEVERE"]
    check(not severe, f"{name}: no console error {severe}")
    data = page_data(driver)
    length = report["route"]["cell_count"] * 50

    # Every station is listed; every cell, curve and finding is drawn whole-line, alone or counted
    # in a mark gathering those too close to tell apart, and no two marks of a lane overlap.
    names = [li.text for li in driver.find_elements(By.CSS_SELECTOR, "#list li.kind-station")]
    stations = [s["name"] for s in report["stations"]]
    check(len(names) == len(stations) and all(s in n for s, n in zip(stations, names)),
          f"{name}: the side list names the {len(stations)} stations")
    lanes = {lane: lane_marks(driver, lane) for lane in (
        "signals", "speed-boards", "slowdowns", "code-markers", "station-stops", "signboards",
        "tunnels", "other-cells", "findings", "curves", "gradient")}
    cell_lanes = [l for l in lanes if l not in ("findings", "curves", "gradient")]
    drawn = sum(m["count"] for l in cell_lanes for m in lanes[l])
    check(drawn == len(report["cells"]),
          f"{name}: {len(report['cells'])} occupied cells drawn or counted ({drawn})")
    curves = sum(m["count"] for m in lanes["curves"])
    check(curves == len(report["curves"]["stretches"]) and curves > 0,
          f"{name}: {len(report['curves']['stretches'])} curves in the curvature lane ({curves})")
    placed = [f for f in report["check_findings"] if f["position_m"] is not None]
    marked = sum(m["count"] for m in lanes["findings"])
    check(marked == len(placed), f"{name}: {len(placed)} findings of check marked ({marked})")
    overlaps = [(l, a["x"], b["x"]) for l in cell_lanes + ["findings"]
                for a, b in zip(lanes[l], lanes[l][1:]) if b["x"] - a["x"] < 8]
    check(not overlaps, f"{name}: no two marks of a lane within 8 px {overlaps[:3]}")
    shown = driver.execute_script(
        "return document.querySelectorAll('#profile .mark:not([style*=\"none\"])').length")
    check(shown <= 1500, f"{name}: the whole line draws {shown} marks, at most 1500")
    lines = driver.execute_script(
        "return Array.from(document.querySelectorAll('#profile .finding-lines line'))"
        ".filter(e => e.style.display !== 'none').length")
    check(lines == len(lanes["findings"]), f"{name}: one line across the panels a finding mark")

    # The profile, its axis and its lanes fit the first screen; the plan beside it, smaller.
    box = driver.execute_script(
        "const r = e => document.querySelector(e).getBoundingClientRect();"
        "const p = r('#profile'), q = r('#plan'), a = r('#profile .axis-title');"
        "return [p.top, p.bottom, a.bottom, q.right, q.height, p.height, p.left];")
    check(box[0] >= 0 and box[1] <= 800 and box[2] <= 800,
          f"{name}: the profile, axis and lanes fit the first screen at 1280x800 {box[:3]}")
    check(box[3] <= box[6] and box[4] < box[5] / 2, f"{name}: the plan beside it, smaller")
    driver.save_screenshot(os.path.join(artefacts, f"view_{name}_whole.png"))

    # Station names are never cut at the top of the drawing; a shortened one ends in an ellipsis.
    cut = driver.execute_script(
        "const top = document.getElementById('profile').getBoundingClientRect().top;"
        "return Array.from(document.querySelectorAll('#profile .station-name'))"
        ".filter(e => e.style.display !== 'none' && e.getBoundingClientRect().top < top)"
        ".map(e => e.textContent);")
    check(not cut, f"{name}: no station name runs over the top {cut[:3]}")
    labels = driver.execute_script(
        "return Array.from(document.querySelectorAll('#profile .station-name'))"
        ".filter(e => e.style.display !== 'none').map(e => e.textContent);")
    check(labels and all(any(l == s or (l.endswith("\u2026") and s.startswith(l[:-1]))
                             for s in stations) for l in labels),
          f"{name}: {len(labels)} station names written whole or shortened")

    # The legend tells the warnings' ink from the errors'.
    keys = driver.execute_script(
        "return Array.from(document.querySelectorAll('#legend > span')).map(s => "
        "[s.textContent, getComputedStyle(s.firstChild).backgroundColor]);")
    ink = {text: colour for text, colour in keys}
    check(ink.get("warning of check") == "rgb(230, 126, 34)" and
          ink.get("error of check") == "rgb(192, 57, 43)",
          f"{name}: the legend draws warnings orange and errors red {ink}")
    header = driver.find_element(By.ID, "summary").text
    route_km = f"{report['route']['length_m'] / 1000:g}"
    check(f"the route\u2019s {route_km} km" in header and "dashed" in header,
          f"{name}: the header says the track runs past the route's end: {header[:120]}")

    # The gradients: a lane of stretches labelled in per mille, each label the value of the cells.
    show_km(driver, round(length * 0.1 / 1000, 1),
            round((length * 0.1 + min(length * 0.04, 6000)) / 1000, 1))
    gradients = {(g["start_m"], g["end_m"]): g["per_mille"] for g in data["gradients"]}
    marks = [m for m in lane_marks(driver, "gradient") if m["key"]]
    wrong = []
    labelled = 0
    for m in marks:
        words = m["label"].split()
        start = round(float(words[words.index("from") + 2]) * 1000)
        end = round(float(words[words.index("to") + 2]) * 1000)
        value = gradients.get((start, end))
        sign = "+" if value and value > 0 else "\u2212" if value and value < 0 else ""
        expected = f"{sign}{abs(value)} \u2030" if value is not None else None
        if expected is None or not m["label"].startswith(f"gradient {expected}"):
            wrong.append(m["label"])
        if m["text"]:
            labelled += 1
            if m["text"] != expected:
                wrong.append(m["text"])
    check(marks and labelled > 0 and not wrong,
          f"{name}: {len(marks)} gradient stretches shown, {labelled} labelled, as the cells "
          f"hold them {wrong[:3]}")
    if marks:
        first = driver.find_element(By.CSS_SELECTOR, f"#profile [data-key='{marks[0]['key']}']")
        ActionChains(driver).move_to_element(first).perform()
        settle(driver)
        check("\u2030" in driver.find_element(By.ID, "tip").text,
              f"{name}: hovering a gradient stretch shows its value")
    check_zoom_reuse(driver, name)

    # A wheel zoom on the profile changes the plan's stretch.
    before = shown_stretch(driver)
    profile = driver.find_element(By.ID, "profile")
    ActionChains(driver).scroll_from_origin(ScrollOrigin.from_element(profile, 100, 0), 0,
                                            -400).perform()
    settle(driver)
    after = shown_stretch(driver)
    check(after[1] - after[0] < before[1] - before[0] and after[2] != before[2],
          f"{name}: a wheel zoom narrows the plan's stretch {before[:2]} -> {after[:2]}")

    # Keys: + narrows, the right arrow moves on; a drag pans; the km boxes and the reset.
    driver.execute_script("document.getElementById('profile').focus()")
    profile.send_keys("+")
    settle(driver)
    keyed = shown_stretch(driver)
    check(keyed[1] - keyed[0] < after[1] - after[0], f"{name}: + zooms in {keyed[:2]}")
    profile.send_keys(Keys.ARROW_RIGHT)
    settle(driver)
    moved = shown_stretch(driver)
    check(moved[0] > keyed[0], f"{name}: the right arrow pans on {moved[:2]}")
    ActionChains(driver).move_to_element_with_offset(profile, 0, 60).click_and_hold().move_by_offset(
        200, 0).release().perform()
    settle(driver)
    dragged = shown_stretch(driver)
    check(dragged[0] < moved[0], f"{name}: dragging to the right shows what lies before")
    a_km, b_km = round(length * 0.4 / 1000, 1), round(length * 0.45 / 1000, 1)
    show_km(driver, a_km, b_km)
    boxed = shown_stretch(driver)
    check(abs(boxed[0] - a_km * 1000) <= 1 and abs(boxed[1] - b_km * 1000) <= 1,
          f"{name}: the km boxes show {a_km} to {b_km} km: {boxed[:2]}")
    driver.find_element(By.ID, "reset").click()
    settle(driver)
    check(shown_stretch(driver)[:2] == (0, length), f"{name}: the reset shows the whole line")

    check_signal(driver, name, report, artefacts)
    check_finding_tip(driver, name, placed, artefacts)

    # A search for a station's name goes to it.
    station = report["stations"][len(report["stations"]) // 2]
    search = driver.find_element(By.ID, "search")
    search.click()
    search.clear()
    search.send_keys(station["name"], Keys.ENTER)
    settle(driver)
    settle(driver)
    at = shown_stretch(driver)
    selected = driver.find_elements(By.CSS_SELECTOR, "#list li.selected")
    check(at[0] <= station["position_m"] <= at[1] and at[1] - at[0] < length,
          f"{name}: searching {station['name']} shows {at[:2]} around {station['position_m']} m")
    check(len(selected) == 1 and station["name"] in selected[0].text,
          f"{name}: the station is selected in the list")
    check(station["name"] in driver.find_element(By.ID, "tip").text,
          f"{name}: its tooltip names it")
    driver.save_screenshot(os.path.join(artefacts, f"view_{name}_station.png"))

    check_keyboard(driver, name, page)
    found = axe_findings(driver, axe)
    check(not found, f"{name}: axe-core finds no serious or critical rule at 1280x800 {found}")
    severe = [e for e in driver.get_log("browser") if e["level"] == "SEVERE"]
    check(not severe, f"{name}: still no console error {severe}")
    check_phone(driver, name, page, axe, artefacts)


def check_signal(driver, name, report, artefacts):
    # A signal's tooltip says what its values mean and why it stands where it does.
    signal = next(c for c in report["cells"] if c["kind_name"] == "signal")
    search = driver.find_element(By.ID, "search")
    search.click()
    search.clear()
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
    meaning = signal["meaning"]
    left, right = meaning["left"], meaning["right"]

    def side(hand, kind, aspects):
        if kind == 0:
            return f"no {hand} signal"
        return (f"a {hand} signal" + (" whose time counts" if kind == 2 else "") +
                ", aspect values " + ", ".join(str(a) for a in aspects))
    low, high = written_range(signal["index"], 1)
    expected = [side("left-hand", left["sx"], left["aspects"]),
                side("right-hand", right["dx"], right["aspects"]),
                f"its time counts: {meaning['signal_time']} s" if left["sx"] == 2 else
                "no time counts", f"shown at km {signal['metres'] / 1000:.3f}",
                f"round(p / 50 + 1), halves to even: it was written at p from {low} to {high} m"]
    text = tip.text
    check(tip.is_displayed() and all(e in text for e in expected),
          f"{name}: the signal at cell {signal['index']} says {expected}: {text!r}")
    driver.save_screenshot(os.path.join(artefacts, f"view_{name}_signal.png"))


def check_finding_tip(driver, name, placed, artefacts):
    # A finding found by a search: its tooltip gives check's message, and closes on a zoom, a pan
    # and Escape.
    if not placed:
        return
    finding = placed[0]

    def open_by_search():
        search = driver.find_element(By.ID, "search")
        search.click()
        search.clear()
        search.send_keys(finding["message"][:40], Keys.ENTER)
        settle(driver)
        settle(driver)
        return driver.find_element(By.ID, "tip")

    tip = open_by_search()
    text = tip.text
    check(tip.is_displayed() and finding["message"] in text and f"({finding['check']})" in text,
          f"{name}: the search opens the tooltip of the finding at {finding['position_m']} m")
    driver.save_screenshot(os.path.join(artefacts, f"view_{name}_finding.png"))
    driver.find_element(By.ID, "zoom-out").click()
    settle(driver)
    check(not tip.is_displayed(), f"{name}: a zoom closes the tooltip the search opened")
    tip = open_by_search()
    driver.execute_script("document.getElementById('profile').focus()")
    driver.find_element(By.ID, "profile").send_keys(Keys.ARROW_LEFT)
    settle(driver)
    check(not tip.is_displayed(), f"{name}: a pan closes it")
    tip = open_by_search()
    driver.find_element(By.ID, "search").send_keys(Keys.ESCAPE)
    check(not tip.is_displayed(), f"{name}: Escape closes it")


def focused(driver):
    return driver.execute_script(
        "const e = document.activeElement;"
        "return [e.id || '', e.getAttribute('aria-label') || '', e.getAttribute('data-key'),"
        " e.closest && e.closest('.lane') ? e.closest('.lane').getAttribute('class') : '',"
        " e.tagName];")


def km_of_label(label):
    words = label.split()
    return float(words[words.index("km") + 1])


def check_keyboard(driver, name, page):
    # From the top: the skip link first, then few stops to the profile; a lane is one stop; the
    # arrows go along it by km; Enter selects; the list moves with the arrows.
    def press(*keys):
        ActionChains(driver).send_keys(*keys).perform()

    load(driver, page)
    press(Keys.TAB)
    check(focused(driver)[0] == "skip", f"{name}: the first Tab reaches the skip link")
    press(Keys.ENTER)
    check(focused(driver)[0] == "profile", f"{name}: the skip link goes to the profile")
    load(driver, page)
    presses = 0
    while presses < 40:
        press(Keys.TAB)
        presses += 1
        if focused(driver)[0] == "profile":
            break
    check(presses <= 15, f"{name}: {presses} Tab presses reach the profile")
    stops = []
    for _ in range(14):
        press(Keys.TAB)
        f = focused(driver)
        if not f[3]:
            break
        stops.append(f[3])
    check(len(stops) >= 5 and len(stops) == len(set(stops)),
          f"{name}: each lane is one tab stop ({len(stops)} lanes)")
    # The signals' lane: the arrows go by km.
    show_km(driver, 0, round(min(report_length(driver) * 0.1, 8000) / 1000, 1))
    first = driver.find_element(By.CSS_SELECTOR, "#profile .lane-signals > .mark[tabindex='0']")
    driver.execute_script("arguments[0].focus()", first)
    kms = [km_of_label(focused(driver)[1])]
    for _ in range(3):
        press(Keys.ARROW_RIGHT)
        settle(driver)
        settle(driver)
        kms.append(km_of_label(focused(driver)[1]))
    check(all(b > a for a, b in zip(kms, kms[1:])), f"{name}: the right arrow goes on by km {kms}")
    key = focused(driver)[2]
    press(Keys.ENTER)
    settle(driver)
    chosen = driver.find_elements(By.CSS_SELECTOR, "#profile .mark.selected")
    check(key and len(chosen) == 1 and chosen[0].get_attribute("data-key") == key,
          f"{name}: Enter selects the signal")
    press(Keys.ARROW_DOWN)
    check("lane-speed-boards" in focused(driver)[3],
          f"{name}: the down arrow goes to the lane below: {focused(driver)[3]}")
    items = driver.find_elements(By.CSS_SELECTOR, "#list li")
    driver.execute_script("arguments[0].focus()", items[0])
    press(Keys.ARROW_DOWN)
    check(driver.switch_to.active_element == items[1] and
          items[1].get_attribute("tabindex") == "0" and items[0].get_attribute("tabindex") == "-1",
          f"{name}: the down arrow moves in the list, one tab stop")


def report_length(driver):
    return float(driver.execute_script(
        "return JSON.parse(document.getElementById('scenario-data').textContent).length_m"))


def check_phone(driver, name, page, axe, artefacts):
    # A phone: the page is one column as wide as the screen, and data shows near the top.
    screen(driver, 390, 844)
    load(driver, page)
    seen = driver.execute_script(
        "const r = document.getElementById('profile').getBoundingClientRect();"
        "const marks = Array.from(document.querySelectorAll('#profile .mark'))"
        ".filter(e => { const b = e.getBoundingClientRect();"
        " return e.style.display !== 'none' && b.top >= 0 && b.bottom <= innerHeight"
        " && b.left >= 0 && b.right <= innerWidth; }).length;"
        "return [r.left, r.right, r.top, marks, document.documentElement.scrollWidth];")
    check(seen[0] >= 0 and seen[1] <= 390 and seen[4] <= 390 and seen[2] < 844 and seen[3] >= 5,
          f"{name}: at 390x844 the profile fits the width and {seen[3]} marks show on the "
          f"first screen {seen}")
    # No hover on a phone: a tap on a feature opens its tooltip.
    show_km(driver, 0, 5)
    feature = driver.execute_script(
        "return Array.from(document.querySelectorAll('#profile .mark.feature'))"
        ".find(e => e.style.display !== 'none' && e.getBoundingClientRect().bottom < innerHeight);")
    if feature:
        feature.click()
        settle(driver)
    tip = driver.find_element(By.ID, "tip")
    check(feature is not None and tip.is_displayed() and
          tip.text.split("\n")[0] in feature.get_attribute("aria-label"),
          f"{name}: at 390x844 a tap on a feature opens its tooltip "
          f"{feature and feature.get_attribute('aria-label')} {tip.text[:80]!r}")
    driver.save_screenshot(os.path.join(artefacts, f"view_{name}_phone.png"))
    found = axe_findings(driver, axe)
    check(not found, f"{name}: axe-core finds no serious or critical rule at 390x844 {found}")
    screen(driver, 1280, 800)


def check_without_script(page, report, name):
    # Without JavaScript the page still holds the data, as tables.
    driver = browser(javascript=False)
    try:
        driver.get("file://" + page)
        rows = {c.text.split(" (")[0]: len(c.find_elements(By.XPATH, "..//tr")) - 1
                for c in driver.find_elements(By.CSS_SELECTOR, ".tables caption")}
        signals = sum(1 for c in report["cells"] if c["kind_name"] == "signal")
        first = report["stations"][0]["name"]
        check(rows.get("Stations") == len(report["stations"]) and rows.get("Signals") == signals
              and rows.get("Findings of check") == len(report["check_findings"])
              and first in driver.find_element(By.CSS_SELECTOR, ".tables").text,
              f"{name}: without JavaScript, tables of the stations, signals and findings {rows}")
        signal = next(c for c in report["cells"] if c["kind_name"] == "signal")
        left, right = signal["meaning"]["left"], signal["meaning"]["right"]
        row = driver.find_elements(By.XPATH, "//caption[starts-with(., 'Signals')]/..//tr[td]")[0]
        expected = [str(signal["index"]), f"km {signal['metres'] / 1000:.3f}", str(left["sx"]),
                    ", ".join(map(str, left["aspects"])), str(right["dx"]),
                    ", ".join(map(str, right["aspects"])), str(signal["meaning"]["signal_time"])]
        got = [td.text for td in row.find_elements(By.TAG_NAME, "td")]
        check(got == expected, f"{name}: the first signal's row {got} holds inspect's {expected}")
        check(not driver.find_element(By.ID, "profile").is_displayed(),
              f"{name}: without JavaScript, no empty drawing")
    finally:
        driver.quit()


def main():
    if len(sys.argv) != 5:
        print(__doc__)
        return 64
    tool, write_synthetic, artefacts, axe_path = sys.argv[1:]
    with open(axe_path, encoding="utf-8") as f:
        axe = f.read()
    os.makedirs(artefacts, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        pages = make_pages(tool, write_synthetic, work)
        driver = browser()
        try:
            for name, (page, report) in pages.items():
                check_page(driver, name, page, report, artefacts, axe)
        finally:
            driver.quit()
        for name, (page, report) in pages.items():
            check_without_script(page, report, name)
    print(f"{len(FAILURES)} failed")
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
