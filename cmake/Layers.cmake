# The layers of Lintra, one static library each, and the way each exposes its headers.
#
# Every include names its layer's folder ("analysis/File.h"), and no target has the source tree on
# its include path. Instead each target that offers headers gets a folder of its own in the build
# tree holding a single symbolic link, named after the include prefix, to the source folder. That
# folder is the target's include directory, so a target sees exactly the headers of the targets it
# links: an include that reaches up a layer (analysis including "control/Lintra.h") is not found.
#
# Installed, the headers of every layer stand below include/lintra in their folders
# (include/lintra/analysis/File.h), which is the include directory of each installed layer, so the
# same includes find them; the package exports layer NAME as Lintra::NAME (see cmake/Package.cmake).

include(GNUInstallDirs)

# lintra_expose_headers(TARGET SCOPE FOLDER [AS PREFIX]): gives TARGET the include directory,
# with SCOPE (PUBLIC, PRIVATE or INTERFACE), through which "PREFIX/X.h" names FOLDER/X.h. FOLDER
# is relative to the project's source folder, and PREFIX is FOLDER unless given.
function(lintra_expose_headers target scope folder)
  cmake_parse_arguments(PARSE_ARGV 3 expose "" "AS" "")
  set(prefix ${folder})
  if(expose_AS)
    set(prefix ${expose_AS})
  endif()
  set(base ${PROJECT_BINARY_DIR}/include/${target})
  get_filename_component(parent ${base}/${prefix} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${base}/${prefix} SYMBOLIC)
  target_include_directories(${target} ${scope} $<BUILD_INTERFACE:${base}>)
endfunction()

# lintra_system_sources(LIST): leaves out of the sources in LIST those of other systems: a file
# named *Windows.cpp is built for Windows only, a file named *Posix.cpp for every other system.
function(lintra_system_sources list)
  set(sources ${${list}})
  if(WIN32)
    list(FILTER sources EXCLUDE REGEX "Posix\\.cpp$")
  else()
    list(FILTER sources EXCLUDE REGEX "Windows\\.cpp$")
  endif()
  set(${list} ${sources} PARENT_SCOPE)
endfunction()

# lintra_layer(NAME FOLDER [USES LAYER...]): the library lintra_NAME of the .cpp files of FOLDER,
# which offers the headers of FOLDER and of the layers it uses, and nothing else. It is installed
# with its headers into the export set LintraTargets.
function(lintra_layer name folder)
  cmake_parse_arguments(PARSE_ARGV 2 layer "" "" "USES")
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  lintra_system_sources(sources)
  add_library(lintra_${name} STATIC ${sources})
  lintra_expose_headers(lintra_${name} PUBLIC ${folder})
  target_compile_features(lintra_${name} PUBLIC cxx_std_20)
  foreach(used ${layer_USES})
    target_link_libraries(lintra_${name} PUBLIC lintra_${used})
  endforeach()
  lintra_install_layer(${name} ${folder})
endfunction()

# lintra_install_layer(NAME FOLDER): installs the library lintra_NAME as Lintra::NAME and the
# headers of FOLDER below include/lintra/FOLDER.
function(lintra_install_layer name folder)
  set_target_properties(lintra_${name} PROPERTIES EXPORT_NAME ${name})
  target_include_directories(lintra_${name}
    PUBLIC $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/lintra>)
  install(TARGETS lintra_${name} EXPORT LintraTargets)
  file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.h)
  install(FILES ${headers} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/lintra/${folder})
endfunction()
