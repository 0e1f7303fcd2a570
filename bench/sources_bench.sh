#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints the benchmark label (bench/indirizzi.eti) to PDF from a delimited text file and from
# a PostgreSQL table of the same generated addresses, one label a record: seconds, labels per
# second and peak memory for each count. Starts (and removes) a PostgreSQL server of its own.
#
#   bench/sources_bench.sh path/to/marvello [counts...]     (default: 100000 1000000)
set -euo pipefail
marvello=$(realpath "$1")
shift
counts=("$@")
((${#counts[@]})) || counts=(100000 1000000)
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
chmod 755 "$work"
trap '"$root/scripts/test-postgres.sh" stop "$work/cluster"; rm -rf "$work"' EXIT
address=$("$root/scripts/test-postgres.sh" start "$work/cluster")
port=${address##*:}
port=${port%%/*}

# Addresses as a spreadsheet exports them: a header, ';' between fields, quoted names.
generate() {
    python3 - "$1" "$2" <<'PY'
import sys
count, path = int(sys.argv[1]), sys.argv[2]
cities = ["Roma", "Milano", "Napoli", "Torino", "L'Aquila", "Reggio nell'Emilia", "Forlì"]
with open(path, "w", encoding="utf-8") as out:
    out.write("Codice;Nome;Indirizzo;CAP;Citta;EAN13\n")
    for n in range(1, count + 1):
        body = "800123%06d" % (n % 1000000)
        odd = sum(int(d) for d in body[0::2])
        even = sum(int(d) for d in body[1::2])
        check = (10 - (odd + 3 * even) % 10) % 10
        out.write('%d;"Cliente %d; S.r.l.";Via Roma %d;%05d;%s;%s%d\n'
                  % (n, n, n, n % 100000, cities[n % len(cities)], body, check))
PY
}

measure() { # label, database, password
    local pdf=$work/out.pdf start end
    start=$(date +%s.%N)
    /usr/bin/time -f '%M' -o "$work/rss" "$marvello" --print "$root/bench/indirizzi.eti" \
        --db "$2" --password "$3" --to "$pdf" >/dev/null
    end=$(date +%s.%N)
    awk -v what="$1" -v n="$count" -v s="$(echo "$end - $start" | bc)" \
        -v kb="$(cat "$work/rss")" -v mb="$(stat -c %s "$pdf")" \
        'BEGIN { printf "%-12s %9d %9.1f %10.0f %9.1f %9.1f\n", what, n, s, n / s, kb / 1024, mb / 1048576 }'
    rm -f "$pdf"
}

printf "%-12s %9s %9s %10s %9s %9s\n" source labels seconds labels/s "peak MB" "PDF MB"
for count in "${counts[@]}"; do
    csv=$work/Indirizzi.csv
    generate "$count" "$csv"
    measure CSV "$csv" ""
    PGOPTIONS="-c client_min_messages=warning" psql -q -h "$work/cluster" -p "$port" -U marvello -d marvello \
        -c 'DROP TABLE IF EXISTS "Indirizzi"' \
        -c 'CREATE TABLE "Indirizzi" ("Codice" integer PRIMARY KEY, "Nome" text, "Indirizzo" text, "CAP" text, "Citta" text, "EAN13" text)' \
        -c "\\copy \"Indirizzi\" FROM '$csv' WITH (FORMAT csv, HEADER true, DELIMITER ';')"
    measure PostgreSQL "$address" marvello
done
