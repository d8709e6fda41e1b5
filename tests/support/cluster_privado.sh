#!/usr/bin/env bash
# A PostgreSQL cluster of one test's own, for tests that stop and start the
# server (the shared throwaway cluster must stay up for the other tests).
#   cluster_privado.sh criar BASE      make it, start it, load schema, sample data and
#                                      sql/migracoes; prints the port
#   cluster_privado.sh parar BASE      stop the server
#   cluster_privado.sh iniciar BASE    start it again
#   cluster_privado.sh remover BASE    stop it and delete the folder
set -euo pipefail
topo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
. "$topo/scripts/lib/pg.sh"

acao=$1 base=$2
case "$acao" in
    criar)
        mkdir -p "$base"
        porta=$(porta_livre)
        echo "$porta" > "$base/porta"
        cluster_criar "$base" "$porta" rapido tcp
        cluster_iniciar "$base"
        (umask 077 && printf '%s' "$ZUMBREL_TEST_PASS" > "$base/app.senha")
        cluster_papel "$base" "$porta" "$ZUMBREL_TEST_OWNER"
        cluster_papel "$base" "$porta" "$ZUMBREL_TEST_USER" "$base/app.senha"
        cluster_psql "$base" "$porta" postgres -c "create database privado owner $ZUMBREL_TEST_OWNER" >/dev/null
        banco_carregar "$topo" "$base" "$porta" privado "$ZUMBREL_TEST_OWNER"
        banco_conceder "$base" "$porta" privado "$ZUMBREL_TEST_OWNER" "$ZUMBREL_TEST_USER"
        banco_migrar "$topo" "$base" "$porta" privado "$ZUMBREL_TEST_OWNER"
        banco_como_dono "$base" "$porta" privado "$ZUMBREL_TEST_OWNER" -1 -f "$topo/sql/usuarios_de_teste.sql" >/dev/null
        echo "$porta" ;;
    parar) cluster_parar "$base" ;;
    iniciar) cluster_iniciar "$base" ;;
    remover) cluster_parar "$base"; rm -rf "$base" ;;
    *) echo "uso: $0 criar|parar|iniciar|remover BASE" >&2; exit 2 ;;
esac
