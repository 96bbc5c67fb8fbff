#!/usr/bin/env bash
# Installs the Debian 12 packages the build needs, when they are missing. Idempotent and quick
# when everything is there. Extra package names may be passed as arguments (make fuzz does).
set -euo pipefail

packages=(cmake make g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
          libgtest-dev libgmock-dev libbenchmark-dev clang-format fonts-liberation fonts-dejavu-core
          xvfb xauth desktop-file-utils appstream lintian dpkg-dev file shellcheck "$@")

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "bootstrap: installing ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
