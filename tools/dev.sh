#!/usr/bin/env bash
# Builds Velmora on a Debian 12 machine, installing the Debian packages it needs first.
#   tools/dev.sh run   builds and starts the desktop program on a copy of the sample ledger
#                      (without a display: renders its main window to build/screenshot.png)
#   tools/dev.sh test  builds and runs the whole test suite (clang-format check included)
#   tools/dev.sh deps  only installs the Debian packages
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev clang-format
    qt6-base-dev qt6-base-dev-tools libqt6svg6 qt6-translations-l10n fonts-ipaexfont fonts-noto-cjk
    libgl-dev xvfb xauth poppler-utils desktop-file-utils appstream librsvg2-bin
    # The desktop scenarios: a window manager, key presses (xmodmap gives each character off
    # the keyboard a key of its own), and Japanese typed through ibus
    # with mozc on a session bus of their own.
    openbox xdotool x11-xserver-utils ibus ibus-mozc dbus-x11 passwd)

install_packages() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

build() {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build -j "$(nproc)"
}

case "${1:-}" in
    run)
        install_packages
        build
        # The program saves into the ledger it opens: it gets a copy, never the tracked sample,
        # and a copy made before is kept with whatever was entered into it.
        [ -f build/sample.exv ] || cp data/sample.exv build/sample.exv
        if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
            echo "No display (DISPLAY and WAYLAND_DISPLAY are empty): rendering the main window offscreen instead."
            QT_QPA_PLATFORM=offscreen ./build/gui/velmora --screenshot build/screenshot.png build/sample.exv
            echo "Screenshot: $PWD/build/screenshot.png"
        else
            ./build/gui/velmora build/sample.exv
        fi
        ;;
    deps)
        install_packages
        ;;
    test)
        install_packages
        build
        ctest --test-dir build --output-on-failure -j "$(nproc)"
        ;;
    *)
        echo "usage: tools/dev.sh run|test|deps" >&2
        exit 2
        ;;
esac
