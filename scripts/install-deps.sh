#!/usr/bin/env bash
# Installs what building, testing and running Quarvel needs on Debian 12 (root, or sudo).
# Installs only what is missing, so a second run is quick.
set -euo pipefail

packages=(
    cmake make g++ python3 locales
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    g++-multilib qemu-user  # and util-linux's unshare: 32-bit x86 code where the kernel runs none
    binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 g++-mingw-w64-i686
    wine wine64 wine32:i386 fonts-wine xvfb xserver-xephyr x11-utils x11-apps imagemagick
    clang-14 libclang-rt-14-dev
    emscripten chromium chromium-driver webkit2gtk-driver firefox-esr python3-selenium python3-pil
    fonts-liberation
)
# The machine's Node.js brings npm; a Debian Node.js alone (pulled in by emscripten) needs the package.
command -v npm >/dev/null 2>&1 || packages+=(npm)
missing=()
for package in "${packages[@]}"; do
    dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
# 32-bit Wine, for the 32-bit Quarvel.exe, comes from Debian's i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    # A mirror caught mid-sync serves an index of the wrong size for a while: try again.
    for attempt in 1 2 3 4 5; do
        errors=$($sudo apt-get update -qq 2>&1 | tee /dev/stderr | grep -c '^E:' || true)
        if [ "$errors" -eq 0 ] || [ "$attempt" -eq 5 ]; then break; fi
        sleep 30
    done
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# What the page's tests take from the npm registry, at the versions pinned in its lock file.
tests=$(cd "$(dirname "$0")/../tests/web" && pwd)
if [ ! -f "$tests/node_modules/axe-core/axe.min.js" ]; then
    npm ci --prefix "$tests" --no-audit --no-fund >/dev/null
fi

# A locale with a decimal comma, for the test that number text does not depend on the locale.
if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
    $sudo sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
    $sudo locale-gen >/dev/null
fi
