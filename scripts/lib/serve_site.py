#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Serves a built web site on 127.0.0.1 only, with the types a browser needs for WebAssembly
and the manifest. Used by scripts/web --serve and by the browser tests."""
import functools
import http.server
import sys


class SiteHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map,
        ".wasm": "application/wasm",
        ".webmanifest": "application/manifest+json",
        ".js": "text/javascript",
        ".ics": "text/calendar",
    }

    def end_headers(self):
        # Always asked again, so that a new build is seen; offline, the service worker answers.
        self.send_header("Cache-Control", "no-cache")
        self.send_header("X-Content-Type-Options", "nosniff")
        super().end_headers()

    def log_message(self, *args):
        pass


def make_server(folder, port=0):
    """A server of `folder` on 127.0.0.1 (port 0: any free one), not yet serving."""
    handler = functools.partial(SiteHandler, directory=folder)
    return http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)


if __name__ == "__main__":
    server = make_server(sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 8000)
    print("Velmora is served at http://127.0.0.1:%d/ (Ctrl+C stops it)" % server.server_port,
          flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
