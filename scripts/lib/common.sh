# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the scripts: installs what is missing from Debian's packages, builds the project, and
# builds libical from Debian's source for the other platforms. Source it; do not run it.

VELMORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# What every build of the program needs: compiler, CMake, Ninja, Qt 6, libical for the calendar
# export, nlohmann's JSON and zlib for the files other trackers export, and a font for the
# Chinese captions.
VELMORA_BUILD_PACKAGES=(g++ cmake ninja-build qt6-base-dev libgl-dev libical-dev nlohmann-json3-dev
    zlib1g-dev fonts-noto-cjk)

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

# Where what is slow to build and never changes is kept, outside the checkout: Qt and libical
# cross-built from Debian's sources.
VELMORA_CACHE=${VELMORA_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/velmora}

# velmora_fetch_source PACKAGE VERSION FOLDER: Debian's source of a package, unpacked in FOLDER.
velmora_fetch_source() {
    if ! grep -rqs '^Types:.*deb-src\|^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        echo "== adding the source archives of the machine's own apt sources" >&2
        # The same mirrors, suites and components as the binary packages come from, whether
        # a local mirror or Debian's own: each deb entry again as deb-src. Read whole before
        # anything is written beside them.
        local deb822="" oneline="" list
        for list in /etc/apt/sources.list.d/*.sources; do
            if [ -f "$list" ]; then
                deb822+=$(sed 's/^Types:.*/Types: deb-src/' "$list")$'\n\n'
            fi
        done
        for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
            if [ -f "$list" ]; then
                oneline+=$(sed -n 's/^deb\([[:space:]]\)/deb-src\1/p' "$list")$'\n'
            fi
        done
        [ -z "${deb822//[[:space:]]/}" ] ||
            velmora_as_root tee /etc/apt/sources.list.d/velmora-src.sources <<<"$deb822" >/dev/null
        [ -z "${oneline//[[:space:]]/}" ] ||
            velmora_as_root tee /etc/apt/sources.list.d/velmora-src.list <<<"$oneline" >/dev/null
        velmora_as_root apt-get update -qq >&2
    fi
    echo "== fetching the source of $1 ($2)" >&2
    # Only the upstream tarball is built from; a mirror that lacks Debian's packaging part
    # makes apt-get fail after fetching it, which is no reason to stop.
    (cd "$3" && { apt-get source -qq --download-only "$1=$2" >/dev/null 2>&1 || true; } &&
        tar -xf ./*.orig.tar.*)
}

# velmora_libical PLATFORM DURATION CONFIGURE...: the prefix of libical built for PLATFORM from
# Debian's source of the installed libical-dev, once, into the cache; CONFIGURE is the CMake
# command line that targets the platform (a toolchain file, or emcmake). Only what the calendar
# export needs is built: the static C library, with its own time zone data.
velmora_libical() {
    local platform=$1 duration=$2 version prefix work src started
    shift 2
    version=$(dpkg-query -W -f='${source:Version}' libical-dev)
    prefix=$VELMORA_CACHE/libical-$platform-$version
    if [ ! -f "$prefix/lib/cmake/LibIcal/LibIcalConfig.cmake" ]; then
        work=$VELMORA_CACHE/libical-$platform-build-$version
        rm -rf "$work" "$prefix"
        mkdir -p "$work"
        # libical's source package is named after its library.
        velmora_fetch_source libical3 "$version" "$work"
        src=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'libical-*' | head -n 1)
        echo "== building libical for $platform once, into $prefix ($duration)" >&2
        started=$SECONDS
        (
            "$@" -S "$src" -B "$work/build" -DCMAKE_BUILD_TYPE=Release \
                -DCMAKE_INSTALL_PREFIX="$prefix" -DSTATIC_ONLY=ON -DICAL_GLIB=OFF \
                -DICAL_BUILD_DOCS=OFF -DLIBICAL_BUILD_TESTING=OFF -DUSE_BUILTIN_TZDATA=ON \
                -DENABLE_GTK_DOC=OFF -DGOBJECT_INTROSPECTION=OFF -DICAL_GLIB_VAPI=OFF \
                -DCMAKE_DISABLE_FIND_PACKAGE_ICU=ON -DCMAKE_DISABLE_FIND_PACKAGE_BDB=ON &&
                cmake --build "$work/build" && cmake --install "$work/build"
        ) >"$work/build.log" 2>&1 || { tail -n 30 "$work/build.log" >&2; return 1; }
        echo "== libical for $platform built in $((SECONDS - started)) s" >&2
        rm -rf "$work"
    fi
    echo "$prefix"
}
