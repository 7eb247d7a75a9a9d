#!/bin/bash

# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs into a temporary prefix and checks what a desktop finds there: every file in its
# place, a menu entry and AppStream file that their validators accept, and a program that
# answers on the command line without opening a window.
# Usage: check_install.sh BUILD-DIR
set -u
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"
for file in bin/velmora bin/velmora-cli \
    share/applications/org.velmora.Velmora.desktop \
    share/metainfo/org.velmora.Velmora.metainfo.xml \
    share/icons/hicolor/{16x16,22x22,24x24,32x32,48x48,64x64,128x128,256x256}/apps/org.velmora.Velmora.png \
    share/icons/hicolor/scalable/apps/org.velmora.Velmora.svg \
    share/man/man1/velmora.1.gz share/man/man1/velmora-cli.1.gz \
    lib/systemd/user/velmora-remind.service lib/systemd/user/velmora-remind.timer; do
    [ -s "$prefix/$file" ] || fail "$file is not installed"
done
desktop-file-validate "$prefix/share/applications/org.velmora.Velmora.desktop" ||
    fail "desktop-file-validate"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/org.velmora.Velmora.metainfo.xml" ||
    fail "appstreamcli validate"

# The reminder's units as systemd reads them, the service running this installed program.
units=$prefix/units
mkdir "$units" && cp "$prefix"/lib/systemd/user/velmora-remind.* "$units"/ &&
    sed -i "s#^ExecStart=\"/usr/bin/velmora-cli\"#ExecStart=\"$prefix/bin/velmora-cli\"#" \
        "$units/velmora-remind.service" || fail "the reminder's units"
grep -q "^ExecStart=\"$prefix/bin/velmora-cli\" --remind$" "$units/velmora-remind.service" ||
    fail "the reminder's service runs no velmora-cli --remind"
systemd-analyze verify --man=no "$units/velmora-remind.service" "$units/velmora-remind.timer" ||
    fail "systemd-analyze verify"

# No display at all: a window could not open, so these answer from the command line alone.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$prefix/bin/velmora" --version) ||
    fail "velmora --version exited $?"
[ "$version" = "velmora $VELMORA_VERSION" ] || fail "velmora --version printed '$version'"
for help in --help --help-all; do
    env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$prefix/bin/velmora" $help \
        >"$prefix/help" || fail "velmora $help exited $?"
    grep -q "^Usage: " "$prefix/help" || fail "velmora $help printed no usage"
done
# The window takes no arguments: both are refused with the usage, before any display is asked for.
for refused in "--frobnicate:Unknown option 'frobnicate'" "2004-02-19:takes no arguments: '2004-02-19'"; do
    env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$prefix/bin/velmora" "${refused%%:*}" \
        >/dev/null 2>"$prefix/err"
    status=$?
    [ $status -eq 1 ] || fail "velmora ${refused%%:*} exited $status, not 1"
    grep -q "${refused#*:}" "$prefix/err" && grep -q "Usage:" "$prefix/err" ||
        fail "velmora ${refused%%:*} did not tell why, with the usage, on standard error"
done
# Under a file-size limit a write fails as on a full disk: the program tells it, never dies of it.
(ulimit -f 0 && env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$prefix/bin/velmora" \
    --version >"$prefix/limited")
status=$?
[ $status -eq 1 ] || fail "velmora --version under ulimit -f 0 exited $status, not 1"
echo "installed files, validators and command line: all good"
