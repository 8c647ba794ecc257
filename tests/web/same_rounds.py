#!/usr/bin/python3
"""The browser build judges, counts and records the same rounds as the desktop build, from the
same generator: trace.cpp's lines from both must be equal.
usage: same_rounds.py DESKTOP_TRACE_PROGRAM BROWSER_TRACE_PAGE"""
import difflib
import os
import subprocess
import sys

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait

program, page = sys.argv[1:3]
env = dict(os.environ, QT_QPA_PLATFORM="offscreen", PULSE_SERVER="unix:/nonexistent")
desktop = subprocess.run([program], env=env, capture_output=True, text=True, check=True).stdout

options = webdriver.ChromeOptions()
options.add_argument("--headless=new")
options.add_argument("--no-sandbox")
browser = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
try:
    browser.get("file://" + os.path.abspath(page))
    WebDriverWait(browser, 60).until(lambda b: b.execute_script("return document.body.dataset.trace"))
    web = browser.execute_script("return document.body.dataset.trace")
finally:
    browser.quit()

if web != desktop:
    sys.stdout.writelines(difflib.unified_diff(desktop.splitlines(True), web.splitlines(True),
                                               "desktop", "browser", n=1))
    sys.exit("FAIL: the browser's rounds differ from the desktop's")
print(f"ok   the same {len(desktop.splitlines())} lines of rounds on the desktop and in the browser")
