# The bundled editor: KELU opens its text files with a "notepad.exe" that
# ships beside kelu.exe. Its window-free rules are checked by the unit tests.
add_library(kelu_editor_texto STATIC tools/notepad/texto_editor.cpp)
target_include_directories(kelu_editor_texto PUBLIC ${CMAKE_SOURCE_DIR})
if(TARGET kelu_tests)
  target_link_libraries(kelu_tests PRIVATE kelu_editor_texto)
endif()

if(WIN32)
  enable_language(RC)
  add_executable(notepad WIN32 tools/notepad/notepad.cpp tools/notepad/notepad.rc)
  target_link_libraries(notepad PRIVATE kelu_editor_texto kelu_sistema comdlg32)
  set_target_properties(notepad PROPERTIES OUTPUT_NAME notepad)
  # The resource compiler does not see the manifest as a dependency.
  set_source_files_properties(tools/notepad/notepad.rc PROPERTIES
    OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/tools/notepad/notepad.manifest)
  if(MINGW)
    # Small: drop unused code and the symbols.
    target_compile_options(notepad PRIVATE -Os -ffunction-sections -fdata-sections)
    target_link_options(notepad PRIVATE -Wl,--gc-sections -s)
  endif()
  add_custom_command(TARGET notepad POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KELU_DIST}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:notepad> ${KELU_DIST}/
    VERBATIM)
endif()
