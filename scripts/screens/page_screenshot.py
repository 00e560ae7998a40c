#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Saves the classroom page as headless Chromium shows it, once the page is
connected and shows its diagrams:
  page_screenshot.py URL OUTPUT.png WIDTH HEIGHT"""
import os
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By

url, output, width, height = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
profile = tempfile.mkdtemp()
options = webdriver.ChromeOptions()
options.binary_location = "/usr/bin/chromium"
for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
             "--no-first-run", "--disable-background-networking", "--disable-component-update",
             "--disable-sync", "--disable-dev-shm-usage", "--hide-scrollbars",
             "--window-size=%d,%d" % (width, height), "--user-data-dir=" + profile):
    options.add_argument(flag)
driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
try:
    driver.get(url)
    connected = driver.find_element(By.TAG_NAME, "body").get_attribute("data-connected")
    deadline = time.monotonic() + 60
    while time.monotonic() < deadline:
        images = driver.find_elements(By.CSS_SELECTOR, "figure img")
        done = driver.find_element(By.ID, "connection").text == connected and images and all(
            driver.execute_script("return arguments[0].complete && arguments[0].naturalWidth > 0",
                                  i) for i in images)
        if done:
            break
        time.sleep(0.05)  # polling the page
    # The whole page, as tall as it is.
    full = driver.execute_script("return document.documentElement.scrollHeight")
    driver.set_window_size(width, max(height, full))
    driver.save_screenshot(output)
finally:
    driver.quit()
print(output)
