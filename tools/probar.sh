#!/usr/bin/env bash
# `make test` in three lines of work that overlap, so that the machine's cores
# are busy while the end-to-end suite mostly waits on timed presses:
#   1. the Windows programs, then the end-to-end suite, at normal priority;
#   2. at the lowest priority (nice 19), so that they never slow the timed
#      presses: the ASan/UBSan build and its unit tests;
#   3. beside it, also at nice 19: the fuzz build and its smoke, then the
#      rest of the Windows build and its unit tests under Wine.
# Each stage's output goes to build/prueba/<stage>.log and is shown when the
# stage fails; the end is a table of each stage's time and result.
#   tools/probar.sh [FUZZ_RUNS]
set -uo pipefail
raiz=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$raiz"
corridas=${1:-5000}
registros=build/prueba
mkdir -p "$registros"
rm -f "$registros"/*.log "$registros"/*.resultado

# etapa NAME COMMAND...: runs the command, its output to NAME.log, and writes
# "seconds result" to NAME.resultado; returns the command's status.
etapa() {
  local nombre=$1 inicio codigo
  shift
  inicio=$(date +%s)
  "$@" >"$registros/$nombre.log" 2>&1
  codigo=$?
  echo "$(($(date +%s) - inicio)) $codigo" >"$registros/$nombre.resultado"
  if [[ $codigo -eq 0 ]]; then
    echo "probar: $nombre passed ($(($(date +%s) - inicio)) s)"
  else
    echo "probar: $nombre FAILED (exit $codigo), its output:"
    tail -n 150 "$registros/$nombre.log"
  fi
  return $codigo
}

# Line 1: what only the real program under Wine shows, as early as it can start.
primera() {
  etapa windows-configurar cmake --preset windows-mingw &&
    etapa windows-programas cmake --build --preset windows-mingw --target e2e_programas &&
    etapa e2e ctest --preset windows-mingw -R '^e2e$'
}

# Lines 2 and 3: everything else, on what the first line leaves of the
# cores, side by side so that both cores are busy once it ends.
segunda() {
  etapa saneado-configurar cmake --preset saneado &&
    etapa saneado-compilar cmake --build --preset saneado &&
    etapa saneado-pruebas ctest --preset saneado -j2
}

# The rest of the Windows build waits for line 1's: one build at a time in
# a build folder.
tercera() {
  local fallos=0
  etapa fuzz-configurar cmake --preset fuzz &&
    etapa fuzz-compilar cmake --build --preset fuzz &&
    etapa fuzz-humo bash tools/fuzz.sh build/fuzz "$corridas" || fallos=1
  while [[ ! -f "$registros/windows-programas.resultado" ]]; do
    [[ -f "$registros/windows-configurar.resultado" &&
       $(cut -d' ' -f2 "$registros/windows-configurar.resultado") -ne 0 ]] && return 1
    sleep 1
  done
  etapa windows-compilar cmake --build --preset windows-mingw &&
    etapa windows-pruebas ctest --preset windows-mingw -E '^e2e$' || fallos=1
  return $fallos
}

inicio=$(date +%s)
primera &
pid_primera=$!
(renice -n 19 -p $BASHPID >/dev/null && segunda) &
pid_segunda=$!
(renice -n 19 -p $BASHPID >/dev/null && tercera) &
pid_tercera=$!
wait $pid_primera
r1=$?
wait $pid_segunda
r2=$?
wait $pid_tercera
r3=$?

echo "probar: stage, seconds, exit status"
for resultado in "$registros"/*.resultado; do
  printf '  %-20s %5s s  %s\n' "$(basename "$resultado" .resultado)" $(cat "$resultado")
done
echo "probar: all in $(($(date +%s) - inicio)) s"
[[ $r1 -eq 0 && $r2 -eq 0 && $r3 -eq 0 ]]
