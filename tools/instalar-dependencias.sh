#!/usr/bin/env bash
# Installs, on Debian 12 as root, what the builds and tests need: the native
# and MinGW-w64 compilers, clang 19 with its libFuzzer for the fuzz targets,
# GoogleTest's sources, Wine, and the X tools the end-to-end tests drive it
# with. Installs only what is missing, so a second
# run only checks and returns at once.
set -euo pipefail

# Without their recommended packages (llvm-19-dev, Mesa's drivers, GStreamer,
# Ghostscript...: hundreds of MB none of this uses), so what is needed of
# them is listed here.
paquetes=(
  cmake make ninja-build g++ googletest
  clang-19 libclang-rt-19-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine wine64
  # Of Wine's recommended packages, what KELU's windows use: the fonts its
  # dialogs are laid out in and the X extensions its display driver loads.
  fonts-wine fonts-liberation
  libxrender1 libxrandr2 libxi6 libxcursor1 libxcomposite1 libxinerama1 libxfixes3 libxxf86vm1
  libdbus-1-3 libgnutls30
  # The rest of what Wine's processes had loaded during a whole test run
  # here (read from /proc/*/maps): optional to Wine, present where the
  # tests were proven.
  libavahi-client3 libcups2 libsdl2-2.0-0 libsamplerate0 libxss1 libgbm1
  libdecor-0-0 libwayland-client0 libwayland-cursor0 libwayland-egl1 libwayland-server0
  xvfb xdotool imagemagick x11-utils
  python3 locales
  nsis
)

# A second locale for the end-to-end tests: under it Wine's ANSI code page is
# 1251, not 1252.
locales_extra=(ru_RU.UTF-8)

generar_locales() {
  local faltan_locales=() local_ disponibles
  disponibles=$(locale -a 2>/dev/null || true)
  for local_ in "${locales_extra[@]}"; do
    grep -qixF "${local_/UTF-8/utf8}" <<<"$disponibles" || faltan_locales+=("$local_")
  done
  [[ ${#faltan_locales[@]} -eq 0 ]] && return 0
  if [[ $(id -u) -ne 0 ]]; then
    # Only one end-to-end test needs them: say so, but let the builds go on.
    echo "instalar-dependencias: missing locales ${faltan_locales[*]}; run as root to generate them" >&2
    return 0
  fi
  for local_ in "${faltan_locales[@]}"; do
    grep -qx "${local_} UTF-8" /etc/locale.gen 2>/dev/null || echo "${local_} UTF-8" >> /etc/locale.gen
  done
  locale-gen >/dev/null
}

faltan=()
for paquete in "${paquetes[@]}"; do
  estado=$(dpkg-query -W -f='${db:Status-Status}' "$paquete" 2>/dev/null || true)
  [[ "$estado" == installed ]] || faltan+=("$paquete")
done

if [[ ${#faltan[@]} -eq 0 ]]; then
  generar_locales
  exit 0
fi

if [[ $(id -u) -ne 0 ]]; then
  echo "instalar-dependencias: missing ${faltan[*]}; run as root to install them" >&2
  exit 1
fi

echo "instalar-dependencias: installing ${faltan[*]}"
export DEBIAN_FRONTEND=noninteractive
instalar() { apt-get install -y -qq --no-install-recommends "${faltan[@]}" >/dev/null; }
# A fresh machine's package lists are fetched once; lists a machine already
# has are tried first, and fetched again only when they are out of date.
listas=(/var/lib/apt/lists/*_Packages*)
if [[ ! -e "${listas[0]}" ]] || ! instalar; then
  apt-get update -qq
  instalar
fi
generar_locales
