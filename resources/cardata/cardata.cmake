# The CARDATA resource of the Windows build: resources/cardata/cars.txt compiled by the
# host tool cardata_compiler into ${CMAKE_CURRENT_BINARY_DIR}/cardata.bin, which vorta.rc
# names. Sets cardata_bin for the caller.
#
# The native build hands in its own cardata_compiler as VORTA_CARDATA_COMPILER. A Windows
# build configured on its own builds the tool for the host here instead, from the same two
# sources, with the host's C++ compiler.
set(cardata_table ${CMAKE_CURRENT_LIST_DIR}/cars.txt)
set(cardata_bin ${CMAKE_CURRENT_BINARY_DIR}/cardata.bin)

if(VORTA_CARDATA_COMPILER)
  set(cardata_compiler ${VORTA_CARDATA_COMPILER})
else()
  find_program(VORTA_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
  set(cardata_compiler ${CMAKE_CURRENT_BINARY_DIR}/host/cardata_compiler)
  set(cardata_tool_sources
    ${PROJECT_SOURCE_DIR}/tools/cardata/cardata_compiler.cpp
    ${PROJECT_SOURCE_DIR}/tools/cardata/cardata_source.cpp)
  add_custom_command(OUTPUT ${cardata_compiler}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/host
    COMMAND ${VORTA_HOST_CXX} -std=c++17 -O1 -I${PROJECT_SOURCE_DIR} ${cardata_tool_sources}
            -o ${cardata_compiler}
    DEPENDS ${cardata_tool_sources}
      ${PROJECT_SOURCE_DIR}/tools/cardata/cardata_source.h
      ${PROJECT_SOURCE_DIR}/data/car_record.h
      ${PROJECT_SOURCE_DIR}/data/torque_curve.h
    COMMENT "Building cardata_compiler for the host"
    VERBATIM)
endif()

add_custom_command(OUTPUT ${cardata_bin}
  COMMAND ${cardata_compiler} ${cardata_table} ${cardata_bin}
  DEPENDS ${cardata_compiler} ${cardata_table}
  COMMENT "Compiling the car table into cardata.bin"
  VERBATIM)
add_custom_target(vorta_cardata DEPENDS ${cardata_bin})
