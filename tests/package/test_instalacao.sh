#!/usr/bin/env bash
# Installs the build into a temporary root and checks what an office's desktop needs of it:
# the three programs, the desktop entry with its kiosk action, the icon, the README, the
# copyright and the changelog.
set -euo pipefail
raiz=$(mktemp -d)
trap 'rm -rf "$raiz"' EXIT
DESTDIR="$raiz" cmake --install "$1" --prefix /usr >/dev/null
falhas=0
falha() { echo "FALHA: $*" >&2; falhas=$((falhas + 1)); }

entrada="$raiz/usr/share/applications/velto.desktop"
icone="$raiz/usr/share/icons/hicolor/scalable/apps/velto.svg"
for arquivo in "$entrada" "$icone" "$raiz"/usr/share/doc/velto/{README.md,copyright,changelog.gz}; do
  [ -f "$arquivo" ] || falha "$arquivo ausente"
done
grep -q '<svg' "$icone" || falha "o ícone não é um SVG"
desktop-file-validate "$entrada" || falha "desktop-file-validate recusou a entrada"
campo() { sed -n "/^\[$1\]/,/^\[/p" "$entrada" | sed -n "s/^$2=//p" | head -1; }
for esperado in "Desktop Entry|Exec|velto" "Desktop Entry|Icon|velto" "Desktop Entry|Actions|Terminal;" \
  "Desktop Action Terminal|Exec|velto --quiosque"; do
  IFS='|' read -r grupo chave valor <<<"$esperado"
  [ "$(campo "$grupo" "$chave")" = "$valor" ] || falha "$chave de [$grupo]"
done
[ -n "$(campo 'Desktop Entry' Comment)" ] || falha "Comment da entrada"
# The installed programs run from their new place.
[ -x "$raiz/usr/bin/velto" ] || falha "programa velto não instalado"
for programa in velto-banco velto-relatorio; do
  "$raiz/usr/bin/$programa" --version | grep -q "^$programa " || falha "$programa instalado não roda"
done
[ "$falhas" -eq 0 ] && echo "instalação conferida em $raiz"
exit "$falhas"
