# The header-only libraries of a cross build (CLI11, nlohmann-json, toml++), taken from the build
# machine's Debian packages one folder at a time: a folder of links below the build folder holds
# just those three, so the machine's own C library headers beside them in /usr/include never
# reach the cross compiler. Each gets the imported target its CMake package would give.
# Debian builds toml++ as a shared library for the machine itself; here it is used header-only.

set(LINTRA_HOST_HEADERS /usr/include CACHE PATH
  "Where the build machine's packages installed CLI11, nlohmann-json and toml++")
set(LINTRA_CROSS_HEADERS ${PROJECT_BINARY_DIR}/cross-headers)

# lintra_cross_headers(TARGET FOLDER): the interface target TARGET, whose include directory
# shows LINTRA_HOST_HEADERS/FOLDER as FOLDER and nothing else.
function(lintra_cross_headers target folder)
  if(NOT IS_DIRECTORY ${LINTRA_HOST_HEADERS}/${folder})
    message(FATAL_ERROR "${LINTRA_HOST_HEADERS}/${folder} not found: run scripts/setup")
  endif()
  file(MAKE_DIRECTORY ${LINTRA_CROSS_HEADERS})
  file(CREATE_LINK ${LINTRA_HOST_HEADERS}/${folder} ${LINTRA_CROSS_HEADERS}/${folder} SYMBOLIC)
  add_library(${target} INTERFACE IMPORTED)
  target_include_directories(${target} SYSTEM INTERFACE ${LINTRA_CROSS_HEADERS})
endfunction()

lintra_cross_headers(CLI11::CLI11 CLI)
lintra_cross_headers(nlohmann_json::nlohmann_json nlohmann)
lintra_cross_headers(tomlplusplus::tomlplusplus toml++)
