#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A throwaway PostgreSQL server for the tests: a cluster in a temporary folder, owned by an
# unprivileged user, listening on localhost only on a free port.
#   scripts/test-postgres.sh start FOLDER   prints the address to give the tests
#   scripts/test-postgres.sh stop FOLDER    stops the server and removes the folder
set -euo pipefail
action=$1
folder=$2
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
[[ -x "$bin/initdb" ]] || { echo "test-postgres: PostgreSQL is not installed" >&2; exit 1; }

source "$(dirname "$0")/test-server-lib.sh"
server_owner postgres

case "$action" in
start)
    make_server_folder "$folder"
    port=$(free_port)
    "${as_owner[@]}" "$bin/initdb" -D "$folder/data" -U marvello --auth=trust -E UTF8 \
        --locale=C.UTF-8 >"$folder/initdb.log"
    # A password for the tests that check a wrong one is refused.
    echo "host all all 127.0.0.1/32 scram-sha-256" >"$folder/data/pg_hba.conf"
    echo "local all all trust" >>"$folder/data/pg_hba.conf"
    "${as_owner[@]}" "$bin/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w \
        -o "-c listen_addresses=127.0.0.1 -c port=$port -k $folder -c fsync=off" start >/dev/null
    "${as_owner[@]}" "$bin/psql" -h "$folder" -p "$port" -U marvello -d postgres -q \
        -c "ALTER USER marvello PASSWORD 'marvello'" -c "CREATE DATABASE marvello"
    echo "postgresql://marvello@127.0.0.1:$port/marvello"
    ;;
stop)
    [[ -d "$folder/data" ]] && "${as_owner[@]}" "$bin/pg_ctl" -D "$folder/data" -m immediate stop \
        >/dev/null 2>&1 || true
    rm -rf "$folder"
    ;;
esac
