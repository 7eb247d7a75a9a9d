#!/bin/bash

# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The calendar as a calendar program we did not write reads it: khal imports two exports a
# cycle apart, as a woman who exports once a cycle would. Each export's phases stay where they
# were, and the coming periods with their reminders are moved, never added again.
# Usage: check_in_khal.sh VELMORA-CLI
set -u
cli=$1
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

mkdir -p "$home/calendar"
cat >"$home/config" <<CONFIG
[calendars]
[[velmora]]
path = $home/calendar
type = calendar
[locale]
timeformat = %H:%M
dateformat = %Y-%m-%d
longdateformat = %Y-%m-%d
datetimeformat = %Y-%m-%d %H:%M
longdatetimeformat = %Y-%m-%d %H:%M
CONFIG
export HOME=$home XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config-home LC_ALL=C.UTF-8 TZ=UTC
khal() { command khal -c "$home/config" "$@"; }

# The second export starts on the first's next period, with a corrected length.
for inputs in "2004-02-19 30" "2004-03-20 28"; do
    # shellcheck disable=SC2086 # the first day and the length, two arguments
    "$cli" --ics "$home/export.ics" $inputs || fail "velmora-cli --ics $inputs"
    khal import --batch "$home/export.ics" || fail "khal import of $inputs"
done

# Every event is listed once: both cycles' six phases, and the two coming periods once each,
# at the second export's days, each with its reminder.
listed=$(khal list --once --format "{start-date}..{end-date} {title}{alarm-symbol}" \
    2004-02-01 200d) || fail "khal list"
coming=$(grep 预计月经期 <<<"$listed")
expected=$'2004-05-15..2004-05-19 预计月经期 ⏰\n2004-06-12..2004-06-16 预计月经期 ⏰'
[ "$coming" = "$expected" ] || fail "the coming periods are listed as"$'\n'"$coming"
for phase in "2004-02-19..2004-02-23 月经期" "2004-03-20..2004-03-24 月经期" \
    "2004-04-17..2004-04-17 下次月经开始日 ⏰" "2004-03-20..2004-03-20 下次月经开始日 ⏰"; do
    grep -qxF "$phase" <<<"$listed" || fail "no '$phase' in"$'\n'"$listed"
done
count=$(grep -c . <<<"$(grep -v '^[A-Z][a-z]*day, ' <<<"$listed")")
[ "$count" -eq 14 ] || fail "$count events instead of 14:"$'\n'"$listed"
echo "khal reads both exports: 12 phases and the two coming periods, moved"
