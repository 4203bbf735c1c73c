# Benchmarks: one program per file of bench/, built with the native build,
# run by hand or by `make bench`; never part of the tests.
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS bench/*.cpp)
foreach(fuente ${BENCH_SOURCES})
  get_filename_component(nombre ${fuente} NAME_WE)
  add_executable(bench_${nombre} ${fuente})
  target_link_libraries(bench_${nombre} PRIVATE kelu_headless)
endforeach()
