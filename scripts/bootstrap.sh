#!/usr/bin/env bash
# Installs the Debian 12 packages a build needs, when they are missing. Idempotent and quick when
# everything is there.
#   scripts/bootstrap.sh                 the Linux build: compilers, Qt 6, GoogleTest, ...
#   scripts/bootstrap.sh --windows       instead the MinGW-w64 cross compilers and GoogleTest's
#                                        sources (make windows)
#   scripts/bootstrap.sh --windows --wine  and Wine, 64- and 32-bit, to run the Windows tests (make
#                                        test-windows; about 2.6 GB). 32-bit Wine needs dpkg's i386
#                                        architecture, which is added first; apt then brings some
#                                        amd64 libraries to the versions of their i386 twins.
# Any other arguments are extra package names (make fuzz passes some).
set -euo pipefail

linux=(cmake make g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
       libgtest-dev libgmock-dev libbenchmark-dev clang-format fonts-liberation fonts-dejavu-core
       xvfb xauth desktop-file-utils appstream lintian dpkg-dev file shellcheck
       # the file-manager modules in extensions/: Nautilus 43, Nemo, and KDE's extractor on Qt 5
       libnautilus-extension-dev libnemo-extension-dev libkf5filemetadata-dev qtbase5-dev
       # the screen-reader test: the accessibility bus and its Python client
       at-spi2-core python3-pyatspi dbus)
# The posix thread model of the cross compilers: std::thread and std::mutex exist.
windows=(cmake make g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix googletest)
wine=(wine wine64 wine32:i386)

packages=()
extra=()
want_windows=0
want_wine=0
for argument in "$@"; do
    case "$argument" in
    --windows) want_windows=1 ;;
    --wine) want_wine=1 ;;
    *) extra+=("$argument") ;;
    esac
done
if [ $want_windows -eq 1 ] || [ $want_wine -eq 1 ]; then
    [ $want_windows -eq 1 ] && packages+=("${windows[@]}")
    [ $want_wine -eq 1 ] && packages+=("${wine[@]}")
else
    packages+=("${linux[@]}")
fi
packages+=(${extra[@]+"${extra[@]}"})

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "bootstrap: installing ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
for p in "${missing[@]}"; do
    if [[ $p == *:i386 ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
        break
    fi
done
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
