# Shell helpers shared by scripts/db, scripts/test, scripts/bench and the
# test support: a
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

# Runs a command with none of the descriptors above 2 that this shell holds
# open (locks among them), so that a server it starts does not keep them.
sem_descritores() {
    (
        for fd in /proc/$BASHPID/fd/*; do
            fd=${fd##*/}
            [ "$fd" -gt 2 ] 2>/dev/null && eval "exec $fd>&-" 2>/dev/null
        done
        "$@"
    )
}

# cluster_criar BASE PORT [ssl] [rapido]: makes BASE/data with data checksums
# and a superuser "postgres" whose password is in BASE/superuser.senha;
# listens on 127.0.0.1:PORT only, with its socket in BASE/run. The cluster
# keeps PostgreSQL's crash-safe settings unless "rapido" is given, which only
# throwaway clusters may ask for (fsync, synchronous_commit and
# full_page_writes off: a crash of the machine can corrupt it). "ssl" turns
# SSL on with a self-signed certificate made here.
cluster_criar() {
    local base=$1 porta=$2; shift 2
    local ssl= rapido= modo
    for modo in "$@"; do
        case $modo in
            ssl) ssl=1 ;;
            rapido) rapido=1 ;;
            *) echo "cluster_criar: modo desconhecido: $modo" >&2; return 1 ;;
        esac
    done
    local bin; bin=$(pg_bindir) || return 1
    mkdir -p "$base/run"
    # Private from its first byte.
    [ -f "$base/superuser.senha" ] || (umask 077 && head -c 18 /dev/urandom | base64 | tr -d '/+=' > "$base/superuser.senha")
    chmod 600 "$base/superuser.senha"
    if [ "$(id -u)" = 0 ]; then chown -R postgres: "$base"; fi
    as_dono "$bin/initdb" -D "$base/data" -U postgres --pwfile="$base/superuser.senha" \
        --auth=scram-sha-256 -E UTF8 --locale=C.UTF-8 --data-checksums ${rapido:+--no-sync} \
        >"$base/initdb.log" 2>&1 || { cat "$base/initdb.log" >&2; return 1; }
    {
        echo "listen_addresses = '127.0.0.1'"
        echo "port = $porta"
        echo "unix_socket_directories = '$base/run'"
        if [ -n "$rapido" ]; then
            echo "fsync = off"
            echo "synchronous_commit = off"
            echo "full_page_writes = off"
        fi
    } | as_dono tee -a "$base/data/postgresql.conf" >/dev/null
    if [ -n "$ssl" ]; then
        as_dono openssl req -new -x509 -days 2 -nodes -subj "/CN=127.0.0.1" \
            -keyout "$base/data/server.key" -out "$base/data/server.crt" >/dev/null 2>&1 || return 1
        as_dono chmod 600 "$base/data/server.key"
        echo "ssl = on" | as_dono tee -a "$base/data/postgresql.conf" >/dev/null
    fi
}

# The value of a setting as the cluster's configuration files give it (the
# server need not run): cluster_valor BASE NAME.
cluster_valor() {
    local base=$1 nome=$2
    local bin; bin=$(pg_bindir) || return 1
    as_dono "$bin/postgres" -D "$base/data" -C "$nome" 2>/dev/null
}

# cluster_definir BASE NAME VALUE: sets NAME in postgresql.conf, taking out
# every other line that sets it there or in postgresql.auto.conf (which would
# win over it). Takes effect at the next start or reload.
cluster_definir() {
    local base=$1 nome=$2 valor=$3 arq
    for arq in "$base/data/postgresql.conf" "$base/data/postgresql.auto.conf"; do
        [ -f "$arq" ] || continue
        as_dono sed -i -E "s/^([[:space:]]*$nome[[:space:]]*(=|[[:space:]]))/# \1/" "$arq" || return 1
    done
    echo "$nome = $valor" | as_dono tee -a "$base/data/postgresql.conf" >/dev/null
}

# Writes to disk whatever of the cluster's files is still only in the
# system's cache. Needed after fsync was off, before trusting the cluster to
# survive a crash of the machine.
cluster_sincronizar() {
    local base=$1
    local bin; bin=$(pg_bindir) || return 1
    as_dono "$bin/initdb" --sync-only -D "$base/data" >/dev/null
}

# Turns the crash-safe settings back on in a cluster made with them off (by
# earlier versions of these scripts), and flushes what was written without
# them, as PostgreSQL asks when fsync is turned back on. A running server
# takes the settings by a reload. BASE/sincronizar-pendente marks a flush
# still owed, so that an interrupted switch is finished at the next start.
cluster_duravel() {
    local base=$1 porta=${2:-} nome mudou=
    for nome in fsync synchronous_commit full_page_writes; do
        if [ "$(cluster_valor "$base" "$nome")" = off ]; then
            [ -n "$mudou" ] || : > "$base/sincronizar-pendente"
            cluster_definir "$base" "$nome" on || return 1
            mudou=1
        fi
    done
    [ -f "$base/sincronizar-pendente" ] || return 0
    if cluster_rodando "$base"; then
        local bin; bin=$(pg_bindir) || return 1
        as_dono "$bin/pg_ctl" -D "$base/data" reload >/dev/null || return 1
        # The flush only counts once the server itself writes with fsync on.
        local i
        for i in $(seq 100); do
            [ "$(cluster_psql "$base" "$porta" postgres -tAc "show fsync" 2>/dev/null)" = on ] && break
            sleep 0.1
        done
    fi
    cluster_sincronizar "$base" || return 1
    rm -f "$base/sincronizar-pendente"
    [ -z "$mudou" ] || echo "O banco em $base passou a gravar com segurança contra quedas (fsync, synchronous_commit e full_page_writes ligados)."
}

# Processes (of the cluster's owner) working in the cluster's folder: the
# server and its backends. A backend may outlive a killed server.
cluster_processos() {
    local base=$1 dados p
    dados=$(readlink -f "$base/data")
    for p in /proc/[0-9]*; do
        [ "$(readlink "$p/cwd" 2>/dev/null)" = "$dados" ] && [ "$(cat "$p/comm" 2>/dev/null)" = postgres ] && echo "${p#/proc/}"
    done
    return 0
}

# The pid of the cluster's running server, or failure. After a crash the pid
# left in postmaster.pid may belong to any other process: only a postgres
# process working in this cluster's folder counts.
cluster_pid() {
    local base=$1 pid
    pid=$(head -n 1 "$base/data/postmaster.pid" 2>/dev/null) || return 1
    [[ $pid =~ ^[0-9]+$ ]] || return 1
    [ "$(readlink "/proc/$pid/cwd" 2>/dev/null)" = "$(readlink -f "$base/data")" ] || return 1
    [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = postgres ] || return 1
    echo "$pid"
}

cluster_rodando() {
    cluster_pid "$1" >/dev/null
}

# Starts the server. A postmaster.pid left by a crash, and the lock of the
# socket in BASE/run, are taken out when no process of the cluster lives on
# (PostgreSQL itself refuses to start while the pid in them belongs to
# another live process of the same user, as after a reboot), and the server
# then recovers from its log as after any crash.
cluster_iniciar() {
    local base=$1
    local bin; bin=$(pg_bindir) || return 1
    cluster_rodando "$base" && return 0
    if [ -f "$base/data/postmaster.pid" ] && [ -z "$(cluster_processos "$base")" ]; then
        as_dono rm -f "$base/data/postmaster.pid" "$base"/run/.s.PGSQL.*
    fi
    if [ -f "$base/sincronizar-pendente" ]; then
        cluster_sincronizar "$base" && rm -f "$base/sincronizar-pendente"
    fi
    sem_descritores as_dono "$bin/pg_ctl" -D "$base/data" -l "$base/server.log" -w -t 60 start >/dev/null || {
        tail -n 20 "$base/server.log" >&2; return 1; }
}

# Stops the server if it runs; never signals a process that is not it.
cluster_parar() {
    local base=$1
    local bin; bin=$(pg_bindir) || return 0
    cluster_rodando "$base" || return 0
    as_dono "$bin/pg_ctl" -D "$base/data" -m fast -w -t 120 stop >/dev/null 2>&1 || true
}

# psql as the superuser over TCP: cluster_psql BASE PORT DB [psql args...]
cluster_psql() {
    local base=$1 porta=$2 banco=$3; shift 3
    PGPASSWORD=$(cat "$base/superuser.senha") PGDATESTYLE="ISO, DMY" PGCLIENTENCODING=UTF8 \
        psql -X -q -v ON_ERROR_STOP=1 -h 127.0.0.1 -p "$porta" -U postgres -d "$banco" "$@"
}

# cluster_papel BASE PORT ROLE [PASSWORD_FILE] [ATTRIBUTES]: makes ROLE if
# it is missing. With a password file it logs in with the password the file
# holds, which psql reads from the file itself: it is never on a command
# line, and this session logs no statement, so it never reaches the server's
# log either. Without one it cannot log in (the owner of a database, whose
# scripts act as it through the superuser).
cluster_papel() {
    local base=$1 porta=$2 papel=$3 arquivo=${4:-} atributos=${5:-}
    {
        echo "set log_statement = 'none';"
        echo "set log_min_error_statement = 'panic';"
        echo "select format('create role %I', :'papel') where not exists (select from pg_roles where rolname = :'papel') \\gexec"
        if [ -n "$arquivo" ]; then
            echo "\\set senha \`cat :'arquivo'\`"
            echo "alter role :\"papel\" login password :'senha' $atributos;"
        else
            echo "alter role :\"papel\" nologin $atributos;"
        fi
    } | cluster_psql "$base" "$porta" postgres -v papel="$papel" -v arquivo="$arquivo" >/dev/null
}

# psql on a database as the superuser acting as OWNER, so that what it makes
# belongs to OWNER: banco_como_dono BASE PORT DB OWNER [psql args...]
banco_como_dono() {
    local base=$1 porta=$2 banco=$3 dono=$4; shift 4
    cluster_psql "$base" "$porta" "$banco" -c "set role \"$dono\"" "$@"
}

# Loads a new, empty database as its owner, in one transaction: the schema,
# the rule that keeps an administrator, every municipality and the sample
# data, in this order (the sample data names municipalities by code).
#   banco_carregar TOPO BASE PORT DB OWNER
banco_carregar() {
    local topo=$1 base=$2 porta=$3 banco=$4 dono=$5
    banco_como_dono "$base" "$porta" "$banco" "$dono" -1 \
        -f "$topo/sql/schema.sql" -f "$topo/sql/administrador.sql" \
        -f "$topo/sql/municipios.sql" -f "$topo/sql/seed.sql" >/dev/null
}

# banco_conceder BASE PORT DB OWNER APP: the database, schema cadastro and
# everything in it belong to OWNER, which alone may change or drop them;
# the program's role APP may read and write the records and use the
# sequences, and nothing else. What APP owned (the whole database, in
# clusters of earlier versions) passes to OWNER with every record as it was;
# tables OWNER adds later get the same grants. Safe to run again.
banco_conceder() {
    local base=$1 porta=$2 banco=$3 dono=$4 app=$5
    cluster_psql "$base" "$porta" "$banco" -v banco="$banco" -v dono="$dono" -v app="$app" >/dev/null <<'SQL'
begin;
reassign owned by :"app" to :"dono";
alter database :"banco" owner to :"dono";
alter schema cadastro owner to :"dono";
revoke all on schema cadastro from :"app";
grant usage on schema cadastro to :"app";
revoke all on all tables in schema cadastro from :"app";
grant select, insert, update, delete on all tables in schema cadastro to :"app";
revoke all on all sequences in schema cadastro from :"app";
grant usage, select on all sequences in schema cadastro to :"app";
alter default privileges for role :"dono" in schema cadastro
    grant select, insert, update, delete on tables to :"app";
alter default privileges for role :"dono" in schema cadastro
    grant usage, select on sequences to :"app";
revoke create on schema public from public;
-- Should statement logging ever be turned on, the values the program sends
-- apart from its statements (password digests) stay out of the log.
alter role :"app" set log_parameter_max_length = 0;
commit;
SQL
}

# Brings a database up to what the program expects: every file of
# TOPO/sql/migracoes, in name order, each in one transaction, as OWNER (the
# owner of the schema, through the superuser). Each file adds only what is missing and touches no
# record, so it changes nothing in a database that has it all. Stops at the
# first file that fails, whose changes are then all undone.
#   banco_migrar TOPO BASE PORT DB OWNER
banco_migrar() {
    local topo=$1 base=$2 porta=$3 banco=$4 dono=$5 arquivo
    for arquivo in "$topo"/sql/migracoes/*.sql; do
        [ -f "$arquivo" ] || continue
        if ! PGOPTIONS="-c client_min_messages=warning" \
                banco_como_dono "$base" "$porta" "$banco" "$dono" -1 -f "$arquivo" >/dev/null; then
            echo "A atualização do banco $banco com $(basename "$arquivo") falhou; nada desse arquivo foi aplicado." >&2
            return 1
        fi
    done
}
