# The download for Windows: lintra-VERSION-win64.zip in the build folder, holding a folder of the
# same name with lintra.exe (stripped), README.md and the manual page as plain text (lintra.txt).
# Part of every build of lintra.exe.

set(LINTRA_ZIP_NAME lintra-${PROJECT_VERSION}-win64)
set(LINTRA_ZIP ${PROJECT_BINARY_DIR}/${LINTRA_ZIP_NAME}.zip)
set(stage ${PROJECT_BINARY_DIR}/zip/${LINTRA_ZIP_NAME})
set(manPage ${PROJECT_BINARY_DIR}/man/lintra.1)
find_program(LINTRA_GROFF groff REQUIRED)
add_custom_command(OUTPUT ${LINTRA_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${PROJECT_BINARY_DIR}/zip
  COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:lintra_cli> ${PROJECT_SOURCE_DIR}/README.md ${stage}
  COMMAND ${CMAKE_STRIP} ${stage}/lintra.exe
  COMMAND sh -c "'${LINTRA_GROFF}' -man -Tutf8 -Wbreak -P-cbou '${manPage}' > '${stage}/lintra.txt'"
  COMMAND ${CMAKE_COMMAND} -E chdir ${PROJECT_BINARY_DIR}/zip
    ${CMAKE_COMMAND} -E tar cf ${LINTRA_ZIP} --format=zip ${LINTRA_ZIP_NAME}
  DEPENDS lintra_cli ${PROJECT_SOURCE_DIR}/README.md ${manPage}
  VERBATIM)
add_custom_target(lintra_zip ALL DEPENDS ${LINTRA_ZIP})
