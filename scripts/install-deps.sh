#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, running and testing Marvello need.
# Idempotent: installs only what is missing. Runs as root, or through sudo.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    qt6-base-dev libgl-dev qt6-translations-l10n qt6-svg-dev qt6-image-formats-plugins libwmf-dev
    libexpat1-dev libjpeg-dev libpng-dev libfreetype-dev libx11-dev zlib1g-dev
    libgtest-dev zbar-tools libcups2-dev cups cups-client cups-bsd
    libpq-dev libsqlite3-dev libzint-dev libzip-dev libicu-dev libcpp-httplib-dev python3-openpyxl python3-zxing-cpp python3-pil dmtx-utils
    mdbtools-dev poppler-utils
    libqt6sql6-sqlite libqt6sql6-psql libqt6sql6-mysql libqt6sql6-odbc postgresql sqlite3
    mariadb-server-core mariadb-client-core odbc-postgresql procps
    fonts-liberation fonts-dejavu-core
    xvfb xdotool imagemagick
    dpkg-dev file lintian desktop-file-utils appstream xdg-utils shared-mime-info man-db
    libfile-mimeinfo-perl
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]} == 0)); then
    echo "install-deps: everything is installed"
    exit 0
fi

sudo=()
if ((EUID != 0)); then
    command -v sudo >/dev/null || { echo "install-deps: run as root to install: ${missing[*]}" >&2; exit 1; }
    sudo=(sudo)
fi
echo "install-deps: installing ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
