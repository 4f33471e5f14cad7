# Shared by the scripts: package installation and the native build.
set -euo pipefail

BRASSBELL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Installs the Debian packages named, those not installed yet, as root or through sudo.
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}" >&2
    # Standard output stays for the callers' own answers (see build-qt-mingw).
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -o DPkg::Lock::Timeout=600 -qq >&2
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        -o DPkg::Lock::Timeout=600 "${missing[@]}" </dev/null >&2
}

BUILD_PACKAGES=(cmake g++ ninja-build pkg-config qt6-base-dev libsqlite3-dev libgtest-dev mdbtools-dev
    desktop-file-utils appstream)

# Configures and builds one preset of CMakePresets.json in its own folder under build/; further
# arguments name the targets to build (by default the preset's own).
build_preset() {
    local preset=$1
    shift
    local targets=()
    [ $# -gt 0 ] && targets=(--target "$@")
    (cd "$BRASSBELL_ROOT" && cmake --preset "$preset" >/dev/null &&
        cmake --build --preset "$preset" --parallel "$(nproc)" "${targets[@]}")
}

# Libraries built for Windows from Debian's source packages live here, outside the tree, and are
# reused by every clone on the machine while their version and options match.
BRASSBELL_CACHE=${BRASSBELL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/brassbell}

# Fetches Debian's source package PACKAGE at VERSION and unpacks it, with Debian's patches
# applied, into the folder DEST (its parent must exist). apt reads a private configuration that
# adds the deb-src entries, so the machine's own sources and package lists stay as they are.
# apt names each file with its checksum from the signed index; the files are fetched one by one
# and checked against it, because a mirror may lack the .dsc that "apt-get source" insists on.
fetch_debian_source() {
    local package=$1 version=$2 dest=$3
    ensure_packages curl patch xz-utils debian-archive-keyring
    local apt_dir=$BRASSBELL_CACHE/apt
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/sources.list.d"
    local signed='[signed-by=/usr/share/keyrings/debian-archive-keyring.gpg]' suite
    for suite in bookworm bookworm-updates trixie; do
        echo "deb-src $signed http://deb.debian.org/debian $suite main"
    done >"$apt_dir/sources.list"
    echo "deb-src $signed http://deb.debian.org/debian-security bookworm-security main" >>"$apt_dir/sources.list"
    local apt_options=(-o "Dir::Etc::SourceList=$apt_dir/sources.list"
        -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
        -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
        -o "APT::Sandbox::User=$(id -un)" -o "Debug::NoLocking=1" -qq)
    apt-get "${apt_options[@]}" update >&2

    local work
    work=$(mktemp -d "$dest.fetch.XXXXXX")
    local uri name size checksum
    while read -r uri name size checksum; do
        uri=${uri//\'/}
        case "$name" in *.dsc) continue ;; esac
        curl -fsS --retry 3 -o "$work/$name" "$uri"
        echo "${checksum#SHA256:}  $work/$name" | sha256sum --quiet -c
    done < <(apt-get "${apt_options[@]}" --print-uris source "$package=$version")

    # Source format 3.0 (quilt): the upstream tarball, Debian's folder over it, its patch series.
    mkdir "$work/unpacked"
    tar -xf "$(ls "$work"/*.orig.tar.*)" -C "$work/unpacked" --strip-components=1
    tar -xf "$(ls "$work"/*.debian.tar.*)" -C "$work/unpacked"
    if [ -f "$work/unpacked/debian/patches/series" ]; then
        local patch_name
        grep -v '^\s*\(#\|$\)' "$work/unpacked/debian/patches/series" | while read -r patch_name _; do
            patch -d "$work/unpacked" -p1 -s --no-backup-if-mismatch <"$work/unpacked/debian/patches/$patch_name"
        done
    fi
    rm -rf "$dest"
    mv "$work/unpacked" "$dest"
    rm -rf "$work"
}

# The version of an installed Debian package, e.g. 6.4.2+dfsg-10.
installed_version() { dpkg-query -W -f='${Version}' "$1"; }

# Runs Windows programs here: one Wine prefix in build/win (the only one ever touched), the null
# graphics driver so windows exist without any X display, and one Wine server for all the runs
# of the calling script, ended when it ends. Wine takes the ANSI code page from the locale, and
# the encoding of file names on Linux from its character set: C.UTF-8 gives Windows-1252 and
# file names of any letters. Scripts called by one that has done this share its prefix and server.
use_wine() {
    [ -n "${BRASSBELL_WINE_READY:-}" ] && return 0
    ensure_packages wine wine64
    export WINEPREFIX="$BRASSBELL_ROOT/build/win/wineprefix" WINEARCH=win64 WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
    unset DISPLAY WAYLAND_DISPLAY
    if [ ! -f "$WINEPREFIX/.brassbell-ready" ]; then
        echo "Preparing the Wine prefix $WINEPREFIX" >&2
        rm -rf "$WINEPREFIX"
        mkdir -p "$(dirname "$WINEPREFIX")"
        wineboot -i >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.brassbell-ready"
    fi
    trap 'wineserver -k 2>/dev/null || true' EXIT
    # Its services start here, away from CTest: started by a test, they would hold that test's
    # output pipe open and CTest would wait for them.
    wineserver -p </dev/null >/dev/null 2>&1 || true # already running for this prefix
    wine cmd /c exit </dev/null >/dev/null 2>&1
    export BRASSBELL_WINE_READY=1
}

# The libraries built for Windows, made or found in the cache, for the preset "windows".
use_mingw_libraries() {
    BRASSBELL_MINGW_QT=$("$BRASSBELL_ROOT/scripts/build-qt-mingw")
    BRASSBELL_MINGW_LIBS=$("$BRASSBELL_ROOT/scripts/build-mingw-libs")
    export BRASSBELL_MINGW_QT BRASSBELL_MINGW_LIBS
    configure_against build/win "$BRASSBELL_MINGW_QT" "$BRASSBELL_MINGW_LIBS"
}

# A cross build in the folder BUILD configured against other library folders than those given
# is configured afresh: its cached search results point into folders that are gone.
configure_against() {
    local build=$BRASSBELL_ROOT/$1
    shift
    if [ -f "$build/CMakeCache.txt" ] && [ "$(cat "$build/.mingw-libraries" 2>/dev/null)" != "$*" ]; then
        rm -f "$build/CMakeCache.txt"
    fi
    mkdir -p "$build"
    echo "$*" >"$build/.mingw-libraries"
}
