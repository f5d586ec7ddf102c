# The native build drives the Windows builds of the same sources as external projects, hands
# them the host tools they need, and includes their tests in this build's CTest run.

include(ExternalProject)

option(VORTA_BUILD_WIN64 "Cross-build vorta.exe for 64-bit Windows" ON)
option(VORTA_BUILD_WIN32 "Cross-build vorta.exe for 32-bit Windows (compiled, never run here)" ON)
set(VORTA_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix CACHE PATH "Private Wine prefix")

function(vorta_windows_build name toolchain)
  set(binary_dir ${CMAKE_BINARY_DIR}/${name})
  set(host_tool_args "")
  set(host_tool_targets "")
  if(TARGET cardata_compiler)
    set(host_tool_args -DVORTA_CARDATA_COMPILER=$<TARGET_FILE:cardata_compiler>)
    set(host_tool_targets cardata_compiler)
  endif()
  ExternalProject_Add(${name}
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${binary_dir}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/${toolchain}
      -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
      ${host_tool_args}
      -DVORTA_WINEPREFIX=${VORTA_WINEPREFIX}
      ${ARGN}
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    USES_TERMINAL_BUILD ON
    DEPENDS ${host_tool_targets})
  set(vorta_${name}_dir ${binary_dir} PARENT_SCOPE)
endfunction()

if(VORTA_BUILD_WIN64)
  vorta_windows_build(win64 toolchain-mingw-x86_64.cmake)
  # The Windows build's own CTest file registers its tests with the Wine emulator.
  file(WRITE ${CMAKE_BINARY_DIR}/win64-tests.cmake "subdirs(\"${vorta_win64_dir}\")\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${CMAKE_BINARY_DIR}/win64-tests.cmake)
  set(VORTA_EXE ${vorta_win64_dir}/vorta.exe)
endif()

# The same sources for 32-bit Windows, where DirectX 6's Direct3D is complete on every version;
# the Windows-side tests are compiled with it, but none of it can run on this machine (no
# 32-bit support in its kernel), so its tests are not registered.
if(VORTA_BUILD_WIN32)
  vorta_windows_build(win32 toolchain-mingw-i686.cmake)
  set(VORTA_EXE32 ${vorta_win32_dir}/vorta.exe)
endif()
