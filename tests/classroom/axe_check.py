#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# The classroom page under axe-core, the accessibility engine of browsers'
# developer tools, in headless Chromium. Driven line by line on stdin by the
# test that changes the program's state:
#   OPEN <url>                             load a page (a new view, language)
#   CHECK <label> <width> <rows> <series>  at that window width, once the page
#                                          shows that many live rows and series,
#                                          run axe and report every violation
#   QUIT
# Fails on any violation of WCAG 2.0/2.1 A or AA, and on a serious or
# critical best-practice one; each names its rule and elements.
import json
import os
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By

LIMIT = 120
axe_source = open(sys.argv[1], encoding="utf-8").read()
WCAG = {"wcag2a", "wcag2aa", "wcag21a", "wcag21aa"}
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
            if condition():
                return True
        except Exception:  # the page is rebuilt under us
            pass
        time.sleep(0.05)  # polling the page, not waiting for something to happen
    check(False, "waited %d s for %s" % (LIMIT, what))
    return False


options = webdriver.ChromeOptions()
options.binary_location = "/usr/bin/chromium"
profile = tempfile.mkdtemp(prefix="kelmot-axe-")
for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
             "--no-first-run", "--disable-background-networking", "--disable-component-update",
             "--disable-sync", "--disable-dev-shm-usage", "--user-data-dir=" + profile):
    options.add_argument(flag)
driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
driver.set_script_timeout(LIMIT)
print("READY", flush=True)
try:
    for line in sys.stdin:
        words = line.split()
        if not words:
            continue
        if words[0] == "QUIT":
            break
        if words[0] == "OPEN":
            driver.get(words[1])
            body = driver.find_element(By.TAG_NAME, "body")
            connected = body.get_attribute("data-connected")
            wait_for(lambda: driver.find_element(By.ID, "connection").text == connected,
                     "the live connection")
            print("OPENED", flush=True)
            continue
        label, width, rows, series = words[1], int(words[2]), int(words[3]), int(words[4])
        driver.set_window_size(width, 1000)
        wait_for(lambda: driver.execute_script("return window.innerWidth") == width or
                 driver.execute_script("return document.documentElement.clientWidth") <= width,
                 "the window's width")
        wait_for(lambda: len(driver.find_elements(By.CSS_SELECTOR, "#live-rows tr")) == rows and
                 len(driver.find_elements(By.CSS_SELECTOR, "#series section")) == series,
                 "%s: %d live rows and %d series" % (label, rows, series))
        # Injected by the driver, not loaded by the page: its policy allows
        # only the program's own script, and that stays so.
        if not driver.execute_script("return typeof axe !== 'undefined'"):
            driver.execute_script(axe_source)
        result = driver.execute_async_script("""
            const done = arguments[arguments.length - 1];
            axe.run(document, {runOnly: {type: "tag", values:
                ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa", "best-practice"]}})
              .then(r => done(JSON.stringify({passes: r.passes.length, violations:
                  r.violations.map(v => ({id: v.id, impact: v.impact, tags: v.tags,
                                         nodes: v.nodes.map(n => n.target.join(" "))}))})))
              .catch(e => done(JSON.stringify({error: String(e)})));""")
        report = json.loads(result)
        if "error" in report:
            check(False, "%s: axe did not run: %s" % (label, report["error"]))
        else:
            bad = [v for v in report["violations"]
                   if WCAG.intersection(v["tags"]) or v["impact"] in ("serious", "critical")]
            for v in bad:
                check(False, "%s: %s (%s) at %s" % (label, v["id"], v["impact"],
                                                    ", ".join(v["nodes"])))
            minor = [v["id"] for v in report["violations"] if v not in bad]
            check(not bad, "%s at %d px: %d rules pass, %d violations%s" % (
                label, width, report["passes"], len(bad),
                ("; minor best practice: " + ", ".join(minor)) if minor else ""))
        if series:
            # The diagrams are pictures with words: a screen reader reads
            # their description, and the SVG keeps its title.
            for name in ("st", "vt"):
                img = driver.find_element(By.ID, name + "-diagram")
                alt = img.get_attribute("alt") or ""
                svg = driver.execute_script(
                    "return fetch(arguments[0]).then(r => r.text())", img.get_attribute("src"))
                check(len(alt) > 20 and "<title>" in svg,
                      "%s: the %s diagram has a text alternative (%d characters) and an SVG title"
                      % (label, name, len(alt)))
        print("DONE " + label, flush=True)
finally:
    driver.quit()
print("%d passed, %d failed" % (passed, failed), flush=True)
sys.exit(1 if failed else 0)
