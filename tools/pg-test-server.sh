#!/usr/bin/env bash
# A private PostgreSQL cluster for the test suites: made in a folder of its own, run as an unprivileged
# user, reachable on a local port and through a socket in that folder.
#
#   eval "$(bash tools/pg-test-server.sh start)"   # make (or resume) the cluster, export its connection
#   bash tools/pg-test-server.sh pause             # stop the server, keep the cluster
#   bash tools/pg-test-server.sh stop              # stop the server and remove the cluster
#   bash tools/pg-test-server.sh env               # print the exports of a running cluster again
#
# start prints shell exports (ZORVIN_PG_HOST, ZORVIN_PG_PORT, ZORVIN_PG_SOCKET, ZORVIN_PG_USER,
# ZORVIN_PG_PASSWORD, ZORVIN_PG_DATABASE, ZORVIN_PG_DIR) on standard output, so that the other commands
# find the same cluster after an eval; everything else goes to standard error.
# Settings, from the environment:
#   ZORVIN_PG_PORT    port number (default 55432; "auto": a free one below the ephemeral port range, so
#                     that no client connection holds it); with a socket only, it only names the socket file
#   ZORVIN_PG_DIR     the cluster's folder (default ${TMPDIR:-/tmp}/zorvin-pg-<port>)
#   ZORVIN_PG_LISTEN  "tcp" (127.0.0.1 and the socket, default) or "socket" (the socket only)
#   ZORVIN_PG_BIN     the server's programs (default: the newest /usr/lib/postgresql/*/bin)
# As root the server runs as the system user zorvin-test, made when missing: PostgreSQL refuses to run
# as root.
set -euo pipefail

command=${1:-}
port=${ZORVIN_PG_PORT:-55432}
dir=${ZORVIN_PG_DIR:-${TMPDIR:-/tmp}/zorvin-pg-$port}
listen=${ZORVIN_PG_LISTEN:-tcp}
user=zorvin
database=zorvin_test
service_user=zorvin-test

say() { echo "pg-test-server: $*" >&2; }

# A port no socket of this machine uses, from a random place in a range clients are never given.
free_port() {
    local low=32768 base offset candidate used
    [ -r /proc/sys/net/ipv4/ip_local_port_range ] && read -r low _ </proc/sys/net/ipv4/ip_local_port_range
    base=$((low > 26000 ? 25432 : 55432))
    used=$(ss -Htan 2>/dev/null | awk '{ n = split($4, a, ":"); print a[n] }' || true)
    offset=$((RANDOM % 200))
    for i in $(seq 0 199); do
        candidate=$((base + (offset + i) % 200))
        if ! grep -qx "$candidate" <<<"$used" && ! (exec 3<>"/dev/tcp/127.0.0.1/$candidate") 2>/dev/null; then
            echo "$candidate"
            return
        fi
    done
    return 1
}

find_bin() {
    if [ -n "${ZORVIN_PG_BIN:-}" ]; then
        echo "$ZORVIN_PG_BIN"
        return
    fi
    local newest
    newest=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1 || true)
    if [ -z "$newest" ]; then
        say "PostgreSQL is not installed (apt-get install postgresql postgresql-contrib, or bash tools/install-deps.sh)"
        exit 1
    fi
    echo "$newest"
}

# Runs a server program as the user that owns the cluster.
as_owner() {
    if [ "$(id -u)" -eq 0 ]; then
        runuser -u "$service_user" -- "$@"
    else
        "$@"
    fi
}

ensure_service_user() {
    [ "$(id -u)" -eq 0 ] || return 0
    if ! id "$service_user" >/dev/null 2>&1; then
        # Another run may make the user at the same moment.
        useradd --system --user-group --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin \
            "$service_user" || id "$service_user" >/dev/null
    fi
}

print_env() {
    local password
    password=$(cat "$dir/password")
    local host=127.0.0.1
    [ "$listen" = socket ] && host=$dir/socket
    echo "export ZORVIN_PG_HOST='$host'"
    echo "export ZORVIN_PG_PORT='$port'"
    echo "export ZORVIN_PG_SOCKET='$dir/socket'"
    echo "export ZORVIN_PG_USER='$user'"
    echo "export ZORVIN_PG_PASSWORD='$password'"
    echo "export ZORVIN_PG_DATABASE='$database'"
    echo "export ZORVIN_PG_DIR='$dir'"
}

is_running() {
    [ -f "$dir/data/PG_VERSION" ] && as_owner "$bin/pg_ctl" -D "$dir/data" status >/dev/null 2>&1
}

make_cluster() {
    ensure_service_user
    mkdir -p "$dir"
    chmod 0755 "$dir"
    touch "$dir/.zorvin-pg-test"
    # The password file must be readable by whoever runs the tests, the data only by the server.
    if [ ! -f "$dir/password" ]; then
        (umask 077; od -An -N12 -tx1 /dev/urandom | tr -d ' \n' >"$dir/password")
    fi
    mkdir -p "$dir/socket"
    chmod 0700 "$dir/socket"
    if [ "$(id -u)" -eq 0 ]; then
        chown "$service_user:$service_user" "$dir/socket"
        install -o "$service_user" -g "$service_user" -m 0600 "$dir/password" "$dir/initdb-password"
        install -d -o "$service_user" -g "$service_user" -m 0700 "$dir/data"
        touch "$dir/server.log"
        chown "$service_user:$service_user" "$dir/server.log"
    else
        cp "$dir/password" "$dir/initdb-password"
        mkdir -p "$dir/data"
        chmod 0700 "$dir/data"
    fi
    say "initdb into $dir/data"
    # Texts are compared by letter case folding in every alphabet (LC_CTYPE C.UTF-8) and ordered by code
    # point (LC_COLLATE C), as on a database file.
    as_owner "$bin/initdb" -D "$dir/data" -U "$user" --pwfile="$dir/initdb-password" --auth-local=trust \
        --auth-host=scram-sha-256 --encoding=UTF8 --locale=C.UTF-8 --lc-collate=C --lc-messages=C --no-sync \
        >/dev/null
    rm -f "$dir/initdb-password"
}

start_server() {
    local listen_addresses=127.0.0.1
    [ "$listen" = socket ] && listen_addresses=
    # A test cluster: nothing in it needs to survive a machine crash.
    as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
        -o "-p $port -k $dir/socket -c listen_addresses='$listen_addresses' -c fsync=off \
-c synchronous_commit=off -c full_page_writes=off -c max_connections=200" start >/dev/null
}

psql_admin() {
    as_owner "$bin/psql" -X -q -v ON_ERROR_STOP=1 -h "$dir/socket" -p "$port" -U "$user" "$@"
}

make_database() {
    if [ "$(psql_admin -d postgres -tA -c "select count(*) from pg_database where datname = '$database'")" = 0 ]; then
        psql_admin -d postgres -c "create database $database template template0 encoding 'UTF8' \
lc_collate 'C' lc_ctype 'C.UTF-8'"
    fi
    psql_admin -d "$database" -c "create extension if not exists citext"
}

case "$command" in
start)
    bin=$(find_bin)
    if [ "$port" = auto ]; then
        # Another program may take the port between the choice and the start: then try another one.
        started=
        for attempt in 1 2 3 4 5; do
            port=$(free_port) || break
            dir=${ZORVIN_PG_DIR:-${TMPDIR:-/tmp}/zorvin-pg-$port}
            [ -f "$dir/data/PG_VERSION" ] || make_cluster
            if start_server; then
                started=yes
                break
            fi
            say "port $port was taken, trying another one"
            [ -f "$dir/.zorvin-pg-test" ] && rm -rf "$dir"
        done
        if [ -z "$started" ]; then
            say "no free port for the server"
            exit 1
        fi
        say "server running on port $port, socket $dir/socket"
    elif ! is_running; then
        [ -f "$dir/data/PG_VERSION" ] || make_cluster
        start_server
        say "server running on port $port, socket $dir/socket"
    fi
    make_database
    print_env
    ;;
pause)
    bin=$(find_bin)
    if is_running; then
        as_owner "$bin/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null
    fi
    ;;
stop)
    bin=$(find_bin)
    if is_running; then
        as_owner "$bin/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null
    fi
    # Only a folder this script made is removed, whatever ZORVIN_PG_DIR says.
    if [ -f "$dir/.zorvin-pg-test" ]; then
        rm -rf "$dir"
    fi
    ;;
env)
    print_env
    ;;
*)
    echo "usage: $0 start|pause|stop|env" >&2
    exit 2
    ;;
esac
