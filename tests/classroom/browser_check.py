#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The classroom page in a real browser (headless Chromium through
chromium-driver and selenium), as a pupil's device shows it:
  browser_check.py URL DOWNLOAD_FOLDER [SCREENSHOT.png]
Talks with the test that drives the program over its standard streams:
prints READY once the page is connected (the test then measures), RUN-SEEN
once the run is on the page (the test then gives a series a hostile name),
PULLEY (the test opens the pulley's window), DROP (the test ends the page's connection on the server's side), STOP (the
test switches the view off), LOST-SEEN (the test switches it on again, with
a new code), and finally one line per check and "N passed, M failed"; exit
status 1 on a failed check. Every wait is on a condition, with a generous limit."""
import os
import re
import sys
import time
import urllib.request

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By

LIMIT = 120
url, downloads = sys.argv[1], sys.argv[2]
screenshot = sys.argv[3] if len(sys.argv) > 3 else None
passed = failed = 0


def check(ok, text):
    global passed, failed
    print(("ok     " if ok else "FAILED ") + text, flush=True)
    if ok:
        passed += 1
    else:
        failed += 1
    return ok


def wait_for(condition, what):
    deadline = time.monotonic() + LIMIT
    while time.monotonic() < deadline:
        try:
            value = condition()
            if value:
                return value
        except Exception:  # the page is rebuilt under us
            pass
        time.sleep(0.05)  # polling the page, not waiting for something to happen
    check(False, "waited %d s for %s" % (LIMIT, what))
    return None


options = webdriver.ChromeOptions()
options.binary_location = "/usr/bin/chromium"
for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
             "--no-first-run", "--disable-background-networking", "--disable-component-update",
             "--disable-sync", "--disable-dev-shm-usage", "--window-size=1280,1400",
             "--user-data-dir=" + os.path.join(downloads, "profile")):
    options.add_argument(flag)
options.add_experimental_option("prefs", {"download.default_directory": downloads,
                                          "download.prompt_for_download": False})
options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
try:
    driver.execute_cdp_cmd("Page.setDownloadBehavior",
                           {"behavior": "allow", "downloadPath": downloads})
    driver.get(url)
    body = driver.find_element(By.TAG_NAME, "body")
    connected = body.get_attribute("data-connected")
    wait_for(lambda: driver.find_element(By.ID, "connection").text == connected,
             "the live connection")
    print("READY", flush=True)

    def live_rows():
        return driver.find_elements(By.CSS_SELECTOR, "#live-rows tr")

    wait_for(lambda: len(live_rows()) == 10 and
             driver.find_element(By.ID, "status").text == "Messung beendet", "ten rows")
    rows = live_rows()
    check(len(rows) == 10, "the live table has the ten rows of the run")
    heads = [th.text for th in driver.find_elements(By.CSS_SELECTOR, "#live-headers th")]
    check(heads == ["Ort (m)", "Zeit aus (s)", "Zeit an (s)"],
          "the live table has the window's headers: %r" % heads)
    first = [c.text for c in rows[0].find_elements(By.CSS_SELECTOR, "th, td")]
    check(first[0] == "0,0" and first[1] == "0,00" and first[2].startswith("0,"),
          "barrier 0 reads as in the window: %r" % first)
    check(driver.find_element(By.ID, "status").text == "Messung beendet",
          "the status line says the run has ended")

    def loaded(name):
        img = driver.find_element(By.ID, name + "-diagram")
        return driver.execute_script(
            "return arguments[0].complete && arguments[0].naturalWidth > 0", img) and img
    for name in ("st", "vt"):
        img = wait_for(lambda: loaded(name), "the %s diagram" % name)
        if img:
            src = img.get_attribute("src")
            check("/diagram/%s.svg?code=" % name in src, "%s diagram is the program's SVG" % name)
            check("Messung 1" in img.get_attribute("alt"),
                  "%s diagram is described for screen readers: %r"
                  % (name, img.get_attribute("alt")))
    tables = wait_for(lambda: driver.find_elements(By.CSS_SELECTOR, "#series table"),
                      "the evaluated series")
    if tables:
        cells = tables[0].find_elements(By.CSS_SELECTOR, "tbody tr")
        check(len(cells) == 10, "the series' table has ten rows")
        head = [th.text for th in tables[0].find_elements(By.CSS_SELECTOR, "thead th")]
        check(head[:3] == ["Ort (m)", "Zeit aus (s)", "Zeit an (s)"] and "v (m/s)" in head,
              "the series' table has the evaluation's columns: %r" % head)

    links = driver.find_elements(By.CSS_SELECTOR, "#series .downloads a")
    check(len(links) == 3, "three downloads for the series")
    today = wait_for(lambda: [a for a in driver.find_elements(By.ID, "todays-runs-link")
                              if a.is_displayed() and "(1)" in a.text], "today's runs")
    if today:
        check(today[0].get_attribute("href").split("?")[0].endswith("/download/today.csv"),
              "today's runs are one CSV download beside the series")
    for link in links:
        link.click()
    expected = ["Messung_1.kmd", "Messung_1.xls", "Messung_1.csv"]
    done = wait_for(lambda: all(os.path.exists(os.path.join(downloads, f)) for f in expected),
                    "the three downloads")
    if done:
        kmd = open(os.path.join(downloads, "Messung_1.kmd"), "rb").read()
        check(kmd.startswith(b"Ort ; Zeit dunkel; Zeit hell;") and kmd.count(b"\r\n") == 11,
              "the data file is the one the program saves")
        csv = open(os.path.join(downloads, "Messung_1.csv"), "rb").read()
        check(csv.startswith(b"\xef\xbb\xbfOrt (m);Zeit aus (s);Zeit an (s)"),
              "the CSV file has the byte-order mark and German separators")
        import xlrd
        sheet = xlrd.open_workbook(os.path.join(downloads, "Messung_1.xls")).sheet_by_index(0)
        check(sheet.name == "Kelmotmessung" and sheet.nrows == 11 and
              sheet.cell_value(0, 0) == "Ort (m)" and sheet.cell_value(2, 0) == 0.1,
              "the spreadsheet opens with the table's cells and numbers")

    errors = [e for e in driver.get_log("browser") if e.get("level") == "SEVERE"]
    check(not errors, "no errors in the page (no blocked script or style): %r" % errors)
    if screenshot:
        driver.save_screenshot(screenshot)

    # A series name is a user's text: it must show as text, never run.
    print("RUN-SEEN", flush=True)
    hostile = "<img src=x onerror=\"document.title='pwned'\">"
    heading = wait_for(lambda: [h for h in driver.find_elements(By.CSS_SELECTOR, "#series h3")
                                if h.text == hostile], "the renamed series")
    check(bool(heading), "a series named like markup shows its name as text")
    check(driver.title != "pwned" and not driver.find_elements(By.CSS_SELECTOR, "#series img"),
          "and nothing of it runs or becomes an element")

    # An experiment's window opened in the program gets its own section.
    print("PULLEY", flush=True)
    section = wait_for(lambda: [s for s in driver.find_elements(By.ID, "pulley")
                                if s.is_displayed()], "the pulley's section")
    if check(bool(section), "the pulley's window opened shows its section"):
        heading = driver.find_element(By.ID, "pulley-heading").text
        caption = driver.find_element(By.ID, "pulley-caption").get_attribute("textContent")
        check(heading.startswith("Speichenrad") and caption.startswith("Messtabelle"),
              "with its heading and table caption (%r, %r)" % (heading, caption))
        headers = driver.find_elements(By.CSS_SELECTOR, "#pulley-headers th")
        check(len(headers) >= 5, "and its table's %d column headers" % len(headers))
        sources = [driver.find_element(By.ID, "pulley-%s-diagram" % d).get_attribute("src") or ""
                   for d in ("st", "vt")]
        check(all("/diagram/pulley-" in s for s in sources),
              "and both its diagrams (%r)" % sources)

    # A phone's width: the page fits, only the tables scroll.
    driver.set_window_size(360, 740)
    width = driver.execute_script("return document.documentElement.scrollWidth")
    check(width <= 360, "the page fits a 360-pixel phone (it is %d wide)" % width)

    # The diagrams' texts at least 12 CSS pixels high on a phone and on a
    # projector: each picture, once drawn anew for its width, read as the
    # browser shows it (its smallest font size times its scale).
    def text_pixels(name):
        img = driver.find_element(By.ID, name + "-diagram")
        drawn = driver.execute_script(
            "const img = arguments[0];"
            "const w = Math.max(0, Math.floor(img.closest('figure').clientWidth) - 2);"
            "return img.complete && img.naturalWidth > 0 && img.src.endsWith('&w=' + w);", img)
        if not drawn:
            return None
        svg = urllib.request.urlopen(img.get_attribute("src"), timeout=30).read().decode()
        sizes = [float(size) for size in re.findall(r'font-size="([0-9.]+)"', svg)]
        box = float(re.search(r'viewBox="0 0 ([0-9.]+) ', svg).group(1))
        shown = driver.execute_script("return arguments[0].clientWidth", img)
        return min(sizes) * shown / box
    for screen_width, screen_height in ((360, 740), (1920, 1080)):
        driver.set_window_size(screen_width, screen_height)
        for name in ("st", "vt"):
            pixels = wait_for(lambda: text_pixels(name),
                              "the %s diagram drawn for %d pixels" % (name, screen_width))
            check(pixels is not None and pixels >= 11.99,
                  "the %s diagram's texts are %s CSS pixels high on a %d-pixel screen"
                  % (name, "%.1f" % pixels if pixels else "?", screen_width))
    driver.set_window_size(360, 740)

    # The network goes away for a moment (the test ends the connection on
    # the server's side): the page says so and comes back by itself.
    def connection():
        return driver.find_element(By.ID, "connection").text
    reconnecting = body.get_attribute("data-reconnecting")
    print("DROP", flush=True)
    check(wait_for(lambda: connection() == reconnecting, "the page to notice") is not None,
          "a lost connection is told while the page waits")
    check(wait_for(lambda: connection() == connected and len(live_rows()) == 10,
                   "the page to reconnect") is not None,
          "the page reconnects by itself and shows the run again")
    # Ten wrong codes from the same network: the page says so, waits as the
    # server tells it, and comes back by itself.
    too_many = body.get_attribute("data-too-many-tries")
    print("BLOCK", flush=True)
    check(wait_for(lambda: connection() == too_many, "the page to be told to wait") is not None,
          "too many wrong codes is told apart from a code that no longer holds")
    print("BLOCK-SEEN", flush=True)
    check(wait_for(lambda: connection() == connected, "the page to come back after the wait")
          is not None, "after the wait the page reconnects by itself")
    # The view switched off and on again has a new code: the page stops
    # trying and says why.
    print("STOP", flush=True)
    wait_for(lambda: connection() == reconnecting, "the page to notice the view is off")
    print("LOST-SEEN", flush=True)
    invalid = body.get_attribute("data-code-invalid")
    check(wait_for(lambda: connection() == invalid, "the page to see the code is gone") is not None,
          "after a restart the old code's page says the code is no longer valid")
finally:
    driver.quit()
print("%d passed, %d failed" % (passed, failed), flush=True)
sys.exit(1 if failed else 0)
