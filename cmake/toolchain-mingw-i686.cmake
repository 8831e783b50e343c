# Cross-compiles the setup program for 32-bit Windows (PE32): the setup that ships.
set(MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
