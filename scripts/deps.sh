#!/usr/bin/env bash
# Installs with apt-get what this machine lacks: with "run", only what
# building and starting the program needs (run.sh); otherwise that and
# whatever the tests need besides (test.sh). Silent when everything is
# already there.
set -euo pipefail

run_packages=(
    cmake ninja-build g++
    qt6-base-dev qt6-base-dev-tools libgl-dev
    fonts-dejavu-core
)

test_packages=(
    pkg-config
    libgtest-dev libbenchmark-dev
    xvfb xdotool x11-utils xauth
    dpkg-dev file lintian
    libx11-dev libxcb1-dev openbox wmctrl xclip
    desktop-file-utils appstream binutils-mingw-w64-x86-64
    libxcb-damage0-dev valgrind cppcheck devscripts
    clang libclang-rt-14-dev clang-tidy
    dbus at-spi2-core python3-pyatspi qt6-translations-l10n locales
    g++-mingw-w64-x86-64-posix wine wine64 nsis unzip
    qt6-wayland dbus-x11 orca
    emscripten chromium chromium-driver python3-selenium
)

# With "web", only what building the page needs (scripts/web.sh).
web_packages=(cmake ninja-build emscripten)

packages=("${run_packages[@]}")
case "${1:-}" in
run) ;;
web) packages=("${web_packages[@]}") ;;
*) packages+=("${test_packages[@]}") ;;
esac

missing=()
for p in "${packages[@]}"; do
    if [ "$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null)" != installed ]; then
        missing+=("$p")
    fi
done
# The web page's accessibility check runs axe-core from npm. A node that
# is not Debian's brings its own npm.
axe_core=axe-core@4.14.1
need_axe=false
if [ -z "${1:-}" ]; then
    command -v npm >/dev/null || missing+=(npm)
    [ -f "$(npm root -g 2>/dev/null)/axe-core/axe.min.js" ] || need_axe=true
fi
if [ ${#missing[@]} -eq 0 ] && ! $need_axe; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages: ${missing[*]} (run as root to install them)" >&2
    exit 1
fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get -o DPkg::Lock::Timeout=300 update -qq >/dev/null
    apt-get -o DPkg::Lock::Timeout=300 install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
if $need_axe; then
    echo "installing: $axe_core (npm)"
    npm install -g --no-audit --no-fund --loglevel=error "$axe_core" >/dev/null
fi
