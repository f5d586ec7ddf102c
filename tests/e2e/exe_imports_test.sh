#!/usr/bin/env bash
# vorta.exe must run on a bare Windows: it may import only DLLs that Windows itself ships,
# never the compiler's runtimes (libstdc++, libgcc, winpthread).
set -u
: "${VORTA_EXE:?}"
objdump=x86_64-w64-mingw32-objdump
imports=$($objdump -p "$VORTA_EXE" | awk '/DLL Name:/ {print tolower($3)}')
[ -n "$imports" ] || { echo "FAIL: no import table read from $VORTA_EXE"; exit 1; }
system_dlls=" kernel32.dll user32.dll gdi32.dll advapi32.dll msvcrt.dll ole32.dll oleaut32.dll
  winmm.dll ddraw.dll dinput.dll dsound.dll imm32.dll shell32.dll version.dll "
status=0
for dll in $imports; do
  case "$system_dlls" in
    *" $dll "*|*" $dll"$'\n'*) ;;
    *) echo "FAIL: vorta.exe imports $dll, which Windows does not ship"; status=1 ;;
  esac
done
echo "imports: $(echo $imports)"
exit $status
