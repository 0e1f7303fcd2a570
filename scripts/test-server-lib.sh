# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the throwaway test servers (sourced, not run).

# A free port on localhost.
free_port() {
    python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# Servers refuse to run as root: then they run as USER. Sets `owner`, the user the server runs
# as, and `as_owner`, the words that run a command as that user (none when not root).
server_owner() {
    owner=$(id -un)
    as_owner=()
    if ((EUID == 0)); then
        owner=$1
        as_owner=(runuser -u "$1" --)
    fi
}

# The server's folder, made and given to its owner.
make_server_folder() {
    mkdir -p "$1"
    if ((EUID == 0)); then chown "$owner" "$1"; fi
}
