# Unit tests: GoogleTest from the system's sources, so that the native and
# the Windows build use the same framework.
set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
if(EXISTS ${GTEST_SOURCE_DIR}/CMakeLists.txt)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  # Elsewhere (an MSVC build on Windows): an installed GoogleTest, if any.
  find_package(GTest CONFIG)
  if(NOT GTest_FOUND)
    # Said loudly: a build that silently has no tests looks like one that passed.
    message(WARNING "GoogleTest not found (neither ${GTEST_SOURCE_DIR} nor an installed "
      "GTest package): this build has NO unit tests. Install GoogleTest (on Windows, "
      "e.g. `vcpkg install gtest` and -DCMAKE_TOOLCHAIN_FILE=...vcpkg.cmake) or set GTEST_SOURCE_DIR.")
    add_test(NAME unit_tests_missing COMMAND ${CMAKE_COMMAND} -E echo
      "GoogleTest was not found when this build was configured: no unit tests were built")
    set_tests_properties(unit_tests_missing PROPERTIES WILL_FAIL TRUE)
    return()
  endif()
  add_library(gtest ALIAS GTest::gtest)
  add_library(gtest_main ALIAS GTest::gtest_main)
endif()

file(GLOB TEST_SOURCES CONFIGURE_DEPENDS tests/*.cpp tests/*.h)
add_executable(kelu_tests ${TEST_SOURCES})
target_link_libraries(kelu_tests PRIVATE kelu_headless gtest gtest_main)
target_compile_definitions(kelu_tests PRIVATE KELU_DATA_DIR="${CMAKE_SOURCE_DIR}/data")
# The test code itself unoptimised: it compiles in half the time, and the
# code under test keeps the flags of its build.
if(NOT MSVC)
  target_compile_options(kelu_tests PRIVATE -O0)
endif()
# UBSan watches the code under test; on the tests' own code and the
# framework's it only doubled their compile time. ASan stays on everywhere.
if(KELU_SANEAR AND NOT KELU_FUZZ)
  target_compile_options(kelu_tests PRIVATE -fno-sanitize=undefined)
  if(EXISTS ${GTEST_SOURCE_DIR}/CMakeLists.txt)  # built here, not installed
    target_compile_options(gtest PRIVATE -fno-sanitize=undefined)
    target_compile_options(gtest_main PRIVATE -fno-sanitize=undefined)
  endif()
endif()

if(CMAKE_CROSSCOMPILING)
  # One CTest entry runs the whole suite under Wine.
  add_test(NAME unit_tests_wine COMMAND kelu_tests --gtest_brief=1)
else()
  include(GoogleTest)
  gtest_discover_tests(kelu_tests DISCOVERY_TIMEOUT 60)
endif()
