# The two commands of the README: `make run` and `make test`. Both install
# whatever is missing first.
NATIVO  := build/native
WINDOWS := build/win

.PHONY: run test deps capas nativo saneado windows fuzz bench package limpiar
SANEADO := build/asan
RAPIDO  := build/native-release
FUZZ    := build/fuzz
FUZZ_RUNS ?= 200000

deps:
	@bash tools/instalar-dependencias.sh

nativo: deps
	cmake -S . -B $(NATIVO) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKELU_ERRORES=ON
	cmake --build $(NATIVO)

windows: deps
	cmake -S . -B $(WINDOWS) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release -DKELU_ERRORES=ON
	cmake --build $(WINDOWS)

# The unit tests once more under AddressSanitizer and UBSan.
saneado: deps
	cmake -S . -B $(SANEADO) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKELU_SANEAR=ON
	cmake --build $(SANEADO) --target kelu_tests

# Every #include points down the layers (tools/capas.py names the rule a
# wrong-way include breaks).
capas:
	python3 tools/capas.py

test: capas nativo saneado windows
	ctest --test-dir $(NATIVO) --output-on-failure
	$(SANEADO)/kelu_tests --gtest_brief=1
	ctest --test-dir $(WINDOWS) --output-on-failure

run: windows
	bash tools/ejecutar-kelu.sh dist/kelu

# Each fuzz target for FUZZ_RUNS executions from its seed corpus.
fuzz: deps
	cmake -S . -B $(FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DKELU_FUZZ=ON
	cmake --build $(FUZZ)
	bash tools/fuzz.sh $(FUZZ) $(FUZZ_RUNS)

# The headless simulations, then the benchmarks under Wine (about 8 minutes;
# alone on the machine if possible, their figures are timings). The simulated
# person runs an optimised build: the Debug one is ten times slower.
bench: nativo windows
	cmake --build $(WINDOWS) --target bench_windows
	$(NATIVO)/bench_fidelidad_pulsacion
	$(NATIVO)/bench_archivos_hostiles
	cmake -S . -B $(RAPIDO) -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELU_ERRORES=ON
	cmake --build $(RAPIDO) --target bench_simulador
	$(RAPIDO)/bench_simulador
	python3 bench/run.py

# The program folder as a zip a Windows user unzips and runs.
package: windows
	bash tools/empaquetar.sh

limpiar:
	rm -rf build dist
