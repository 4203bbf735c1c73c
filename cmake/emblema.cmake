# KELU's icon and splash logo, drawn at build time by tools/emblema.py. The
# resource script finds them through the include folder KELU_EMBLEMA_DIR:
#   1 ICON "kelu.ico"   and   101 BITMAP "logo.bmp"
if(WIN32)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(KELU_EMBLEMA_DIR ${CMAKE_BINARY_DIR}/emblema)
  set(KELU_EMBLEMA_ARCHIVOS ${KELU_EMBLEMA_DIR}/kelu.ico ${KELU_EMBLEMA_DIR}/logo.bmp)
  add_custom_command(
    OUTPUT ${KELU_EMBLEMA_ARCHIVOS} ${KELU_EMBLEMA_DIR}/logo.png
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/emblema.py ${KELU_EMBLEMA_DIR}
    DEPENDS ${CMAKE_SOURCE_DIR}/tools/emblema.py
    COMMENT "Drawing KELU's icon and logo"
    VERBATIM)
  add_custom_target(emblema DEPENDS ${KELU_EMBLEMA_ARCHIVOS})
endif()
