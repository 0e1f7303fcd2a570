#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A throwaway MariaDB server for the tests: a data folder of its own, owned by an unprivileged
# user, listening on localhost only on a free port.
#   scripts/test-mariadb.sh start FOLDER   prints the address to give the tests
#   scripts/test-mariadb.sh stop FOLDER    stops the server and removes the folder
set -euo pipefail
action=$1
folder=$2
command -v mariadbd >/dev/null || PATH=$PATH:/usr/sbin
command -v mariadbd >/dev/null || { echo "test-mariadb: MariaDB is not installed" >&2; exit 1; }

source "$(dirname "$0")/test-server-lib.sh"
# Not the packages' own user: the server packages that make it are not installed.
server_owner nobody

case "$action" in
start)
    make_server_folder "$folder"
    port=$(free_port)
    "${as_owner[@]}" mariadb-install-db --no-defaults --datadir="$folder/data" \
        --auth-root-authentication-method=socket --auth-root-socket-user="$owner" --skip-test-db >"$folder/install.log" 2>&1
    "${as_owner[@]}" mariadbd --no-defaults --datadir="$folder/data" --socket="$folder/socket" \
        --port="$port" --bind-address=127.0.0.1 --pid-file="$folder/pid" \
        --innodb-flush-log-at-trx-commit=0 --skip-log-bin >"$folder/server.log" 2>&1 &
    for _ in $(seq 150); do
        [[ -S "$folder/socket" ]] && break
        sleep 0.2
    done
    if [[ ! -S "$folder/socket" ]]; then
        echo "test-mariadb: the server did not start" >&2
        cat "$folder/install.log" "$folder/server.log" >&2
        exit 1
    fi
    # The tests make (and drop) a database of their own each: the user may make databases.
    "${as_owner[@]}" mariadb --no-defaults --socket="$folder/socket" -u "$owner" -e \
        "CREATE USER 'marvello'@'%' IDENTIFIED BY 'marvello'; GRANT ALL ON *.* TO 'marvello'@'%'; CREATE DATABASE marvello CHARACTER SET utf8mb4;"
    echo "mysql://marvello@127.0.0.1:$port/marvello"
    ;;
stop)
    # The folder goes only once the server that writes in it has ended.
    pkill -f -- "--datadir=$folder/data" 2>/dev/null || true
    for _ in $(seq 150); do
        pgrep -f -- "--datadir=$folder/data" >/dev/null || break
        sleep 0.2
    done
    pkill -KILL -f -- "--datadir=$folder/data" 2>/dev/null || true
    rm -rf "$folder"
    ;;
esac
