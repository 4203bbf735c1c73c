# KELU's commands, as the README lists them. `make` alone only prints them;
# `make run` and `make test` install what is missing first (as root, with
# apt-get: tools/instalar-dependencias.sh). Each build is a CMake preset
# (CMakePresets.json) in a folder of its own under build/.
WINDOWS := build/win
RAPIDO  := build/native-release
FUZZ    := build/fuzz
FUZZ_RUNS ?= 200000
# `make test` runs each fuzz target this many times from its seed corpus:
# enough to show that the targets build and run.
FUZZ_PRUEBA := 5000

.PHONY: ayuda run test deps capas nativo saneado windows fuzz fuzz-build bench package limpiar

ayuda:
	@echo 'make run       builds KELU and starts it under Wine'
	@echo 'make test      every test: layers, unit tests (ASan/UBSan), fuzz smoke, Windows unit tests, end-to-end'
	@echo 'make package   $(WINDOWS)/dist/kelu-<version>-win64.zip and -setup.exe: the program folder for Windows 10/11, and its setup'
	@echo 'make bench     benchmarks (see bench/RESULTS.md)'
	@echo 'make fuzz      libFuzzer on the file readers and the key-string parser (FUZZ_RUNS=N)'
	@echo 'make deps      installs what the builds and tests need (Debian 12, as root)'

deps:
	@bash tools/instalar-dependencias.sh

nativo: deps
	cmake --preset nativo
	cmake --build --preset nativo

windows: deps
	cmake --preset windows-mingw
	cmake --build --preset windows-mingw

# The unit tests under AddressSanitizer and UBSan: the native build of `make test`.
saneado: deps
	cmake --preset saneado
	cmake --build --preset saneado

fuzz-build: deps
	cmake --preset fuzz
	cmake --build --preset fuzz

# Every #include points down the layers (tools/capas.py names the rule a
# wrong-way include breaks).
capas:
	python3 tools/capas.py

# The builds and their tests overlap (tools/probar.sh): the end-to-end suite
# as early as it can start, the rest at low priority beside it.
test: capas deps
	bash tools/probar.sh $(FUZZ_PRUEBA)

run: windows
	bash tools/ejecutar-kelu.sh $(WINDOWS)/dist/kelu

# Each fuzz target for FUZZ_RUNS executions from its seed corpus.
fuzz: fuzz-build
	bash tools/fuzz.sh $(FUZZ) $(FUZZ_RUNS)

# The headless simulations, then the benchmarks under Wine (about 8 minutes;
# alone on the machine if possible, their figures are timings). The simulated
# person runs an optimised build: the Debug one is ten times slower.
bench: nativo windows
	cmake --build $(WINDOWS) --target bench_windows
	build/native/bench_fidelidad_pulsacion
	build/native/bench_archivos_hostiles
	cmake -S . -B $(RAPIDO) -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELU_ERRORES=ON
	cmake --build $(RAPIDO) --target bench_simulador
	$(RAPIDO)/bench_simulador
	python3 bench/run.py

# The program folder as a zip a Windows user unzips and runs.
package: windows
	bash tools/empaquetar.sh $(WINDOWS)/dist

limpiar:
	rm -rf build dist
