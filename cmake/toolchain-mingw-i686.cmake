# 32-bit Windows with Debian's mingw-w64 (GCC, posix thread model). Nothing built with it runs
# here: the machine's kernel has no 32-bit support, and Wine runs 32-bit programs only through
# 32-bit Linux code.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VORTA_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
