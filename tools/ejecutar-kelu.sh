#!/usr/bin/env bash
# `make run`: starts KELU from its program folder under Wine, on the
# current display or, without one, on a virtual display. Returns when KELU
# has been closed.
set -euo pipefail
raiz=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
carpeta=${1:-$raiz/build/win/dist/kelu}
export KELU_WINEPREFIJO="$raiz/build/wine-prefijo-kelu"
if [[ -z "${DISPLAY:-}" ]]; then
  echo "No display: KELU runs on a virtual display (Xvfb). Close it with Ctrl+C."
fi
cd "$carpeta"
exec bash "$raiz/tools/wine-ejecutar.sh" ./kelu.exe
