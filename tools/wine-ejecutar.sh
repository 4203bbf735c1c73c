#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's throwaway prefix and
# exits with the program's exit code. CMake uses it to run the Windows unit
# tests, so it must work unattended, in CI, as root, run after run.
#
#   tools/wine-ejecutar.sh PROGRAM.exe [ARGS...]
#   tools/wine-ejecutar.sh --preparar     only make sure the prefix is ready
#
# KELU_WINEPREFIJO chooses another prefix (the end-to-end tests keep their own).
# Without $DISPLAY an Xvfb is started on a free display for this run only.
set -u

raiz=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${KELU_WINEPREFIJO:-$raiz/build/wine-prefijo}"
export WINEDEBUG=-all
# No Mono or Gecko installer dialogs, no menu entries on the host.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine converts file names and arguments with the Unix locale: under plain C
# a name like "Español.lng" cannot even be opened. The Windows side stays
# en-US with the ANSI code page 1252.
export LC_ALL=C.UTF-8
marca="$WINEPREFIX/.kelu-preparado"

xvfb_pid=""
terminar() {
  if [[ -n "$xvfb_pid" ]]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=""
  fi
}
trap terminar EXIT
# Stopped from outside (a CTest time-out): take the Windows programs along.
trap 'wineserver -k 2>/dev/null; exit 130' INT
trap 'wineserver -k 2>/dev/null; exit 143' TERM

iniciar_xvfb() {
  # Xvfb picks a free display number itself and writes it to the given fd.
  local numero
  numero=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numero" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 200); do
    [[ -s "$numero" ]] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
  done
  if [[ ! -s "$numero" ]]; then
    echo "wine-ejecutar: Xvfb did not start" >&2
    rm -f "$numero"
    exit 125
  fi
  export DISPLAY=":$(tr -dc 0-9 <"$numero")"
  rm -f "$numero"
}

preparar_prefijo() {
  [[ -f "$marca" ]] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  # Two runs at once must not build the same prefix together.
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [[ ! -f "$marca" ]]; then
    # No marker: never made, or left half-made by a killed run.
    case "$WINEPREFIX" in
      "" | / | "$HOME" | "$raiz") echo "wine-ejecutar: refusing prefix '$WINEPREFIX'" >&2; exit 125 ;;
    esac
    wineserver -k 2>/dev/null
    rm -rf "$WINEPREFIX"
    if ! wineboot -i >/dev/null 2>&1; then
      echo "wine-ejecutar: wineboot -i failed in $WINEPREFIX" >&2
      exit 125
    fi
    # Unmanaged windows: no 2 s stall when a window hides, and the X focus
    # follows the Windows foreground window, so injected keys arrive.
    if ! wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1; then
      echo "wine-ejecutar: could not set Managed=N in $WINEPREFIX" >&2
      exit 125
    fi
    wineserver -w
    touch "$marca"
  fi
  exec 9>&-
}

if [[ $# -eq 0 ]]; then
  echo "usage: $0 PROGRAM.exe [ARGS...] | --preparar" >&2
  exit 64
fi

[[ -n "${DISPLAY:-}" ]] || iniciar_xvfb
preparar_prefijo
[[ "$1" == "--preparar" ]] && exit 0

# In the background, so that a signal to this script is handled at once.
wine "$@" &
wait $!
codigo=$?
wineserver -k 2>/dev/null
exit "$codigo"
