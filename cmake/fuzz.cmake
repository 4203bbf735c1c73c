# Fuzz targets (clang's libFuzzer with AddressSanitizer and UB sanitizer):
# the preset "fuzz" (clang++-19 and -DKELU_FUZZ=ON; `make fuzz`).
file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS tests/fuzz/fuzz_*.cpp)
foreach(fuente ${FUZZ_SOURCES})
  get_filename_component(nombre ${fuente} NAME_WE)
  add_executable(${nombre} ${fuente})
  target_link_libraries(${nombre} PRIVATE kelu_core)
  target_link_options(${nombre} PRIVATE -fsanitize=fuzzer)
endforeach()
