# `cmake --install`: the programs into bin/ and the shipped data into share/velmora/ (fixed
# names: a program finds its data at ../share/velmora from its own folder), and the desktop
# entry, the file types and the icon where the desktop looks for them.
set(VELMORA_INSTALL_DATADIR share/velmora)

install(TARGETS velmora-cli RUNTIME DESTINATION bin)
if(TARGET velmora)
  install(TARGETS velmora RUNTIME DESTINATION bin)
endif()

install(DIRECTORY
    ${PROJECT_SOURCE_DIR}/data/cldata
    ${PROJECT_SOURCE_DIR}/data/style
    ${PROJECT_SOURCE_DIR}/data/images
    ${PROJECT_SOURCE_DIR}/data/help
    ${PROJECT_SOURCE_DIR}/data/icons
  DESTINATION ${VELMORA_INSTALL_DATADIR}
  PATTERN ".*" EXCLUDE)
install(FILES ${PROJECT_SOURCE_DIR}/data/sample.exv DESTINATION ${VELMORA_INSTALL_DATADIR})

install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/velmora.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/velmora-mime.xml
  DESTINATION share/mime/packages RENAME velmora.xml)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/velmora.svg
  DESTINATION share/icons/hicolor/scalable/apps)
