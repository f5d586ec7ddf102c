# The release archive a player downloads (`cmake --build build --target package`): the 32-bit
# vorta.exe for Windows and the 64-bit vorta64.exe that the tests run, vorta-replay.exe, all
# without their debug data, the player's README with its pictures and the licences of the fonts
# its lettering was drawn with. No font file ships: the letters are pictures inside the
# executable.

if(NOT VORTA_EXE OR NOT VORTA_EXE32)
  return()
endif()

# The stripped copies each Windows build leaves in its release/ folder.
get_filename_component(win64_dir ${VORTA_EXE} DIRECTORY)
get_filename_component(win32_dir ${VORTA_EXE32} DIRECTORY)
install(PROGRAMS ${win32_dir}/release/vorta.exe DESTINATION .)
install(PROGRAMS ${win64_dir}/release/vorta.exe DESTINATION . RENAME vorta64.exe)
install(PROGRAMS ${win64_dir}/release/vorta-replay.exe DESTINATION .)
# With CR LF line ends: older Notepad shows a file of bare line feeds as one long line.
configure_file(${PROJECT_SOURCE_DIR}/docs/player-readme.txt ${CMAKE_BINARY_DIR}/release-files/README.txt
  @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/release-files/README.txt DESTINATION .)
add_test(NAME release.player_readme_crlf
  COMMAND python3 -c "import sys; b = open(sys.argv[1], 'rb').read(); sys.exit(not (b.count(b'\\n') == b.count(b'\\r\\n') > 0))"
    ${CMAKE_BINARY_DIR}/release-files/README.txt)
# The README's picture of the time slip.
install(FILES ${PROJECT_SOURCE_DIR}/docs/screenshots/time_slip.png DESTINATION . RENAME time-slip.png)
install(FILES ${PROJECT_SOURCE_DIR}/docs/screenshots/ghost.png DESTINATION . RENAME ghost.png)
foreach(package fonts-motoya-l-maruberi fonts-mplus fonts-dejavu-core)
  install(FILES /usr/share/doc/${package}/copyright DESTINATION licences
    RENAME ${package}.txt)
endforeach()
# Motoya's copyright file points at the system's copy of the Apache licence instead of holding it.
install(FILES /usr/share/common-licenses/Apache-2.0 DESTINATION licences
  RENAME Apache-2.0.txt)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME vorta)
set(CPACK_PACKAGE_VERSION 0.75)
set(CPACK_PACKAGE_FILE_NAME vorta-0.75-windows)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/release)
include(CPack)

# The archive as a player gets it: its files, the executables' version and no debug data.
add_test(NAME release.archive COMMAND bash ${PROJECT_SOURCE_DIR}/tests/release/archive_test.sh
  ${CMAKE_BINARY_DIR}/CPackConfig.cmake)
set_tests_properties(release.archive PROPERTIES TIMEOUT 120 LABELS release)
