#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The web edition's weight and speed, run by scripts/bench on the site scripts/web built.

    bench_web.py SITE [RUNS]

Prints `key value` lines: the gzipped size of every file and their total without the
pictures, and the milliseconds from the start of loading the page to the six lines on
screen (the engine loaded, 计算 pressed as soon as it can be), the median of RUNS first visits
(a new browser profile each: nothing cached), of RUNS visits the service worker serves, and of
RUNS visits with the largest record the engine takes in local storage; and the median
milliseconds from choosing a gzip that unpacks to a gigabyte in 导入记录 to its refusal.
"""
import gzip
import os
import statistics
import sys
import tempfile
import threading
import time
import zlib

from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "scripts", "lib"))
import site_tools  # noqa: E402

SITE = sys.argv[1]
RUNS = int(sys.argv[2]) if len(sys.argv) > 2 else 10
PICTURES = (".gif", ".png")

# Her record at the engine's limit: 95 000 days, one a line, just under 1 MiB.
LARGEST_RECORD = """
const days = [];
for (let day = Date.UTC(1700, 0, 1), i = 0; i < 95000; ++i, day += 86400000)
    days.push(new Date(day).toISOString().slice(0, 10));
localStorage.setItem("velmora.record", days.join("\\n") + "\\n");
"""

# Presses 计算 the moment the page is ready and notes when the six lines are there, in
# milliseconds since the navigation started.
PRESS = """
new MutationObserver((changes, observer) => {
    if (document.documentElement.dataset.ready !== "true") return;
    observer.disconnect();
    document.getElementById("calculate").click();
    if (document.querySelectorAll("#lines li").length === 6)
        window.velmoraLinesAt = performance.now();
}).observe(document, { attributes: true, subtree: true });
"""


def browser():
    driver = site_tools.chromium()
    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": PRESS})
    return driver


def lines_at(driver, url):
    driver.get(url)
    return WebDriverWait(driver, 20).until(lambda d: d.execute_script("return window.velmoraLinesAt"))


def gzip_bomb():
    """A 1 MB gzip of a gigabyte of zeros."""
    path = os.path.join(tempfile.mkdtemp(), "backup.json.gz")
    packer, zeros = zlib.compressobj(9, zlib.DEFLATED, 31), bytes(1 << 20)
    with open(path, "wb") as file:
        for _ in range(1024):
            file.write(packer.compress(zeros))
        file.write(packer.flush())
    return path


def refused_in(driver, url, path):
    driver.get(url)
    WebDriverWait(driver, 20).until(
        lambda d: d.execute_script("return document.documentElement.dataset.ready === 'true'"))
    picker = driver.find_element(By.ID, "recordFile")
    driver.execute_script("arguments[0].hidden = false", picker)
    started = time.monotonic()
    picker.send_keys(path)
    WebDriverWait(driver, 20).until(lambda d: d.find_element(By.ID, "recordReport").text)
    return (time.monotonic() - started) * 1000


def main():
    total = 0
    for name in sorted(os.listdir(SITE)) + ["icons/" + n for n in sorted(os.listdir(SITE + "/icons"))]:
        path = os.path.join(SITE, name)
        if os.path.isdir(path):
            continue
        with open(path, "rb") as f:
            size = len(gzip.compress(f.read(), 9))
        print("gzip_%s %d" % (name, size))
        if not name.endswith(PICTURES):
            total += size
    print("gzip_total_without_pictures %d" % total)

    server = site_tools.make_server(SITE)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    url = "http://127.0.0.1:%d/" % server.server_port
    first, again, largest, bomb = [], [], [], []
    bomb_path = gzip_bomb()
    for _ in range(RUNS):
        driver = browser()
        try:
            first.append(lines_at(driver, url))
            driver.execute_async_script("navigator.serviceWorker.ready.then(() => arguments[0]())")
            again.append(lines_at(driver, url))
            driver.execute_script(LARGEST_RECORD)
            largest.append(lines_at(driver, url))
            bomb.append(refused_in(driver, url, bomb_path))
        finally:
            driver.quit()
    server.shutdown()
    print("lines_first_visit_ms %.0f" % statistics.median(first))
    print("lines_cached_visit_ms %.0f" % statistics.median(again))
    print("lines_largest_record_ms %.0f" % statistics.median(largest))
    print("gzip_bomb_refused_ms %.0f" % statistics.median(bomb))


if __name__ == "__main__":
    main()
