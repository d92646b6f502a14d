# The CMake package of the library for the projects that embed it: find_package(Lintra CONFIG)
# gives every installed layer as Lintra::NAME (Lintra::platform, Lintra::errors, Lintra::analysis,
# Lintra::control, Lintra::site, Lintra::host), each with its include directory and the layers it
# links. They carry no compile options of ours, so an embedder builds with its own warnings.

include(CMakePackageConfigHelpers)

set(LINTRA_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Lintra)
install(EXPORT LintraTargets NAMESPACE Lintra:: DESTINATION ${LINTRA_PACKAGE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/LintraConfig.cmake.in
  ${PROJECT_BINARY_DIR}/package/LintraConfig.cmake
  INSTALL_DESTINATION ${LINTRA_PACKAGE_DIR})
# Until 1.0 a new minor version may change the library's interface.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/package/LintraConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES
  ${PROJECT_BINARY_DIR}/package/LintraConfig.cmake
  ${PROJECT_BINARY_DIR}/package/LintraConfigVersion.cmake
  DESTINATION ${LINTRA_PACKAGE_DIR})
