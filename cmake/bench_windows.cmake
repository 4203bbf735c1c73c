# The benchmarks' Windows programs, run under Wine by the scripts of bench/
# (`make bench`). Outside the default build: the tests never need them.
add_executable(bench_contador_pulsaciones WIN32 EXCLUDE_FROM_ALL bench/contador_pulsaciones.cpp)
target_link_libraries(bench_contador_pulsaciones PRIVATE kelu_win32)

add_executable(bench_ventana_minima WIN32 EXCLUDE_FROM_ALL bench/ventana_minima.cpp)

add_executable(bench_recursos_proceso EXCLUDE_FROM_ALL bench/recursos_proceso.cpp)
target_link_libraries(bench_recursos_proceso PRIVATE psapi)

add_custom_target(bench_windows DEPENDS bench_contador_pulsaciones bench_ventana_minima bench_recursos_proceso)
