# Cross-builds for 64-bit Windows with Debian's MinGW-w64 compiler (g++-mingw-w64-x86-64-posix:
# the POSIX thread model, so that std::thread and std::mutex work). Programs link the C and C++
# runtimes statically, so one .exe runs on a clean Windows. Tests run the .exe under Wine
# (wine64), quietly and in a Wine prefix of the build folder's own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(LINTRA_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${LINTRA_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LINTRA_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${LINTRA_MINGW_TRIPLET}-windres)

# Headers and libraries come from the MinGW tree only; programs run at build time are the host's.
set(CMAKE_FIND_ROOT_PATH /usr/${LINTRA_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# GCC 12 warns of overlapping copies inside libstdc++'s own std::string code at -O2 that cannot
# happen (GCC bug 105329), which would fail the strict build.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

set(CMAKE_CROSSCOMPILING_EMULATOR
  env WINEDEBUG=-all WINEPREFIX=${CMAKE_BINARY_DIR}/wine /usr/lib/wine/wine64)
