#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Takes the comments, blank lines and indents out of the built site's scripts and style sheet,
and the comments out of its HTML, so that a phone downloads the code without the words written
for its readers (a third of the page's weight). The files stay as they are otherwise, each
loaded on its own; web/ keeps them whole. The licence lines stay.

    shed_comments.py SITE
"""
import pathlib
import re
import sys


def shed_script(text):
    kept = []
    for line in text.splitlines():
        code = line.strip()
        # Our scripts have no string or template that runs over lines, so a line that begins
        # with // is a comment whole.
        if code and (not code.startswith("//") or code.startswith("// SPDX-")):
            kept.append(code)
    return "\n".join(kept) + "\n"


def shed_style(text):
    # Licence lines sit in the first comment; the others go.
    first = re.match(r"\s*/\*.*?\*/", text, re.S)
    head = first.group(0).strip() + "\n" if first and "SPDX" in first.group(0) else ""
    body = re.sub(r"/\*.*?\*/", "", text[first.end():] if head else text, flags=re.S)
    return head + "\n".join(line.strip() for line in body.splitlines() if line.strip()) + "\n"


def shed_page(text):
    return re.sub(r"\n?[ \t]*<!--(?:(?!SPDX).)*?-->", "", text, flags=re.S)


def main(site):
    for path in pathlib.Path(site).iterdir():
        shed = {".js": shed_script, ".css": shed_style, ".html": shed_page}.get(path.suffix)
        if shed and path.name != "velmora-engine.js":  # emscripten's, already without them
            path.write_text(shed(path.read_text(encoding="utf-8")), encoding="utf-8")


if __name__ == "__main__":
    main(sys.argv[1])
