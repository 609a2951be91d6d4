#!/usr/bin/env bash
# Installs every Debian package that building, testing and running the editor need.
# Does nothing when they are all present; otherwise updates the package lists first.
set -euo pipefail

packages=(
    cmake g++ make pkg-config git
    juce-modules-source            # JUCE 7.0.5 modules with their CMake support
    libgtest-dev libgmock-dev      # unit tests
    libbenchmark-dev               # benchmarks
    clang-14 libclang-rt-14-dev    # fuzz targets and the ThreadSanitizer build
    fonts-liberation2              # source of the embedded typeface
    xvfb xauth libx11-dev          # the editor and its tests on a virtual display
    libxtst-dev openbox            # a user's clicks and keys, and a window manager, for the desktop tests
    e2fsprogs                      # small ext2 and ext4 disks for the saving tests
    zenity                         # the desktop's own file dialogs for Open and Save
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi

echo "Installing: ${missing[*]}"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
