#!/usr/bin/env bash
# velto-banco over TCP with sslmode=verify-full, on a server of this test's own: the session is
# encrypted, another CA is refused, and no password is ever printed.
set -euo pipefail
build=$(realpath "$1")
servidor=$(dirname "$(realpath "$0")")/../common/servidor-pg
pasta=$build/servidor-pg-tls
raiz=$(mktemp -d)
trap '"$servidor" parar "$pasta"; rm -rf "$raiz"' EXIT
SERVIDOR_PG_TLS=1 "$servidor" iniciar "$pasta" >/dev/null
porta=$(cat "$pasta/porta")
psql -X -h "$pasta" -p "$porta" -U velto -d postgres -qAt -c 'create database ponto'
export VELTO_DRIVE_ROOT=$raiz XDG_CONFIG_HOME=$raiz PGPASSFILE=$pasta/pgpass
endereco="host=127.0.0.1 port=$porta dbname=ponto user=velto sslmode=verify-full"
senha=$(cut -d: -f5 "$pasta/pgpass")
banco() { # CA ARGS...: the tool's status and what it printed
  local s=0 saida
  saida=$(VELTO_BANCO="$endereco sslrootcert=$1" "$build/velto-banco" "${@:2}" 2>&1) || s=$?
  echo "$saida" >>"$raiz/saidas"
  echo "$s|$saida"
}
esperar() { [[ $2 == $3 ]] || { echo "FALHOU ($1): $2" >&2; exit 1; }; }

esperar criar "$(banco "$pasta/ca.crt" criar --senha x)" "0|*"
esperar tls "$(banco "$pasta/ca.crt" sql "SELECT ssl FROM pg_stat_ssl WHERE pid = pg_backend_pid()")" $'0|ssl\n1'
esperar caminho "$(banco "$pasta/ca.crt" caminho)" "0|banco de dados ponto no servidor 127.0.0.1:$porta"
esperar "outra CA" "$(banco "$pasta/servidor.crt" sql "SELECT 1 AS x")" "1|velto-banco: Não foi possível conectar*"
esperar "senha na URI" "$(banco "$pasta/ca.crt password=$senha" caminho)" "1|*traz uma senha*"
! grep -qF "$senha" "$raiz/saidas" "$pasta/servidor.log" || { echo "FALHOU: a senha apareceu" >&2; exit 1; }
