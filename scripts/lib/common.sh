# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by scripts/run, scripts/test, scripts/bench, scripts/package and scripts/windows: installs what is missing from
# Debian's packages and builds the project. Source it; do not run it.

VELMORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# What every build of the program needs: compiler, CMake, Ninja, Qt 6, libical for the calendar
# export, and a font for the Chinese captions.
VELMORA_BUILD_PACKAGES=(g++ cmake ninja-build qt6-base-dev libgl-dev libical-dev fonts-noto-cjk)

velmora_as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# velmora_install PACKAGE...: installs the packages that are not installed yet.
velmora_install() {
    local missing=() pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "== installing: ${missing[*]}"
    velmora_as_root apt-get update -qq
    velmora_as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# velmora_build DIR [CMAKE ARGS...]: configures (once) and builds into DIR.
velmora_build() {
    local dir=$1
    shift
    cmake -S "$VELMORA_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null &&
        cmake --build "$dir"
}
