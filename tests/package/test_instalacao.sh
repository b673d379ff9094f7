#!/usr/bin/env bash
# Installs the build into a temporary root and checks what an office's desktop needs of it:
# the three programs, the desktop entry with its kiosk action, the icon and the README.
set -euo pipefail
build=$1
raiz=$(mktemp -d)
trap 'rm -rf "$raiz"' EXIT

DESTDIR="$raiz" cmake --install "$build" --prefix /usr >/dev/null
falhas=0
falha() { echo "FALHA: $*" >&2; falhas=$((falhas + 1)); }

for programa in velto velto-banco velto-relatorio; do
  [ -x "$raiz/usr/bin/$programa" ] || falha "programa $programa não instalado"
done
entrada="$raiz/usr/share/applications/velto.desktop"
icone="$raiz/usr/share/icons/hicolor/scalable/apps/velto.svg"
[ -f "$entrada" ] || falha "entrada da área de trabalho ausente"
[ -f "$icone" ] || falha "ícone ausente"
[ -f "$raiz/usr/share/doc/velto/README.md" ] || falha "README ausente"

desktop-file-validate "$entrada" || falha "desktop-file-validate recusou a entrada"
campo() { sed -n "/^\[$1\]/,/^\[/p" "$entrada" | sed -n "s/^$2=//p" | head -1; }
[ "$(campo 'Desktop Entry' Exec)" = velto ] || falha "Exec da entrada"
[ "$(campo 'Desktop Entry' Icon)" = velto ] || falha "Icon da entrada"
[ "$(campo 'Desktop Entry' Actions)" = "Terminal;" ] || falha "Actions da entrada"
[ "$(campo 'Desktop Action Terminal' Exec)" = "velto --quiosque" ] || falha "Exec da ação Terminal"
[ -n "$(campo 'Desktop Entry' Comment)" ] || falha "Comment da entrada"
grep -q '<svg' "$icone" || falha "o ícone não é um SVG"

# The installed tools run from their new place.
"$raiz/usr/bin/velto-banco" --version | grep -q '^velto-banco ' || falha "velto-banco instalado não roda"
"$raiz/usr/bin/velto-relatorio" --version | grep -q '^velto-relatorio ' || falha "velto-relatorio instalado não roda"

[ "$falhas" -eq 0 ] && echo "instalação conferida em $raiz"
exit "$falhas"
