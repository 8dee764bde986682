# cmake --install, and the Debian package through it: both programs, the
# desktop entry with its icons so that the program shows in the desktop's
# menu (Education), the AppStream metainfo, the manual pages, the licence.

install(TARGETS fractions fractions-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES resources/fractions.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/fractions.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES resources/fractions.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 32 48 64 128)
  install(FILES resources/fractions-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME fractions.png)
endforeach()

# The manual pages and the Debian changelog go in compressed, as Debian
# installs them; gzip -n leaves out the name and the time, so that two builds
# of the same sources give the same files.
find_program(FRACTIONS_GZIP gzip REQUIRED)
set(compressed_dir ${CMAKE_BINARY_DIR}/compressed)
set(compressed_files)
foreach(source man/fractions.1 man/fractions-cli.1 packaging/debian/changelog)
  get_filename_component(name ${source} NAME)
  if(name STREQUAL "changelog")
    set(name changelog.Debian)
  endif()
  add_custom_command(
    OUTPUT ${compressed_dir}/${name}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/${source} ${compressed_dir}/${name}
    COMMAND ${FRACTIONS_GZIP} -9nf ${compressed_dir}/${name}
    DEPENDS ${PROJECT_SOURCE_DIR}/${source}
    VERBATIM)
  list(APPEND compressed_files ${compressed_dir}/${name}.gz)
endforeach()
add_custom_target(fractions_compressed_docs ALL DEPENDS ${compressed_files})

install(FILES ${compressed_dir}/fractions.1.gz ${compressed_dir}/fractions-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES packaging/debian/copyright ${compressed_dir}/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
