# `cmake --install`: the programs into bin/ and the shipped data into share/velmora/ (a
# program finds its data at ../share/velmora from its own folder, wherever the prefix is),
# and what a desktop needs: the desktop entry, the file types, the icons at every size of the
# hicolor theme, the AppStream data, the manual pages, the changelog and the copyright.
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

# The build tree is laid out like an install: beside each program's folder, share/velmora
# is a link to the source tree's data/, so the programs built here find their data by the
# same rule as the installed ones.
foreach(program velmora velmora-cli)
  if(TARGET ${program})
    get_target_property(folder ${program} RUNTIME_OUTPUT_DIRECTORY)
    if(NOT folder)
      get_target_property(folder ${program} BINARY_DIR)
    endif()
    get_filename_component(prefix ${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${prefix}/share)
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/data ${prefix}/share/velmora SYMBOLIC)
  endif()
endforeach()

# Desktop integration.
set(desktop ${PROJECT_SOURCE_DIR}/data/desktop)
set(generated ${PROJECT_BINARY_DIR}/desktop)
install(FILES ${desktop}/velmora.desktop DESTINATION share/applications)
install(FILES ${desktop}/velmora-mime.xml DESTINATION share/mime/packages RENAME velmora.xml)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/velmora.svg
  DESTINATION share/icons/hicolor/scalable/apps)

configure_file(${desktop}/velmora.metainfo.xml.in
  ${generated}/${VELMORA_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${generated}/${VELMORA_APPSTREAM_ID}.metainfo.xml DESTINATION share/metainfo)

# The icon as PNG pictures at each size (and double scale) of the hicolor theme, rendered
# from the SVG with rsvg-convert when it is there (librsvg2-bin; the package needs them).
set(VELMORA_ICON_SIZES 16 22 24 32 36 48 64 72 96 128 192 256 512)
find_program(VELMORA_RSVG_CONVERT rsvg-convert)
set(icon_outputs "")
if(VELMORA_RSVG_CONVERT)
  foreach(size IN LISTS VELMORA_ICON_SIZES)
    foreach(scale 1 2)
      set(folder ${size}x${size})
      if(scale EQUAL 2)
        set(folder ${folder}@2)
      endif()
      math(EXPR pixels "${size} * ${scale}")
      set(png ${generated}/icons/${folder}/apps/velmora.png)
      add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}/icons/${folder}/apps
        COMMAND ${VELMORA_RSVG_CONVERT} -w ${pixels} -h ${pixels}
                -o ${png} ${PROJECT_SOURCE_DIR}/data/icons/velmora.svg
        DEPENDS ${PROJECT_SOURCE_DIR}/data/icons/velmora.svg VERBATIM)
      list(APPEND icon_outputs ${png})
    endforeach()
  endforeach()
  install(DIRECTORY ${generated}/icons/ DESTINATION share/icons/hicolor)
else()
  message(STATUS "rsvg-convert not found: the icon is installed as SVG only")
endif()

# Manual pages and the Debian changelog (from the AppStream releases), compressed as Debian
# keeps them; the release date of the newest release dates the manual pages.
file(READ ${desktop}/velmora.metainfo.xml.in metainfo)
string(REGEX MATCH "<release version=\"[^\"]*\" date=\"([^\"]*)\"" _ "${metainfo}")
set(VELMORA_RELEASE_DATE ${CMAKE_MATCH_1})
set(compressed "")
foreach(page velmora velmora-cli)
  configure_file(${PROJECT_SOURCE_DIR}/data/man/${page}.1.in ${generated}/man/${page}.1 @ONLY)
  add_custom_command(OUTPUT ${generated}/man/${page}.1.gz
    COMMAND gzip -9nkf ${generated}/man/${page}.1
    DEPENDS ${generated}/man/${page}.1 VERBATIM)
  list(APPEND compressed ${generated}/man/${page}.1.gz)
  install(FILES ${generated}/man/${page}.1.gz DESTINATION share/man/man1)
endforeach()
add_custom_command(OUTPUT ${generated}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -DMETAINFO=${desktop}/velmora.metainfo.xml.in
          -DVERSION=${PROJECT_VERSION} "-DMAINTAINER=${VELMORA_MAINTAINER}"
          -DOUT=${generated}/changelog -P ${CMAKE_CURRENT_LIST_DIR}/release-notes.cmake
  COMMAND gzip -9nf ${generated}/changelog
  DEPENDS ${desktop}/velmora.metainfo.xml.in ${CMAKE_CURRENT_LIST_DIR}/release-notes.cmake
  VERBATIM)
list(APPEND compressed ${generated}/changelog.gz)
add_custom_target(velmora_desktop_files ALL DEPENDS ${icon_outputs} ${compressed})

configure_file(${PROJECT_SOURCE_DIR}/data/package/copyright.in ${generated}/copyright @ONLY)
install(FILES ${generated}/changelog.gz ${generated}/copyright DESTINATION share/doc/velmora)
install(FILES ${PROJECT_SOURCE_DIR}/cli/README.md DESTINATION share/doc/velmora
  RENAME velmora-cli.md)
