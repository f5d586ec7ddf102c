# Warnings and floating-point rules shared by every target of the game.
#
# The car model and the records are specified to the last digit, so every build must do the
# same IEEE arithmetic: no fused multiply-add contraction, no fast-math.

option(VORTA_SANITIZE "Build the native core and its tests with ASan and UBSan" OFF)

# For programs that use fontconfig under LeakSanitizer (the art generator and its tests).
set(VORTA_LSAN_ENV "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_LIST_DIR}/lsan-suppressions.txt")

function(vorta_compile_options target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wno-unused-parameter -ffp-contract=off)
  if(VORTA_SANITIZE AND NOT WIN32)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
      -fno-sanitize-recover=undefined)
    target_link_options(${target} PUBLIC -fsanitize=address,undefined)
  endif()
endfunction()
