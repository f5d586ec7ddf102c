set(CMAKE_C_COMPILER ${VORTA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VORTA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VORTA_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VORTA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Only DLLs that Windows itself ships may be imported: the C and C++ runtimes go in whole.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

