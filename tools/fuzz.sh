#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build from its seed corpus; new inputs go
# to a working corpus under the build folder, findings stop the run.
set -euo pipefail
raiz=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$1
runs=${2:-200000}
for programa in "$build"/fuzz_*; do
  nombre=$(basename "$programa")
  semillas="$raiz/tests/fuzz/corpus/${nombre#fuzz_}"
  trabajo="$build/corpus/$nombre"
  mkdir -p "$trabajo" "$semillas"
  echo "== $nombre: $runs runs"
  "$programa" -runs="$runs" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$build/hallazgo-$nombre-" "$trabajo" "$semillas" 2>&1 | tail -n 2
done
