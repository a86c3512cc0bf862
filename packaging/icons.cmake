# Icons, drawn by the art code at every size of the hicolor theme, as SVG and as the Windows
# programs' .ico.
set(TOLARKA_ICON_DIR ${CMAKE_CURRENT_BINARY_DIR}/icons)
set(TOLARKA_ICON_STAMP ${TOLARKA_ICON_DIR}/hicolor/scalable/apps/tolarka.svg)
add_custom_command(
  OUTPUT ${TOLARKA_ICON_STAMP} ${TOLARKA_ICON_DIR}/tolarka.ico
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:tolarka_icongen> ${TOLARKA_ICON_DIR}
          ${TOLARKA_FONT_SANS} ${TOLARKA_FONT_SANS_BOLD} ${TOLARKA_FONT_VERDANA} ${TOLARKA_FONT_VERDANA_BOLD}
  DEPENDS tolarka_icongen
  COMMENT "Drawing the desktop icons"
  VERBATIM)
add_custom_target(tolarka_icons ALL DEPENDS ${TOLARKA_ICON_STAMP})
