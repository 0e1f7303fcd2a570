#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks a built package without installing it: its files, its desktop entry and AppStream
# file, lintian, and the program and file types from the package unpacked into a folder.
#
#   scripts/check-package.sh marvello_<version>_amd64.deb
set -euo pipefail
package=$(realpath "$1")
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
failed=0
check() { # name, command...
    local name=$1
    shift
    if "$@"; then
        echo "package: $name: ok"
    else
        echo "package: $name: FAILED" >&2
        failed=1
    fi
}

listing=$(dpkg-deb -c "$package")
for file in ./usr/bin/marvello ./usr/libexec/marvello/marvello-mdb-reader \
    ./usr/libexec/marvello/marvello-wmf-reader \
    ./usr/share/applications/it.marvello.Marvello.desktop \
    ./usr/share/metainfo/it.marvello.Marvello.metainfo.xml \
    ./usr/share/mime/packages/marvello.xml \
    ./usr/share/icons/hicolor/scalable/apps/marvello.svg \
    ./usr/share/icons/hicolor/48x48/apps/marvello.png \
    ./usr/share/icons/hicolor/scalable/mimetypes/application-x-marvello-label.svg \
    ./usr/share/marvello/sheets.tsv \
    ./usr/share/man/man1/marvello.1.gz ./usr/share/doc/marvello/copyright \
    ./usr/share/doc/marvello/examples/spedizione.eti \
    ./usr/lib/systemd/system/marvello-serve.service ./usr/lib/sysusers.d/marvello.conf; do
    check "contains $file" grep -q " $file\$" <<<"$listing"
done

dpkg-deb -x "$package" "$root"
check "desktop-file-validate" desktop-file-validate \
    "$root/usr/share/applications/it.marvello.Marvello.desktop"
check "appstreamcli validate" appstreamcli validate --no-net --pedantic=false \
    "$root/usr/share/metainfo/it.marvello.Marvello.metainfo.xml"
lintian_output=$(lintian --tag-display-limit 0 "$package" 2>&1 || true)
echo "$lintian_output" | sed 's/^/lintian: /'
check "lintian without errors" bash -c '! grep -q "^E:" <<<"$1"' _ "$lintian_output"
check "the unpacked program runs" bash -c \
    '"$1/usr/bin/marvello" --version | grep -q "^Marvello "' _ "$root"
check "the service's example configuration is valid" bash -c \
    'd=$(mktemp -d) && mkdir "$d/etichette" && printf "%s\n" 0123456789abcdef0123 >"$d/token" &&
     sed -e "s|/var/lib/marvello/etichette|$d/etichette|" -e "s|/etc/marvello/tokens|$d/token|" \
         -e "s|^watch|# watch|" "$1/usr/share/doc/marvello/serve.conf.example" >"$d/serve.conf" &&
     "$1/usr/bin/marvello" serve --config "$d/serve.conf" --check | grep -q "valida"; r=$?;
     rm -rf "$d"; exit $r' _ "$root"
check "the man page reads" bash -c 'zcat "$1/usr/share/man/man1/marvello.1.gz" | man -l - >/dev/null 2>&1' _ "$root"

# The file types, as a desktop sees them with the package's data first.
update-mime-database "$root/usr/share/mime" >/dev/null 2>&1
export XDG_DATA_DIRS="$root/usr/share:/usr/share"
label=$(mktemp --suffix=.eti)
printf 'oggDatabase\r\n' >"$label"
saved=$(mktemp --suffix=.ant)
printf 'MARVELLO-STAMPA\n' >"$saved"
check "an .eti is a Marvello label" bash -c \
    '[[ $(xdg-mime query filetype "$1") == application/x-marvello-label* ]]' _ "$label"
check "an .ant is a Marvello saved print" bash -c \
    '[[ $(xdg-mime query filetype "$1") == application/x-marvello-print* ]]' _ "$saved"
rm -f "$label" "$saved"
exit $failed
