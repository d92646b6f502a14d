# What is installed besides the libraries and the apps themselves: the sample site as
# documentation, and the VS Code extension once there is one.

install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/site DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)

# The VS Code extension: every .vsix that editors/ holds, or that the build made in its own
# editors/ folder, when installing.
if(EXISTS ${PROJECT_SOURCE_DIR}/editors)
  install(CODE "
    file(GLOB_RECURSE vsix \"${PROJECT_SOURCE_DIR}/editors/*.vsix\"
      \"${PROJECT_BINARY_DIR}/editors/*.vsix\")
    if(vsix)
      file(INSTALL \${vsix} DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/lintra\")
    endif()")
endif()
