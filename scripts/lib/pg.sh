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

# A text as a quoted value of postgresql.conf: between single quotes, each
# quote in it doubled, so that no path can end the value early.
conf_texto() {
    local v=${1//\'/\'\'}
    printf "'%s'" "$v"
}

# A list of folders (unix_socket_directories) holding one folder, whatever
# its name: PostgreSQL splits such a list at commas and blanks unless the
# name is between double quotes (a double quote in it doubled).
lista_de_uma_pasta() {
    local v=${1//\"/\"\"}
    printf '"%s"' "$v"
}

# That list as a quoted value of postgresql.conf.
conf_pasta_de_soquete() {
    conf_texto "$(lista_de_uma_pasta "$1")"
}

# cluster_criar BASE PORT [ssl] [rapido] [tcp]: makes BASE/data with data
# checksums and a superuser "postgres" whose password is in
# BASE/superuser.senha; it listens on its Unix socket in BASE/run only, and
# with "tcp" also on 127.0.0.1:PORT (PORT names the socket either way). The
# cluster keeps PostgreSQL's crash-safe settings unless "rapido" is given,
# which only throwaway clusters may ask for (fsync, synchronous_commit and
# full_page_writes off: a crash of the machine can corrupt it). "ssl" turns
# SSL on with a self-signed certificate made here.
#
# As root, BASE stays root's: only data/, run/ and the superuser's password
# file (which initdb reads as postgres) are handed to postgres, so that the
# server's user never owns a folder that root writes into.
cluster_criar() {
    local base=$1 porta=$2; shift 2
    local ssl= rapido= tcp= modo
    for modo in "$@"; do
        case $modo in
            ssl) ssl=1 ;;
            rapido) rapido=1 ;;
            tcp) tcp=1 ;;
            *) echo "cluster_criar: modo desconhecido: $modo" >&2; return 1 ;;
        esac
    done
    local bin; bin=$(pg_bindir) || return 1
    (umask 077 && mkdir -p "$base/run" "$base/data")
    chmod 700 "$base/run" "$base/data"
    # Private from its first byte.
    [ -f "$base/superuser.senha" ] || (umask 077 && head -c 18 /dev/urandom | base64 | tr -d '/+=' > "$base/superuser.senha")
    chmod 600 "$base/superuser.senha"
    if [ "$(id -u)" = 0 ]; then
        chown -h postgres: "$base/run" "$base/data" "$base/superuser.senha"
        # postgres passes through BASE to its folders, and sees nothing else.
        [ "$(stat -c %u "$base")" != 0 ] || chmod 711 "$base"
    fi
    as_dono "$bin/initdb" -D "$base/data" -U postgres --pwfile="$base/superuser.senha" \
        --auth=scram-sha-256 -E UTF8 --locale=C.UTF-8 --data-checksums ${rapido:+--no-sync} \
        >"$base/initdb.log" 2>&1 || { cat "$base/initdb.log" >&2; return 1; }
    {
        echo "listen_addresses = $(conf_texto "${tcp:+127.0.0.1}")"
        echo "port = $porta"
        echo "unix_socket_directories = $(conf_pasta_de_soquete "$base/run")"
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
    # The server's log, which pg_ctl opens as postgres: as root, made here
    # (BASE is root's) and handed over, never through a link.
    if [ "$(id -u)" = 0 ]; then
        if [ -L "$base/server.log" ]; then
            echo "$base/server.log é um link simbólico; o servidor não foi iniciado." >&2; return 1
        fi
        [ -e "$base/server.log" ] || (umask 077 && : > "$base/server.log")
        chown -h postgres: "$base/server.log"
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

# psql through the cluster's socket (BASE/run) as ROLE, whose password is in
# FILE: papel_psql BASE PORT ROLE FILE DB [psql args...]
papel_psql() {
    local base=$1 porta=$2 papel=$3 arquivo=$4 banco=$5; shift 5
    PGPASSWORD=$(cat "$arquivo") PGDATESTYLE="ISO, DMY" PGCLIENTENCODING=UTF8 \
        psql -X -q -v ON_ERROR_STOP=1 -h "$base/run" -p "$porta" -U "$papel" -d "$banco" "$@"
}

# psql as the superuser, through the socket: cluster_psql BASE PORT DB [psql args...]
cluster_psql() {
    local base=$1 porta=$2 banco=$3; shift 3
    papel_psql "$base" "$porta" postgres "$base/superuser.senha" "$banco" "$@"
}

# The SCRAM-SHA-256 verifier of the password in a file, as the server keeps
# it (scripts/lib/scram.py).
verificador_scram() {
    python3 "$(dirname "${BASH_SOURCE[0]}")/scram.py" "$1"
}

# cluster_papel BASE PORT ROLE [PASSWORD_FILE] [ATTRIBUTES]: makes ROLE if
# it is missing. With a password file it logs in with the password the file
# holds: the server gets only its SCRAM verifier, worked out here, never the
# password itself (nor is either on a command line, or in the server's log:
# this session logs no statement), and a login with it through the socket
# must then work. Without one it cannot log in.
cluster_papel() {
    local base=$1 porta=$2 papel=$3 arquivo=${4:-} atributos=${5:-} verificador
    if [ -n "$arquivo" ]; then
        verificador=$(verificador_scram "$arquivo") || return 1
    fi
    {
        echo "set log_statement = 'none';"
        echo "set log_min_error_statement = 'panic';"
        echo "select format('create role %I', :'papel') where not exists (select from pg_roles where rolname = :'papel') \\gexec"
        if [ -n "$arquivo" ]; then
            echo "\\set verificador '$verificador'"
            echo "alter role :\"papel\" login password :'verificador' $atributos;"
        else
            echo "alter role :\"papel\" nologin $atributos;"
        fi
    } | cluster_psql "$base" "$porta" postgres -v papel="$papel" >/dev/null || return 1
    if [ -n "$arquivo" ] && ! papel_psql "$base" "$porta" "$papel" "$arquivo" postgres -tAc "select 1" >/dev/null; then
        echo "O servidor não aceitou a senha do papel $papel." >&2
        return 1
    fi
}

# psql on a database as OWNER, so that what it makes belongs to OWNER:
# logged in as OWNER itself when BASE/dono.senha holds its password (a
# local database: nothing in the database can then act as the superuser),
# else, in a throwaway cluster whose owner cannot log in, as the superuser
# acting as it. banco_como_dono BASE PORT DB OWNER [psql args...]
banco_como_dono() {
    local base=$1 porta=$2 banco=$3 dono=$4; shift 4
    if [ -f "$base/dono.senha" ]; then
        papel_psql "$base" "$porta" "$dono" "$base/dono.senha" "$banco" "$@"
    else
        cluster_psql "$base" "$porta" "$banco" -c "set role \"$dono\"" "$@"
    fi
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
# owner of the schema, through the superuser), then the rules of who may do
# what (sql/seguranca.sql). Each file adds only what is missing and touches
# no record but to move the stored passwords where only the owner reaches
# them, so it changes nothing in a database that has it all. Stops at the
# first file that fails, whose changes are then all undone.
#   banco_migrar TOPO BASE PORT DB OWNER
banco_migrar() {
    local topo=$1 base=$2 porta=$3 banco=$4 dono=$5 arquivo
    for arquivo in "$topo"/sql/migracoes/*.sql "$topo/sql/seguranca.sql"; do
        [ -f "$arquivo" ] || continue
        if ! PGOPTIONS="-c client_min_messages=warning" \
                banco_como_dono "$base" "$porta" "$banco" "$dono" -1 -f "$arquivo" >/dev/null; then
            echo "A atualização do banco $banco com $(basename "$arquivo") falhou; nada desse arquivo foi aplicado." >&2
            return 1
        fi
    done
}
