#!/usr/bin/env bash
# Installs the Debian packages Garabix needs to build, test and benchmark.
# Only missing packages are installed; nothing is downloaded from elsewhere.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libcanberra-dev libcanberra-pulse
    libqt6svg6 qt6-qpa-plugins qt6-image-formats-plugins qt6-translations-l10n
    libgif-dev liblz4-dev libbenchmark-dev
    clang libclang-rt-14-dev clang-format
    xvfb xauth fonts-dejavu-core locales
    desktop-file-utils appstream lintian xdotool dpkg-dev
    pulseaudio pulseaudio-utils libpulse-dev cups libcups2-dev printer-driver-cups-pdf poppler-utils
    samba smbnetfs fuse3 iproute2
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive

if [ ${#missing[@]} -ne 0 ]; then
    echo "Installing missing packages: ${missing[*]}"
    $SUDO apt-get update -q
    $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The tests run under a Spanish, comma-decimal locale; generate it if missing.
if ! locale -a 2>/dev/null | grep -qi '^es_ES\.utf-\?8$'; then
    echo "Generating the es_ES.UTF-8 locale"
    $SUDO sed -i 's/^# *\(es_ES\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^es_ES.UTF-8 UTF-8' /etc/locale.gen || echo 'es_ES.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen
fi
