#!/usr/bin/env bash
# Packs the program folder DIST/kelu/ two ways: DIST/kelu-<version>-win64.zip,
# the folder "kelu" as a Windows user unzips it, nothing to install; and
# DIST/kelu-<version>-setup.exe, the setup (tools/instalador/kelu.nsi) that
# installs it per user. The version is the project's, from CMakeLists.txt.
#   tools/empaquetar.sh [DIST]   DIST holds kelu/ (default: build/win/dist)
set -euo pipefail
raiz=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
dist=$(cd "${1:-$raiz/build/win/dist}" && pwd)
[[ -f "$dist/kelu/kelu.exe" ]] || { echo "empaquetar: $dist/kelu/kelu.exe is missing; build first" >&2; exit 1; }
version=$(sed -nE 's/^project\(kelu VERSION ([0-9]+\.[0-9]+).*/\1/p' "$raiz/CMakeLists.txt")
[[ -n "$version" ]] || { echo "empaquetar: no project(kelu VERSION x.y) in CMakeLists.txt" >&2; exit 1; }

trabajo=$(mktemp -d)
trap 'rm -rf "$trabajo"' EXIT
# Both are made from a copy of the folder without what a run of KELU leaves
# in it: the settings, and the words it learned, which are what a person
# typed and never leave their machine in a package.
mkdir "$trabajo/kelu"
for archivo in "$dist"/kelu/*; do
  case "$(basename "$archivo")" in kelu.ini | ayudas.ini | aprendidas-* | *.tmp) continue ;; esac
  cp -R "$archivo" "$trabajo/kelu/"
done

zip_=$dist/kelu-$version-win64.zip
rm -f "$zip_"
(cd "$trabajo" && cmake -E tar cf "$zip_" --format=zip kelu)
echo "$zip_"

command -v makensis >/dev/null || { echo "empaquetar: makensis is missing (tools/instalar-dependencias.sh)" >&2; exit 1; }
# Every shipped file but the two programs is a data file the setup updates
# only where the person has not changed it.
for archivo in "$trabajo"/kelu/*; do
  nombre=$(basename "$archivo")
  case "$nombre" in kelu.exe | notepad.exe) continue ;; esac
  printf '!insertmacro Dato "%s"\n' "$nombre"
done > "$trabajo/datos.nsh"
setup=$dist/kelu-$version-setup.exe
icono=()
for candidato in "$raiz"/build/win/emblema/kelu.ico "$dist"/../emblema/kelu.ico; do
  [[ -f "$candidato" ]] && { icono=("-DICONO=$candidato"); break; }
done
# Data file names with "ñ" are read as UTF-8 from the generated list.
printf '\xef\xbb\xbf' | cat - "$trabajo/datos.nsh" > "$trabajo/datos-bom.nsh"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DDIST="$trabajo/kelu" -DDATOS="$trabajo/datos-bom.nsh" \
  -DSALIDA="$setup" "${icono[@]}" "$raiz/tools/instalador/kelu.nsi" >&2
echo "$setup"
