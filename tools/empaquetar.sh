#!/usr/bin/env bash
# Packs the program folder dist/kelu/ into dist/kelu-1.0-win64.zip: the
# folder "kelu" as a Windows user unzips it, nothing to install.
set -euo pipefail
raiz=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
dist=${1:-$raiz/dist}
[[ -f "$dist/kelu/kelu.exe" ]] || { echo "empaquetar: $dist/kelu/kelu.exe is missing; build first" >&2; exit 1; }
rm -f "$dist/kelu-1.0-win64.zip"
(cd "$dist" && cmake -E tar cf kelu-1.0-win64.zip --format=zip kelu)
echo "$dist/kelu-1.0-win64.zip"
