# Shell helpers shared by scripts/db, scripts/test and the test support: a
# PostgreSQL cluster in a folder of our own, run as the postgres system user
# when we are root (initdb refuses to run as root).

pg_bindir() {
    local d
    for d in /usr/lib/postgresql/15/bin /usr/lib/postgresql/*/bin; do
        [ -x "$d/initdb" ] && { echo "$d"; return 0; }
    done
    command -v pg_config >/dev/null 2>&1 && pg_config --bindir && return 0
    echo "PostgreSQL server binaries not found (install postgresql-15)" >&2
    return 1
}

# Runs a command as the owner of the cluster.
as_dono() {
    if [ "$(id -u)" = 0 ]; then
        # From a folder postgres can enter, whatever ours is.
        (cd / && runuser -u postgres -- "$@")
    else
        "$@"
    fi
}

# True when the cluster's owner can reach (traverse and write) a folder.
dono_alcanca() {
    as_dono test -w "$1" -a -x "$1" 2>/dev/null
}

# A TCP port on 127.0.0.1 that nothing listens on.
porta_livre() {
    python3 - <<'PY'
import socket
s = socket.socket()
s.bind(("127.0.0.1", 0))
print(s.getsockname()[1])
s.close()
PY
}

# cluster_criar BASE PORT: makes BASE/data with a superuser "postgres" whose
# password is in BASE/superuser.senha; listens on 127.0.0.1:PORT only, with
# its socket in BASE/run. Optional third argument "ssl" turns SSL on with a
# self-signed certificate made here.
cluster_criar() {
    local base=$1 porta=$2 modo=${3:-}
    local bin; bin=$(pg_bindir) || return 1
    mkdir -p "$base/run"
    [ -f "$base/superuser.senha" ] || head -c 18 /dev/urandom | base64 | tr -d '/+=' > "$base/superuser.senha"
    chmod 600 "$base/superuser.senha"
    if [ "$(id -u)" = 0 ]; then chown -R postgres: "$base"; fi
    as_dono "$bin/initdb" -D "$base/data" -U postgres --pwfile="$base/superuser.senha" \
        --auth=scram-sha-256 -E UTF8 --locale=C.UTF-8 >"$base/initdb.log" 2>&1 || {
        cat "$base/initdb.log" >&2; return 1; }
    {
        echo "listen_addresses = '127.0.0.1'"
        echo "port = $porta"
        echo "unix_socket_directories = '$base/run'"
        echo "fsync = off"
        echo "synchronous_commit = off"
        echo "full_page_writes = off"
    } | as_dono tee -a "$base/data/postgresql.conf" >/dev/null
    if [ "$modo" = ssl ]; then
        as_dono openssl req -new -x509 -days 2 -nodes -subj "/CN=127.0.0.1" \
            -keyout "$base/data/server.key" -out "$base/data/server.crt" >/dev/null 2>&1 || return 1
        as_dono chmod 600 "$base/data/server.key"
        echo "ssl = on" | as_dono tee -a "$base/data/postgresql.conf" >/dev/null
    fi
}

cluster_iniciar() {
    local base=$1
    local bin; bin=$(pg_bindir) || return 1
    as_dono "$bin/pg_ctl" -D "$base/data" -l "$base/server.log" -w -t 60 start >/dev/null || {
        tail -n 20 "$base/server.log" >&2; return 1; }
}

cluster_parar() {
    local base=$1
    local bin; bin=$(pg_bindir) || return 0
    [ -f "$base/data/postmaster.pid" ] || return 0
    as_dono "$bin/pg_ctl" -D "$base/data" -m fast -w stop >/dev/null 2>&1 || true
}

cluster_rodando() {
    local base=$1
    local bin; bin=$(pg_bindir) || return 1
    as_dono "$bin/pg_ctl" -D "$base/data" status >/dev/null 2>&1
}

# psql as the superuser over TCP: cluster_psql BASE PORT DB [psql args...]
cluster_psql() {
    local base=$1 porta=$2 banco=$3; shift 3
    PGPASSWORD=$(cat "$base/superuser.senha") PGDATESTYLE="ISO, DMY" PGCLIENTENCODING=UTF8 \
        psql -X -q -v ON_ERROR_STOP=1 -h 127.0.0.1 -p "$porta" -U postgres -d "$banco" "$@"
}

# Loads a new, empty database as its owner, in one transaction: the schema,
# every municipality and the sample data, in this order (the sample data
# names municipalities by code).
#   banco_carregar TOPO PORT USER PASSWORD DB
banco_carregar() {
    local topo=$1 porta=$2 usuario=$3 senha=$4 banco=$5
    PGPASSWORD=$senha PGDATESTYLE="ISO, DMY" PGCLIENTENCODING=UTF8 \
        psql -X -q -v ON_ERROR_STOP=1 -1 -h 127.0.0.1 -p "$porta" -U "$usuario" -d "$banco" \
        -f "$topo/sql/schema.sql" -f "$topo/sql/municipios.sql" -f "$topo/sql/seed.sql" >/dev/null
}
