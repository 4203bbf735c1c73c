# Benchmarks: one program per file of bench/, built with the native build,
# run by hand or by `make bench`; never part of the tests.
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS bench/*.cpp)
# Windows programs that the Wine benchmarks run: cmake/bench_windows.cmake.
list(FILTER BENCH_SOURCES EXCLUDE REGEX "/(contador_pulsaciones|ventana_minima|recursos_proceso)\\.cpp$")
foreach(fuente ${BENCH_SOURCES})
  get_filename_component(nombre ${fuente} NAME_WE)
  add_executable(bench_${nombre} ${fuente})
  target_link_libraries(bench_${nombre} PRIVATE kelu_headless)
  # The shipped code and language files, for the programs that run the real window.
  target_compile_definitions(bench_${nombre} PRIVATE KELU_DATA_DIR="${CMAKE_SOURCE_DIR}/data")
endforeach()
