# The layers of Lintra, one static library each, and the way each exposes its headers.
#
# Every include names its layer's folder ("analysis/File.h"), and no target has the source tree on
# its include path. Instead each target that offers headers gets a folder of its own in the build
# tree holding a single symbolic link, named after the include prefix, to the source folder. That
# folder is the target's include directory, so a target sees exactly the headers of the targets it
# links: an include that reaches up a layer (analysis including "control/Lintra.h") is not found.

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
  target_include_directories(${target} ${scope} ${base})
endfunction()

# lintra_layer(NAME FOLDER [USES LAYER...]): the library lintra_NAME of the .cpp files of FOLDER,
# which offers the headers of FOLDER and of the layers it uses, and nothing else.
function(lintra_layer name folder)
  cmake_parse_arguments(PARSE_ARGV 2 layer "" "" "USES")
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  add_library(lintra_${name} STATIC ${sources})
  lintra_expose_headers(lintra_${name} PUBLIC ${folder})
  foreach(used ${layer_USES})
    target_link_libraries(lintra_${name} PUBLIC lintra_${used})
  endforeach()
endfunction()
