#!/usr/bin/env bash
# Builds the Debian package from the build, as `make deb` does, and fails on any error or warning
# of lintian's; the informational tags are shown too.
set -euo pipefail
pasta=$(mktemp -d)
trap 'rm -rf "$pasta"' EXIT
cpack -G DEB --config "$1/CPackConfig.cmake" -B "$pasta" >/dev/null
pacote=("$pasta"/velto_*.deb)
lintian --display-info --fail-on error,warning "${pacote[@]}"
echo "lintian aceitou ${pacote[*]##*/}"
