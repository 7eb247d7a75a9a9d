#!/bin/bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Runs velmora.exe under Wine on a virtual display, in a fresh Wine prefix, as a user would:
# Calculate writes dear.cfg beside the .exe, a restart restores it, the About box opens, and
# 系统信息 tells that Wine has no system-information tool. Keys, not clicks: the window's tab
# order is Date, List, Cycle, Calculate, Cancel, About.
# Usage: check_under_wine.sh VELMORA.EXE [SCREENSHOT-FOLDER]
set -u
exe=$1
shots=${2:-}
work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all DISPLAY=:$((40 + RANDOM % 20))
wine=/usr/lib/wine/wine64
pids=()
cleanup() {
    [ ${#pids[@]} -gt 0 ] && kill "${pids[@]}" 2>/dev/null
    "$wine" wineboot --kill >/dev/null 2>&1
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
mkdir -p "$work/app"
cp "$exe" "$work/app/velmora.exe"
timeout 300 "$wine" wineboot --init >/dev/null 2>&1 || fail "wineboot"
cd "$work/app"

# start: runs velmora.exe and waits for its window (the first start of a prefix is slow).
start() {
    "$wine" velmora.exe >/dev/null 2>&1 &
    pids+=($!)
    window=$(timeout 180 xdotool search --sync --onlyvisible --name '^Velmora$' 2>/dev/null | head -n 1)
    [ -n "$window" ] || fail "no Velmora window"
    sleep 2
    timeout 20 xdotool windowfocus --sync "$window"
}
# keys KEY...: typed into the focused window, a little apart, as a person would.
keys() {
    local key
    for key in "$@"; do
        xdotool key "$key"
        sleep 0.3
    done
}
wait_for_file() {
    local i
    for i in $(seq 50); do
        [ -s "$1" ] && return 0
        sleep 0.2
    done
    return 1
}
screenshot() { [ -n "$shots" ] && import -window root "$shots/$1.png"; }

start
keys Tab Tab Tab space
wait_for_file dear.cfg || fail "Calculate wrote no dear.cfg beside velmora.exe"
printf '"2003-12-17"\r\n"30"\r\n' | cmp -s - dear.cfg ||
    fail "dear.cfg after the first Calculate: $(od -c dear.cfg | head -n 3)"
echo "ok: the first Calculate wrote the 20 bytes of the initial inputs"
keys Tab space
for i in $(seq 50); do
    xdotool search --onlyvisible --name '^Velmora$' >/dev/null || break
    sleep 0.2
done
xdotool search --onlyvisible --name '^Velmora$' >/dev/null && fail "取消 did not close the window"
echo "ok: 取消 closed the window"

# As if the example had been saved: a restart shows it, and Calculate saves it unchanged.
printf '"2004-02-19"\r\n"30"\r\n' >dear.cfg
touch -d '2001-01-01' dear.cfg
start
keys Tab Tab Tab space
for i in $(seq 50); do [ "$(stat -c %Y dear.cfg)" -gt 1000000000 ] && break; sleep 0.2; done
printf '"2004-02-19"\r\n"30"\r\n' | cmp -s - dear.cfg || fail "the restart did not restore dear.cfg"
[ "$(stat -c %Y dear.cfg)" -gt 1000000000 ] || fail "the second Calculate did not save"
echo "ok: a restart restored 2004-02-19 and 30, and Calculate saved them again"
screenshot windows-main

keys Tab Tab space
about=$(timeout 60 xdotool search --sync --onlyvisible --name '^关于Velmora$' | head -n 1)
[ -n "$about" ] || fail "no About box"
echo "ok: the About box opened"
sleep 2
timeout 20 xdotool windowfocus --sync "$about"
keys Tab space
for i in $(seq 50); do
    [ "$(xdotool search --onlyvisible --name '^Velmora$' | wc -l)" -ge 2 ] && break
    sleep 0.2
done
[ "$(xdotool search --onlyvisible --name '^Velmora$' | wc -l)" -ge 2 ] ||
    fail "系统信息 showed no message"
echo "ok: 系统信息 told that the system information is unavailable"
screenshot windows-about
echo "velmora.exe under Wine: all good"
