# The two commands of the README: `make run` and `make test`. Both install
# whatever is missing first.
NATIVO  := build/native
WINDOWS := build/win

.PHONY: run test deps nativo windows limpiar

deps:
	@bash tools/instalar-dependencias.sh

nativo: deps
	cmake -S . -B $(NATIVO) -G Ninja -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(NATIVO)

windows: deps
	cmake -S . -B $(WINDOWS) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release
	cmake --build $(WINDOWS)

test: nativo windows
	ctest --test-dir $(NATIVO) --output-on-failure
	ctest --test-dir $(WINDOWS) --output-on-failure

run: windows
	bash tools/ejecutar-kelu.sh dist/kelu

limpiar:
	rm -rf build dist
