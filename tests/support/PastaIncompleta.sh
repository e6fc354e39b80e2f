#!/usr/bin/env bash
# A data folder left half made (an install killed midway) is removed and made again, with a line saying so,
# and the server answers with root's password; a scratch folder left beside it goes too.
set -euo pipefail
mariadb_script=$1
pasta=$2
senha=$(printf '\xD7\xAE\xE1\xCF\xF5\x46\x98\x43\x2B')

"$mariadb_script" stop "$pasta" 2>/dev/null || true
rm -rf "$pasta" "$pasta".rascunho.* "$pasta.lock"
mkdir -p "$pasta/mysql" "$pasta.rascunho.abc123"
echo lixo >"$pasta/mysql/user.frm"
echo lixo >"$pasta/ibdata1"

saida=$("$mariadb_script" start "$pasta" --fast 2>&1)
trap '"$mariadb_script" stop "$pasta"; rm -rf "$pasta" "$pasta.lock"' EXIT
grep -q "is incomplete" <<<"$saida" || { echo "no line about the incomplete folder: $saida"; exit 1; }
[ -f "$pasta/.completo" ] || { echo "no mark after the rebuild"; exit 1; }
[ ! -e "$pasta.rascunho.abc123" ] || { echo "scratch folder left behind"; exit 1; }
mariadb --no-defaults --socket="$pasta/mysqld.sock" -u root -p"$senha" -e "select 1" >/dev/null
