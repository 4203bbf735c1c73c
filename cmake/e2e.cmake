# End-to-end tests: the real kelu.exe under Wine on a virtual X display,
# driven with real X input, typing into kelu_objetivo.exe.

add_executable(kelu_objetivo WIN32 tests/e2e/objetivo.cpp)
if(MINGW)
  # wWinMain, and the wide argument vector.
  target_compile_options(kelu_objetivo PRIVATE -municode)
  target_link_options(kelu_objetivo PRIVATE -municode)
endif()
if(MSVC)
  set_property(TARGET kelu_objetivo PROPERTY MSVC_RUNTIME_LIBRARY "MultiThreaded")
endif()

# What the end-to-end suite runs, to build it ahead of the rest.
add_custom_target(e2e_programas DEPENDS kelu_objetivo)
if(TARGET kelu)
  add_dependencies(e2e_programas kelu_dist notepad)
endif()

# When this build makes kelu.exe, its absence is a failure, not a skip.
set(E2E_EXIGIR_KELU "")
if(TARGET kelu)
  set(E2E_EXIGIR_KELU --exigir-kelu)
endif()

# python3 is no target of the build, so CTest runs it as it is, not under
# the cross-compiling emulator.
add_test(NAME e2e
  COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/e2e/run.py
    --dist ${KELU_DIST}
    --objetivo $<TARGET_FILE:kelu_objetivo>
    --artefactos ${CMAKE_BINARY_DIR}/e2e-artefactos
    -j 2 ${E2E_EXIGIR_KELU})
# Two workers, each with its own display and Wine prefix, and nothing else
# of CTest beside them: their holds and gaps are timed.
set_tests_properties(e2e PROPERTIES TIMEOUT 1800 RUN_SERIAL TRUE)
