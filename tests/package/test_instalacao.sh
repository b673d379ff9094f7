#!/usr/bin/env bash
# Installs the build into a temporary root and checks what an office's desktop needs of it:
# the three programs, the desktop entry with its kiosk action, the icon, the README, the
# copyright, the changelog and the manual pages.
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
# Each manual page, as man shows it, has every subcommand (as an entry of its own) and every
# option that the program's --help lists.
for programa in velto velto-banco velto-relatorio; do
  pagina="$raiz/usr/share/man/man1/$programa.1.gz"
  texto=$(LC_ALL=C.UTF-8 MANWIDTH=1000 MANPAGER=cat man -l "$pagina") || { falha "página de $programa"; continue; }
  uso=$("$raiz/usr/bin/$programa" --help | sed -n '/^Uso:/,$p')
  [[ $uso == *"  $programa --help | --version"* ]] || falha "uso de $programa"
  for comando in $(sed -n "s/^  $programa \([a-z][a-z]*\).*/\1/p" <<<"$uso" | sort -u); do
    grep -qE "^ +$comando( |$)" <<<"$texto" || falha "comando $comando ausente da página de $programa"
  done
  for opcao in $(grep -o -- '--[a-z][a-z-]*' <<<"$uso" | sort -u); do
    grep -qwF -- "$opcao" <<<"$texto" || falha "opção $opcao ausente da página de $programa"
  done
done
[ "$falhas" -eq 0 ] && echo "instalação conferida em $raiz"
exit "$falhas"
