#!/usr/bin/env bash
# Installs the Debian packages that are missing, builds into build/, then
# starts the game (play) or runs every test (test).
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-}
case "$mode" in
play | test) ;;
*)
    echo "usage: ./setup.sh play|test" >&2
    exit 2
    ;;
esac

packages=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev fonts-ipafont-mincho fonts-ipafont-gothic)
if [ "$mode" = test ]; then
    packages+=(googletest libgtest-dev libx11-dev libxtst-dev xvfb xauth xdotool x11-utils
        imagemagick valgrind appstream desktop-file-utils dpkg-dev file clang-format locales
        dbus at-spi2-core python3-pyatspi)
fi

tools/install_missing.sh "${packages[@]}"

jobs=$(nproc)
# The test build turns every warning into an error.
strict=$([ "$mode" = test ] && echo ON || echo OFF)
cmake -S . -B build -G Ninja -DTEMBIRA_TESTS="$strict" -DTEMBIRA_WERROR="$strict"
cmake --build build -j "$jobs"

if [ "$mode" = play ]; then
    exec ./build/tembira
fi

ctest --test-dir build --output-on-failure -j "$jobs"

# The core again under AddressSanitizer and UndefinedBehaviorSanitizer.
cmake -S . -B build/sanitize -G Ninja -DTEMBIRA_GUI=OFF -DTEMBIRA_SANITIZE=ON -DTEMBIRA_WERROR=ON
cmake --build build/sanitize -j "$jobs"
ctest --test-dir build/sanitize --output-on-failure -j "$jobs"
