# cmake -DSOURCE_DIR=... -DVERSION=... -DTEMPLATE=... -DOUTPUT=... [-DGIT_EXECUTABLE=...] -P
#
# Writes OUTPUT from TEMPLATE with LINTRA_VERSION_TEXT set to VERSION, followed by the git
# description of SOURCE_DIR when that is the top of a git checkout and git is at hand. The build
# runs it every time, so the description follows commits and edits; OUTPUT is rewritten only when
# its text changes, so a build of the same state compiles nothing again.

set(LINTRA_VERSION_TEXT ${VERSION})
if(GIT_EXECUTABLE)
  execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --show-toplevel
    WORKING_DIRECTORY ${SOURCE_DIR}
    OUTPUT_VARIABLE top OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE failed)
  if(NOT failed)
    # A source tree unpacked inside some other checkout is not described by that checkout.
    file(REAL_PATH "${top}" top)
    file(REAL_PATH "${SOURCE_DIR}" source)
    if(top STREQUAL source)
      execute_process(COMMAND ${GIT_EXECUTABLE} describe --tags --always --dirty
        WORKING_DIRECTORY ${SOURCE_DIR}
        OUTPUT_VARIABLE description OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET
        RESULT_VARIABLE failed)
      if(NOT failed AND description)
        string(APPEND LINTRA_VERSION_TEXT " (git ${description})")
      endif()
    endif()
  endif()
endif()
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
