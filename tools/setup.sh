#!/usr/bin/env bash
# Sets up a Debian 12 machine for Timbra and Lowtimbra and builds them.
#   tools/setup.sh run    install what is missing, build, start Timbra
#   tools/setup.sh test   install what is missing, build, run every test
# Run as root (or with sudo available) from the top of the source tree.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-}
case "$mode" in
    run|test) ;;
    *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

jobs=$(nproc 2>/dev/null || echo 2)
packages=(build-essential cmake ninja-build pkg-config qt6-base-dev libgl-dev nlohmann-json3-dev
          libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

install_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -q
        DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
}

build() { # build-folder, extra cmake arguments...
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja "$@"
    cmake --build "$dir" -j "$jobs"
}

if [ "$mode" = test ]; then
    install_packages "${packages[@]}"
    build build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTIMBRA_WERROR=ON
    ctest --test-dir build --output-on-failure -j "$jobs"
    exit 0
fi

install_packages "${packages[@]}"
build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "setup.sh: built in build/src, but no display found; start build/src/timbra from a desktop session, or use build/src/timbra-cli" >&2
    exit 1
fi
echo "Starting Timbra (Lowtimbra is build/src/lowtimbra)"
exec build/src/timbra
