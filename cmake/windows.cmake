# The Windows program: the Win32 backend, kelu.exe with its resources, and
# the program folder dist/kelu/ of this build's folder, laid out as a user
# unzips it.
enable_language(RC)
include(${CMAKE_CURRENT_LIST_DIR}/emblema.cmake)

file(GLOB WIN32_SOURCES CONFIGURE_DEPENDS platform/win32/*.cpp)
# Files and ANSI text belong to kelu_sistema; the entry point to the program.
list(FILTER WIN32_SOURCES EXCLUDE REGEX "/((archivos|ansi)_[^/]*|main_win32\\.cpp)$")
add_library(kelu_win32 STATIC ${WIN32_SOURCES})
target_link_libraries(kelu_win32 PUBLIC kelu_core user32 gdi32 shell32 comdlg32 comctl32 advapi32)

set(KELU_RC ${CMAKE_SOURCE_DIR}/platform/win32/kelu.rc)
configure_file(${CMAKE_SOURCE_DIR}/platform/win32/kelu.manifest.in ${KELU_GENERADO}/kelu.manifest @ONLY)
add_executable(kelu WIN32 platform/win32/main_win32.cpp ${KELU_RC})
target_link_libraries(kelu PRIVATE kelu_win32)
set_target_properties(kelu PROPERTIES OUTPUT_NAME kelu)
if(MSVC)
  target_link_options(kelu PRIVATE /MANIFEST:NO)  # kelu.rc brings its own
endif()
# The resource script names its files relative to its own folder, and the
# icon and logo drawn at build time by their folder.
set_source_files_properties(${KELU_RC} PROPERTIES
  INCLUDE_DIRECTORIES "${CMAKE_SOURCE_DIR}/platform/win32;${KELU_EMBLEMA_DIR};${KELU_GENERADO}"
  OBJECT_DEPENDS "${KELU_GENERADO}/kelu.manifest;${KELU_GENERADO}/platform/version.h;${KELU_EMBLEMA_ARCHIVOS}")
add_dependencies(kelu emblema)

# The program folder: kelu.exe and the shipped data files, less the notes
# and any file of learned words a run left in data/ (a person's own typing).
file(GLOB KELU_DATOS LIST_DIRECTORIES false CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/*)
list(FILTER KELU_DATOS EXCLUDE REGEX "(\\.md|/aprendidas-[^/]*)$")
set(KELU_DIST ${CMAKE_BINARY_DIR}/dist/kelu CACHE PATH "The program folder, as a user unzips it")
add_custom_target(kelu_dist ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${KELU_DIST}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:kelu> ${KELU_DATOS} ${KELU_DIST}/
  DEPENDS kelu ${KELU_DATOS}
  COMMENT "Program folder ${KELU_DIST}"
  VERBATIM)

# The unit tests are defined after this file; on Windows they test the
# backend too.
function(kelu_pruebas_con_win32)
  if(TARGET kelu_tests)
    target_link_libraries(kelu_tests PRIVATE kelu_win32)
  endif()
endfunction()
cmake_language(DEFER CALL kelu_pruebas_con_win32)
include(${CMAKE_CURRENT_LIST_DIR}/bench_windows.cmake)
