# The Debian package: `cpack -G DEB` in the build folder makes lintra_VERSION_ARCH.deb of
# everything the build installs, below /usr. dpkg-shlibdeps (from dpkg-dev) computes its
# dependencies on shared libraries.

set(LINTRA_PACKAGE_MAINTAINER
  "Lintra maintainers <maintainers@users.noreply.c-seed-4ae44634.example>"
  CACHE STRING "The Maintainer of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lintra)
set(CPACK_PACKAGE_CONTACT ${LINTRA_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "analyse the server-side includes of classic ASP sites")
set(CPACK_PACKAGE_DESCRIPTION
  "Lintra builds the tree of every file each page of a classic ASP site pulls in through its
include directives, flags missing files, circular includes and duplicate includes, expands
pages in place and tells which pages depend on files that changed. The package holds the
command line lintra (text, JSON and SARIF reports), the desktop app lintra-gui when it was
built, and the library for C++ programs that embed the analysis (find_package(Lintra)).")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
if(TARGET lintra_gui)
  # Qt loads its platform plugins at run time, where dpkg-shlibdeps does not see them.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
endif()
include(CPack)
