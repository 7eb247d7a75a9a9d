#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Serves a built web site on 127.0.0.1 only, with the types a browser needs for WebAssembly
and the manifest, and starts Debian's chromium to look at it. Used by scripts/web --serve, the
browser tests and the web benchmark."""
import functools
import http.server
import subprocess
import sys
import tempfile
import time


class SiteHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map,
        ".wasm": "application/wasm",
        ".webmanifest": "application/manifest+json",
        ".js": "text/javascript",
        ".ics": "text/calendar",
    }

    cache_control = "no-cache"

    def end_headers(self):
        # Always asked again, so that a new build is seen; offline, the service worker answers.
        self.send_header("Cache-Control", self.cache_control)
        self.send_header("X-Content-Type-Options", "nosniff")
        super().end_headers()

    def log_message(self, *args):
        pass


def make_server(folder, port=0, cache_control="no-cache"):
    """A server of `folder` on 127.0.0.1 (port 0: any free one), not yet serving. A host that
    lets browsers keep its files a while is `cache_control="max-age=600"`."""
    handler = functools.partial(type("Handler", (SiteHandler,), {"cache_control": cache_control}),
                                directory=folder)
    return http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)


def chromium(log_network=False):
    """Debian's chromium, headless, driven by Debian's selenium, with a profile of its own.
    Without the background services it would try to reach Google at every start.

    chromedriver reaches its own server and the browser's DevTools by the name localhost, which
    a fresh system without /etc/hosts cannot look up; so the browser is started here on
    127.0.0.1 and chromedriver, also reached at 127.0.0.1, attaches to it. Quit it with quit()."""
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common import utils

    class LoopbackService(Service):
        @property
        def service_url(self):
            return "http://127.0.0.1:%d" % self.port

        def is_connectable(self):
            return utils.is_connectable(self.port, "127.0.0.1")

    port = utils.free_port()
    browser = subprocess.Popen(
        ["/usr/bin/chromium", "--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
         "--no-first-run", "--disable-background-networking", "--disable-component-update",
         "--disable-sync", "--lang=zh-CN", "--user-data-dir=" + tempfile.mkdtemp(),
         "--remote-debugging-address=127.0.0.1", "--remote-debugging-port=%d" % port,
         "about:blank"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + 30
    while not utils.is_connectable(port, "127.0.0.1"):
        if browser.poll() is not None or time.monotonic() > deadline:
            browser.kill()
            raise RuntimeError("chromium did not start")
        time.sleep(0.1)
    options = webdriver.ChromeOptions()
    options.debugger_address = "127.0.0.1:%d" % port
    if log_network:
        options.set_capability("goog:loggingPrefs", {"performance": "ALL"})
    driver = webdriver.Chrome(service=LoopbackService("/usr/bin/chromedriver"), options=options)
    close = driver.quit

    def quit_both():
        close()
        browser.terminate()
        browser.wait(10)

    driver.quit = quit_both
    driver.browser_pid = browser.pid
    return driver


if __name__ == "__main__":
    server = make_server(sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 8000)
    print("Velmora is served at http://127.0.0.1:%d/ (Ctrl+C stops it)" % server.server_port,
          flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
