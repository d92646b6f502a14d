# What is installed besides the libraries and the apps themselves: the manual pages of the apps,
# the shell completions of lintra, the desktop entry and icon of lintra-gui, the sample site as
# documentation, and the VS Code extension once there is one.

# lintra_install_man_page(NAME): installs docs/man/NAME.1, gzipped, its title stamped with the
# project's version (the page in the source tree reads as it stands, with the version it was
# last written for).
function(lintra_install_man_page name)
  set(source ${PROJECT_SOURCE_DIR}/docs/man/${name}.1)
  set(page ${PROJECT_BINARY_DIR}/man/${name}.1)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  file(READ ${source} text)
  string(REGEX REPLACE "\"Lintra [^\"]*\"" "\"Lintra ${PROJECT_VERSION}\"" text "${text}")
  file(WRITE ${page} "${text}")
  file(ARCHIVE_CREATE OUTPUT ${page}.gz PATHS ${page} FORMAT raw COMPRESSION GZip
    COMPRESSION_LEVEL 9)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()

if(TARGET lintra_cli)
  lintra_install_man_page(lintra)
  install(FILES ${PROJECT_SOURCE_DIR}/completions/lintra.bash
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME lintra)
  install(FILES ${PROJECT_SOURCE_DIR}/completions/_lintra
    DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/site-functions)
endif()

if(TARGET lintra_gui)
  lintra_install_man_page(lintra-gui)
  install(FILES ${PROJECT_SOURCE_DIR}/apps/qt/desktop/lintra-gui.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/apps/qt/desktop/lintra.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/site DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
# The rule pages that check's SARIF log links to, and the layout of its JSON report.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/rules DESTINATION ${CMAKE_INSTALL_DOCDIR} OPTIONAL)
install(FILES ${PROJECT_SOURCE_DIR}/docs/check-json.md ${PROJECT_SOURCE_DIR}/docs/check-json.schema.json
  DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The VS Code extension: every .vsix that editors/ holds, or that the build made in its own
# editors/ folder, when installing.
if(EXISTS ${PROJECT_SOURCE_DIR}/editors)
  install(CODE "
    file(GLOB_RECURSE vsix \"${PROJECT_SOURCE_DIR}/editors/*.vsix\"
      \"${PROJECT_BINARY_DIR}/editors/*.vsix\")
    file(INSTALL \${vsix}
      DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/lintra\")")
endif()
