#!/usr/bin/env bash
# Builds Velmora on a Debian 12 machine, installing the Debian packages it needs first.
#   tools/dev.sh run   builds and starts the program (for now velmora-cli on the sample ledger)
#   tools/dev.sh test  builds and runs the whole test suite
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev)

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
        ./build/cli/velmora-cli books data/sample.exv
        ;;
    test)
        install_packages
        build
        ctest --test-dir build --output-on-failure -j "$(nproc)"
        ;;
    *)
        echo "usage: tools/dev.sh run|test" >&2
        exit 2
        ;;
esac
