# Backups of a database with pg_dump's compressed format, used by scripts/db.
# Needs scripts/lib/pg.sh. Files are named by when they were made and why:
# 2025-03-01-142501-auto.dump (at a start), -manual, -antes-de-restaurar and
# -antes-de-apagar. Only the automatic ones are ever deleted, by the
# retention rule of backups_podar.

# Free space (KiB) that a backup must leave on the disk: twice the newest
# backup of the folder plus a reserve (ZUMBREL_BACKUP_RESERVA_MB, 64 MiB by
# default), so that a backup never fills the disk the database writes to.
backup_espaco_preciso() {
    local pasta=$1 ultimo kib=0
    ultimo=$(ls -1 "$pasta"/*.dump 2>/dev/null | LC_ALL=C sort | tail -n 1)
    [ -n "$ultimo" ] && kib=$(( ($(stat -c %s "$ultimo") + 1023) / 1024 ))
    echo $(( 2 * kib + ${ZUMBREL_BACKUP_RESERVA_MB:-64} * 1024 ))
}

# A file name not yet taken in FOLDER for a backup of KIND made now.
backup_nome() {
    local pasta=$1 tipo=$2 carimbo nome n=1
    carimbo=$(date +%Y-%m-%d-%H%M%S)
    nome="$pasta/$carimbo-$tipo.dump"
    while [ -e "$nome" ]; do
        n=$((n + 1))
        nome="$pasta/$carimbo-$tipo-$n.dump"
    done
    echo "$nome"
}

# backup_escrever BASE PORT DATABASE FILE: dumps DATABASE as the cluster's
# superuser, through its socket, into FILE, which must not exist yet. The dump goes to a partial
# file beside FILE, is read back with pg_restore, flushed to disk and only
# then takes its name; on any failure the partial file is deleted, nothing
# else is touched, and the reason goes to standard error.
backup_escrever() {
    local base=$1 porta=$2 banco=$3 destino=$4
    local bin pasta parcial erro livre preciso
    bin=$(pg_bindir) || return 1
    # A relative name that begins with "-" is no option to the tools below.
    case $destino in /*) ;; *) destino=./$destino ;; esac
    pasta=$(dirname "$destino")
    if [ -e "$destino" ]; then
        echo "$destino já existe; nada foi sobrescrito." >&2; return 1
    fi
    if ! (umask 077 && mkdir -p "$pasta") 2>/dev/null || [ ! -d "$pasta" ]; then
        echo "Não foi possível criar a pasta $pasta." >&2; return 1
    fi
    livre=$(df -Pk "$pasta" 2>/dev/null | awk 'NR == 2 { print $4 }')
    preciso=$(backup_espaco_preciso "$pasta")
    if [ -n "$livre" ] && [ "$livre" -lt "$preciso" ]; then
        echo "Espaço livre insuficiente em $pasta ($((livre / 1024)) MiB livres, $((preciso / 1024)) MiB necessários)." >&2
        return 1
    fi
    parcial=$(umask 077 && mktemp "$pasta/.parcial.XXXXXX" 2>/dev/null) || {
        echo "Não é possível escrever na pasta $pasta." >&2; return 1; }
    if erro=$(PGPASSWORD=$(cat "$base/superuser.senha") "$bin/pg_dump" -Fc -h "$base/run" -p "$porta" \
                  -U postgres -d "$banco" -f "$parcial" 2>&1) &&
       erro=$("$bin/pg_restore" -l -- "$parcial" 2>&1 >/dev/null) &&
       erro=$(sync "$parcial" 2>&1) &&
       erro=$(ln "$parcial" "$destino" 2>&1); then
        rm -f "$parcial"
        sync "$pasta" 2>/dev/null || true
        return 0
    fi
    rm -f "$parcial"
    echo "$erro" >&2
    return 1
}

# backups_podar FOLDER [TODAY]: of the automatic backups, keeps the 10 newest
# and the newest of each of the last 30 days (TODAY included, YYYY-MM-DD,
# default today), and deletes the others. Called only after a backup
# succeeded, so a failing backup never costs an old one.
backups_podar() {
    local pasta=$1 hoje=${2:-$(date +%F)}
    local limite arq dia n=0
    local -A dias=()
    limite=$(date -d "$hoje -29 days" +%F) || return 1
    while IFS= read -r arq; do
        dia=$(basename "$arq")
        dia=${dia:0:10}
        n=$((n + 1))
        if [ "$n" -le 10 ]; then
            dias[$dia]=1
        elif [[ ! $dia < $limite ]] && [ -z "${dias[$dia]:-}" ]; then
            dias[$dia]=1
        else
            rm -f "$arq"
        fi
    done < <(ls -1 "$pasta"/[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]-[0-9][0-9][0-9][0-9][0-9][0-9]-auto*.dump 2>/dev/null |
             LC_ALL=C sort -r)
}
