#!/usr/bin/env bash
# Installs the Debian packages that are missing, then
#   play: builds into build/ and starts the game;
#   test: builds into build/ and build-web/ and runs every test;
#   web:  builds the web edition into build-web/ and serves it on
#         http://localhost:8080/ (or on $PORT) until Ctrl+C.
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-}
case "$mode" in
play | test | web) ;;
*)
    echo "usage: ./setup.sh play|test|web" >&2
    exit 2
    ;;
esac

# The web edition: Emscripten, the tools that make its fonts, and the
# browser its tests drive (npm comes with some builds of nodejs).
web_packages=(cmake ninja-build emscripten nodejs python3 python3-fonttools python3-brotli
    fonts-ipafont-mincho fonts-ipafont-gothic)
command -v npm >/dev/null || web_packages+=(npm)

build_web() {
    emcmake cmake -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=Release
    cmake --build build-web -j "$(nproc)"
}

if [ "$mode" = web ]; then
    dev/install_missing.sh "${web_packages[@]}"
    build_web
    port=${PORT:-8080}
    echo "The game is on http://localhost:$port/ (Ctrl+C stops the server)."
    exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build-web
fi

packages=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev fonts-ipafont-mincho fonts-ipafont-gothic)
if [ "$mode" = test ]; then
    packages+=(googletest libgtest-dev libx11-dev libxtst-dev libxdamage-dev xvfb xauth xdotool x11-utils
        imagemagick valgrind appstream desktop-file-utils dpkg-dev lintian file clang-format locales
        dbus at-spi2-core python3-pyatspi "${web_packages[@]}" chromium)
fi

dev/install_missing.sh "${packages[@]}"

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

# The web edition, and its tests in a real browser.
build_web
npm ci --prefix tests/web --silent --no-audit --no-fund
tests/web/run.sh build build-web
