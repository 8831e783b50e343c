# Cross-compiles for 64-bit Windows (PE32+): the build that runs under wine64 on hosts that cannot
# execute 32-bit x86 code.
set(MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
