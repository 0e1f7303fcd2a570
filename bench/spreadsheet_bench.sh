#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Reads the same generated addresses from a CSV file, an .xlsx (openpyxl) and an .ods
# (LibreOffice, when it is installed) with database_bench: time and peak memory for counting,
# selecting and walking every record, to compare a spreadsheet with a CSV of the same rows.
#
#   bench/spreadsheet_bench.sh path/to/database_bench [rows]     (default: 100000)
set -euo pipefail
bench=$(realpath "$1")
rows=${2:-100000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 - "$rows" "$work" <<'PY'
import csv, sys
import openpyxl
count, folder = int(sys.argv[1]), sys.argv[2]
cities = ["Roma", "Milano", "Napoli", "Torino", "L'Aquila", "Reggio nell'Emilia", "Forlì"]
header = ["Codice", "Nome", "Indirizzo", "CAP", "Citta", "EAN13"]
def row(n):
    return [n, "Cliente %d S.r.l." % n, "Via Roma %d" % (n % 300 + 1), "%05d" % (n % 90000),
            cities[n % len(cities)], "800123%07d" % n]
with open(folder + "/indirizzi.csv", "w", encoding="utf-8", newline="") as out:
    writer = csv.writer(out, delimiter=";")
    writer.writerow(header)
    for n in range(1, count + 1):
        writer.writerow(row(n))
book = openpyxl.Workbook(write_only=True)
sheet = book.create_sheet("indirizzi")
sheet.append(header)
for n in range(1, count + 1):
    sheet.append(row(n))
book.save(folder + "/indirizzi.xlsx")
PY
files=("$work/indirizzi.csv" "$work/indirizzi.xlsx")
if command -v soffice >/dev/null; then
    soffice --headless --norestore "-env:UserInstallation=file://$work/profile" \
        --convert-to ods --outdir "$work" "$work/indirizzi.xlsx" >/dev/null 2>&1
    files+=("$work/indirizzi.ods")
fi
for file in "${files[@]}"; do
    echo "== $(basename "$file"): $rows rows, $(du -k "$file" | cut -f1) KB on disk"
    "$bench" "$file" indirizzi
done
