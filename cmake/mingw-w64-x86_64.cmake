# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the package
# g++-mingw-w64-x86-64-posix, which brings windres with its binutils):
#   cmake -B build-windows --toolchain cmake/mingw-w64-x86_64.cmake
# Programs built for Windows that the build itself runs (the texture and
# icon generators) and the tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLET x86_64-w64-mingw32)

# The posix thread model, which Debian's other MinGW-w64 packages build with.
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)

# Libraries and headers from the MinGW tree, and from whatever else is put
# on CMAKE_FIND_ROOT_PATH (freeglut built for Windows); programs from here.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(WINE wine)
if(WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE})
endif()
