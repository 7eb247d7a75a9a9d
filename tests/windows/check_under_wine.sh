#!/bin/bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Runs the Windows build under Wine on a virtual display, in a fresh Wine prefix, as a user would:
#  - velmora.exe as a portable copy: Calculate writes dear.cfg beside the .exe, a restart restores
#    it, the About box opens, and 系统信息 tells that Wine has no system-information tool;
#  - velmora-cli.exe prints the six lines and the calendar as the Linux velmora-cli does;
#  - the installer installs silently for the user, the Start-menu entry starts the program,
#    which keeps dear.cfg in %LOCALAPPDATA%\Velmora and exports the calendar through the save
#    dialog; the silent uninstall removes all but dear.cfg.
# Keys, not clicks: the window's tab order is Date, List, Cycle, Calculate, Cancel, About.
# Usage: check_under_wine.sh BUILD-WINDOWS LINUX-VELMORA-CLI [SCREENSHOT-FOLDER]
# BUILD-WINDOWS holds bin/velmora.exe, bin/velmora-cli.exe and the velmora-*-setup.exe that
# scripts/windows --installer made.
set -u
samples=$(cd "$(dirname "$0")/../data/imports" && pwd) # the trackers' exports
build=$(realpath "$1")
linux_cli=$(realpath "$2")
shots=${3:-}
exe=$build/bin/velmora.exe
cli=$build/bin/velmora-cli.exe
installer=$(ls "$build"/velmora-*-setup.exe | head -n 1)
work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all
wine=/usr/lib/wine/wine64
pids=()
cleanup() {
    [ ${#pids[@]} -gt 0 ] && kill "${pids[@]}" 2>/dev/null
    "$wine" wineboot --kill >/dev/null 2>&1
    # The Wine server writes the prefix until it ends.
    /usr/lib/wine/wineserver64 -k >/dev/null 2>&1
    /usr/lib/wine/wineserver64 -w >/dev/null 2>&1
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

# The X server picks a display number that is free and tells it: a number drawn by chance may
# belong to a server of another run, or to one that is still shutting down.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for i in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=:$(head -n 1 "$work/display")
mkdir -p "$work/app"
cp "$exe" "$work/app/velmora.exe"
timeout 300 "$wine" wineboot --init >/dev/null 2>&1 || fail "wineboot"
cd "$work/app"

# find_window TITLE SECONDS: the first visible window of that title, looked for until the time
# is up. An X error (a short-lived window of Wine's that went away while it was looked at)
# counts as not found yet, where `xdotool search --sync` would give up.
find_window() {
    local deadline=$((SECONDS + $2)) found
    while [ $SECONDS -lt $deadline ]; do
        found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
        [ -n "$found" ] && echo "$found" && return 0
        sleep 0.5
    done
    return 1
}
# start [COMMAND...]: runs velmora.exe (or COMMAND, under Wine) and waits for its window (the
# first start of a prefix is slow).
start() {
    [ $# -gt 0 ] || set -- velmora.exe
    "$wine" "$@" >/dev/null 2>&1 &
    pids+=($!)
    window=$(find_window '^Velmora$' 180)
    [ -n "$window" ] || fail "no Velmora window"
    sleep 2
    timeout 20 xdotool windowfocus --sync "$window"
}
# ours: the velmora.exe processes of this prefix.
ours() {
    local pid
    for pid in $(pgrep -f 'velmora\.exe'); do
        { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" &&
            echo "$pid"
    done
}
# closed: waits until no Velmora window is left and no velmora.exe of ours runs.
closed() {
    local i
    for i in $(seq 50); do
        [ -z "$(xdotool search --onlyvisible --name '^Velmora$' 2>/dev/null)" ] && [ -z "$(ours)" ] &&
            return 0
        sleep 0.2
    done
    return 1
}
# calendar FILE: a calendar without the lines that tell when it was made.
calendar() { grep -avE '^(DTSTAMP|LAST-MODIFIED|SEQUENCE):' "$1"; }
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
closed || fail "取消 did not close the window"
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
about=$(find_window '^关于Velmora$' 60)
[ -n "$about" ] || fail "no About box"
echo "ok: the About box opened"
sleep 2
timeout 20 xdotool windowfocus --sync "$about"
keys Tab space
for i in $(seq 50); do
    [ "$(xdotool search --onlyvisible --name '^Velmora$' 2>/dev/null | wc -l)" -ge 2 ] && break
    sleep 0.2
done
[ "$(xdotool search --onlyvisible --name '^Velmora$' 2>/dev/null | wc -l)" -ge 2 ] ||
    fail "系统信息 showed no message"
echo "ok: 系统信息 told that the system information is unavailable"
screenshot windows-about
kill $(ours) 2>/dev/null
closed || fail "the portable velmora.exe did not end"

"$wine" "$cli" 2004-02-19 30 >lines.txt 2>&1 || fail "velmora-cli.exe exited $?"
"$linux_cli" 2004-02-19 30 | cmp -s - lines.txt ||
    fail "velmora-cli.exe printed other lines: $(od -c lines.txt | head -n 5)"
echo "ok: velmora-cli.exe printed the six lines as UTF-8, as on Linux"
"$wine" "$cli" --ics - 2004-02-19 30 >cli.ics 2>&1 || fail "velmora-cli.exe --ics - exited $?"
cmp -s <(calendar cli.ics) <("$linux_cli" --ics - 2004-02-19 30 | calendar /dev/stdin) ||
    fail "velmora-cli.exe --ics - wrote another calendar: $(head -c 300 cli.ics)"
echo "ok: velmora-cli.exe --ics - wrote the Linux calendar, byte for byte but its time stamps"
# Windows' device names, in any folder and with any extension, are no files to write.
for device in NUL.ics CON 'C:\users\com1.txt'; do
    "$wine" "$cli" --ics "$device" 2004-02-19 30 >device.txt 2>&1
    status=$?
    [ $status -eq 1 ] && grep -qF "cannot write $device: Not a regular file" device.txt ||
        fail "velmora-cli.exe --ics $device exited $status: $(cat device.txt)"
done
echo "ok: velmora-cli.exe refused NUL.ics, CON and com1.txt as no regular files"

# Her record: kept beside a portable velmora-cli.exe, in the same file the Linux one reads.
mkdir -p "$work/record" && cp "$cli" "$work/record/velmora-cli.exe"
printf 'date,bleeding.value,bleeding.exclude\r\n2004-03-18,2,false\r\n' >"$work/drip.csv"
"$wine" "$work/record/velmora-cli.exe" --record 2004-01-22 --record 2004-02-19 >record.txt 2>&1 &&
    "$wine" "$work/record/velmora-cli.exe" --import "$work/drip.csv" >>record.txt 2>&1 &&
    "$wine" "$work/record/velmora-cli.exe" --import "$samples/periodical-backup.json.gz" \
        >>record.txt 2>&1 ||
    fail "velmora-cli.exe --record or --import failed: $(cat record.txt)"
# Periodical's backup is gzip: unpacked by the zlib Qt bundles.
printf '2004-01-22\n2004-02-19\n2004-03-18\n2024-01-03\n2024-02-01\n2024-03-02\n' |
    cmp -s - "$work/record/periods.txt" ||
    fail "velmora-cli.exe kept another record: $(od -c "$work/record/periods.txt" | head -n 5)"
"$wine" "$work/record/velmora-cli.exe" --history >history.txt 2>&1 ||
    fail "velmora-cli.exe --history exited $?"
mkdir -p "$work/linux"
cp "$work/record/periods.txt" "$work/linux/" && cp "$linux_cli" "$work/linux/velmora-cli"
HOME=$work/linux "$work/linux/velmora-cli" --history | cmp -s - history.txt ||
    fail "velmora-cli.exe --history printed another history: $(cat history.txt)"
echo "ok: velmora-cli.exe kept her record, took in a gzip backup, and printed its history as on Linux"
# Cleared, nothing of her days stays: neither the record nor what an interrupted save left.
printf '2004-02-19\n' >"$work/record/periods.txt.Ab12Cd"
"$wine" "$work/record/velmora-cli.exe" --clear >clear.txt 2>&1 ||
    fail "velmora-cli.exe --clear exited $?: $(cat clear.txt)"
[ ! -e "$work/record/periods.txt" ] && [ ! -e "$work/record/periods.txt.Ab12Cd" ] ||
    fail "velmora-cli.exe --clear left her days: $(ls -a "$work/record")"
echo "ok: velmora-cli.exe --clear removed the record and what a killed save left"

# The installer, silent and per user: no administrator, nothing outside the user's folders.
"$wine" "$installer" /S || fail "the silent install exited $?"
local=$(find "$WINEPREFIX/drive_c/users" -mindepth 3 -maxdepth 3 -path '*/AppData/Local' \
    ! -path '*/Public/*' | head -n 1)
installed=$local/Programs/Velmora
menu=$(dirname "$local")/Roaming/Microsoft/Windows/Start\ Menu/Programs/Velmora.lnk
for file in velmora.exe velmora-cli.exe README.txt uninstall.exe; do
    [ -s "$installed/$file" ] || fail "the installer left out $file"
done
[ -s "$menu" ] || fail "no Start-menu entry"
entry=$("$wine" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora' | tr -d '\r')
for value in "DisplayName +REG_SZ +Velmora" "DisplayVersion +REG_SZ +[0-9.]+" \
    "Publisher +REG_SZ +The Velmora developers" "DisplayIcon +REG_SZ +.*velmora.exe,0" \
    "UninstallString +REG_SZ +.*uninstall.exe"; do
    grep -Eq "$value" <<<"$entry" || fail "Apps & features lacks $value: $entry"
done
echo "ok: installed for the user, with a Start-menu entry and an entry in Apps & features"

cd "$local"
start start /unix "$menu"
keys Tab Tab Tab space
wait_for_file Velmora/dear.cfg || fail "Calculate wrote no %LOCALAPPDATA%\\Velmora\\dear.cfg"
printf '"2003-12-17"\r\n"30"\r\n' | cmp -s - Velmora/dear.cfg ||
    fail "dear.cfg of the installed program: $(od -c Velmora/dear.cfg | head -n 3)"
[ -e "$installed/dear.cfg" ] && fail "the installed program wrote dear.cfg beside itself"
echo "ok: started from the Start menu, it keeps dear.cfg in %LOCALAPPDATA%\\Velmora"

# The list's context menu (Shift+F10), its one entry, and a whole path typed in the dialog.
keys shift+Tab shift+Tab
sleep 1
keys shift+F10 Down Return
dialog=$(find_window '^导出到日历$' 60)
[ -n "$dialog" ] || fail "导出到日历... opened no save dialog"
sleep 2
timeout 20 xdotool windowfocus --sync "$dialog"
sleep 0.5
keys End shift+Home
xdotool type --delay 30 'C:\velmora-export.ics'
keys Return
export=$WINEPREFIX/drive_c/velmora-export.ics
wait_for_file "$export" || fail "the export wrote no calendar"
cmp -s <(calendar "$export") <("$linux_cli" --ics - 2003-12-17 30 | calendar /dev/stdin) ||
    fail "the window exported another calendar: $(head -c 300 "$export")"
echo "ok: the window exported the Linux calendar, byte for byte but its time stamps"
timeout 20 xdotool windowfocus --sync "$window"
keys Tab Tab Tab space
closed || fail "取消 did not close the installed program"

"$wine" "$installed/uninstall.exe" /S || fail "the silent uninstall exited $?"
for i in $(seq 100); do [ -e "$installed" ] || break; sleep 0.2; done
[ -e "$installed" ] && fail "the uninstaller left $(ls "$installed")"
[ -e "$menu" ] && fail "the uninstaller left the Start-menu entry"
"$wine" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora' \
    >/dev/null 2>&1 && fail "the uninstaller left the entry in Apps & features"
printf '"2003-12-17"\r\n"30"\r\n' | cmp -s - Velmora/dear.cfg || fail "the uninstaller took dear.cfg"
echo "ok: the silent uninstall removed the program and its entries, and kept dear.cfg"
echo "Velmora for Windows under Wine: all good"
