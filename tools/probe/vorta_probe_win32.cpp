// Looks at a running vorta.exe from outside, as a player's system would see it:
//
//   vorta_probe msgbox <ms>   waits for a message box, prints "caption<TAB>text" in UTF-8 and
//                             presses its OK button; exit 1 when none came in time
//   vorta_probe alive <ms>    exit 0 when the game window answers a message within <ms>: its
//                             loop handles messages once per frame, so a frame loop that stopped
//                             for that long fails
//   vorta_probe cover <ms>    another program taking the screen: a topmost window over the
//                             whole screen takes the focus, stays <ms> and goes away again
//   vorta_probe hold <file> <ms>
//                             another program holding a file: opens it without sharing,
//                             prints "held" and lets it go after <ms>
//   vorta_probe stats         prints "handles=<n> gdi_objects=<n> working_set_kb=<n>
//                             private_kb=<n> committed_kb=<n> display_mode=<n>" of vorta.exe
//                             (what each figure is under Wine: at PrintStats; the display mode
//                             as the game names it, 1 a window, 2 full screen, 0 not known)
//
// Runs under Wine beside the game, in the same prefix and on the same X server.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include "app/win_globals.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {
const wchar_t kGameTitle[] = L"vorta ~Mark Q~ Ver0.75";

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
  out.resize(static_cast<size_t>(size) - 1);
  return out;
}

BOOL CALLBACK FindStaticText(HWND child, LPARAM context) {
  wchar_t name[32] = {};
  GetClassNameW(child, name, 32);
  if (lstrcmpiW(name, L"Static") == 0) {
    wchar_t text[512] = {};
    GetWindowTextW(child, text, 512);
    if (text[0] != 0) *reinterpret_cast<std::wstring*>(context) = text;
  }
  return TRUE;
}

BOOL CALLBACK FindMessageBox(HWND candidate, LPARAM context) {
  wchar_t name[32] = {};
  GetClassNameW(candidate, name, 32);
  if (lstrcmpW(name, L"#32770") != 0 || !IsWindowVisible(candidate)) return TRUE;
  *reinterpret_cast<HWND*>(context) = candidate;
  return FALSE;
}

int AnswerMessageBox(DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeoutMs) {
    HWND box = nullptr;
    EnumWindows(&FindMessageBox, reinterpret_cast<LPARAM>(&box));
    if (box != nullptr) {
      wchar_t caption[256] = {};
      GetWindowTextW(box, caption, 256);
      std::wstring text;
      EnumChildWindows(box, &FindStaticText, reinterpret_cast<LPARAM>(&text));
      std::printf("%s\t%s\n", Utf8(caption).c_str(), Utf8(text).c_str());
      std::fflush(stdout);
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      return 0;
    }
    Sleep(50);
  }
  return 1;
}

// The window answers its messages while it stands, as any program's would; closing it hands
// the activation back to whatever window the system picks next, as on a player's desktop.
int CoverScreen(DWORD timeoutMs) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = L"vorta_cover";
  if (RegisterClassW(&windowClass) == 0) return 2;
  HWND cover = CreateWindowExW(WS_EX_TOPMOST, L"vorta_cover", L"cover", WS_POPUP | WS_VISIBLE, 0,
                               0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                               nullptr, nullptr, windowClass.hInstance, nullptr);
  if (cover == nullptr) return 2;
  SetForegroundWindow(cover);
  const DWORD start = GetTickCount();
  MSG message;
  while (GetTickCount() - start < timeoutMs) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(10);
  }
  DestroyWindow(cover);
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  return 0;
}

int HoldFile(const char* path, DWORD timeoutMs) {
  HANDLE file = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return 2;
  std::printf("held\n");
  std::fflush(stdout);
  Sleep(timeoutMs);
  CloseHandle(file);
  return 0;
}

int CheckAlive(DWORD timeoutMs) {
  HWND game = FindWindowW(L"tobrel", kGameTitle);
  if (game == nullptr) {
    std::printf("no game window\n");
    return 2;
  }
  DWORD_PTR result = 0;
  if (SendMessageTimeoutW(game, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result) == 0) {
    std::printf("no answer within %lu ms\n", static_cast<unsigned long>(timeoutMs));
    return 1;
  }
  return 0;
}

// The process list of the system carries each process's handle count; Wine fills it from its
// server, where GetProcessHandleCount answers nothing.
DWORD HandleCountOf(DWORD pid) {
  using QueryFunction = LONG(WINAPI*)(int, void*, ULONG, ULONG*);
  auto query = reinterpret_cast<QueryFunction>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  if (query == nullptr) return 0;
  std::vector<unsigned char> buffer(1 << 20);
  ULONG needed = 0;
  constexpr int kSystemProcessInformation = 5;
  if (query(kSystemProcessInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed) != 0) {
    return 0;
  }
  for (size_t offset = 0;;) {
    const auto* process = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(buffer.data() + offset);
    if (static_cast<DWORD>(reinterpret_cast<uintptr_t>(process->UniqueProcessId)) == pid) {
      return process->HandleCount;
    }
    if (process->NextEntryOffset == 0) return 0;
    offset += process->NextEntryOffset;
  }
}

// GDI's handle table, which Windows and Wine alike map into each process and name in its PEB
// (GdiSharedHandleTable): in 64-bit processes 24-byte entries, of which those with a type are
// objects in use.
struct GdiHandleEntry {
  uint64_t object;
  uint32_t owner;
  uint16_t unique;
  uint8_t type;
  uint8_t flags;
  uint64_t user_pointer;
};
static_assert(sizeof(GdiHandleEntry) == 24, "GDI handle table entry");
constexpr size_t kGdiHandleEntries = 0x10000;
constexpr size_t kPebGdiSharedHandleTable = 0xF8;  // offset in the 64-bit PEB

// The GDI objects the process holds. GetGuiResources counts them on Windows; under Wine it
// answers nothing (ERROR_CALL_NOT_IMPLEMENTED), so the process's own handle table is counted
// instead, which under Wine holds that process's objects only.
DWORD GdiObjectsOf(HANDLE process) {
  const DWORD counted = GetGuiResources(process, GR_GDIOBJECTS);
  if (counted != 0 || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return counted;
#if !defined(_WIN64)
  return 0;  // a 32-bit probe, which cannot run here, looks at no 64-bit table
#else
  PROCESS_BASIC_INFORMATION basic = {};
  ULONG size = 0;
  using QueryFunction = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
  auto query = reinterpret_cast<QueryFunction>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  if (query == nullptr ||
      query(process, ProcessBasicInformation, &basic, sizeof basic, &size) != 0) {
    return 0;
  }
  const void* table = nullptr;
  SIZE_T read = 0;
  if (!ReadProcessMemory(process, reinterpret_cast<const char*>(basic.PebBaseAddress) +
                                      kPebGdiSharedHandleTable,
                         &table, sizeof table, &read) ||
      table == nullptr) {
    return 0;
  }
  std::vector<GdiHandleEntry> entries(kGdiHandleEntries);
  if (!ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof entries[0],
                         &read)) {
    return 0;
  }
  DWORD used = 0;
  for (const GdiHandleEntry& entry : entries) used += entry.type != 0;
  return used;
#endif
}

// Walks the process's address space: what the program and the Windows DLLs it calls allocated.
SIZE_T CommittedPrivateBytes(HANDLE process) {
  SIZE_T total = 0;
  MEMORY_BASIC_INFORMATION region;
  const char* address = nullptr;
  while (VirtualQueryEx(process, address, &region, sizeof region) == sizeof region) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    if (next <= address) break;
    address = next;
  }
  return total;
}

int PrintStats() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 2;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof entry;
  DWORD pid = 0;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    if (_wcsicmp(entry.szExeFile, L"vorta.exe") == 0) pid = entry.th32ProcessID;
  }
  CloseHandle(snapshot);
  if (pid == 0) {
    std::printf("no vorta.exe\n");
    return 1;
  }
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (process == nullptr) return 2;
  // handles: the kernel objects the process holds open, as Wine's server counts them.
  const DWORD handles = HandleCountOf(pid);
  const DWORD gdiObjects = GdiObjectsOf(process);
  // Private bytes: the commit charge, PagefileUsage (PrivateUsage is the same figure on
  // Windows; Wine leaves it 0). Wine reports the Linux process's anonymous resident memory and
  // swap there (/proc/<pid>/status: RssAnon + VmSwap), which includes what the host's OpenGL
  // driver allocates beside Wine. The working set is the Linux resident set (VmRSS).
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process, &memory, sizeof memory);
  // The private memory committed in the process's Windows address space: what the game and
  // the Windows DLLs it calls allocated, without the host driver's memory.
  const SIZE_T committed = CommittedPrivateBytes(process);
  CloseHandle(process);
  // The mode the game says it runs in, for the record: Wine's memory for the display does not
  // always follow it.
  const HWND game = FindWindowW(L"tobrel", kGameTitle);
  const intptr_t displayMode =
      game != nullptr ? reinterpret_cast<intptr_t>(GetPropA(game, kDisplayModeProperty)) : 0;
  std::printf("handles=%lu gdi_objects=%lu working_set_kb=%lu private_kb=%lu committed_kb=%lu"
              " display_mode=%d\n",
              static_cast<unsigned long>(handles), static_cast<unsigned long>(gdiObjects),
              static_cast<unsigned long>(memory.WorkingSetSize / 1024),
              static_cast<unsigned long>(memory.PagefileUsage / 1024),
              static_cast<unsigned long>(committed / 1024), static_cast<int>(displayMode));
  return 0;
}
}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  const DWORD timeoutMs = argc > 2 ? static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)) : 5000;
  if (command == "msgbox") return AnswerMessageBox(timeoutMs);
  if (command == "alive") return CheckAlive(timeoutMs);
  if (command == "stats") return PrintStats();
  if (command == "cover") return CoverScreen(timeoutMs);
  if (command == "hold" && argc > 3) {
    return HoldFile(argv[2], static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10)));
  }
  std::fprintf(stderr,
               "usage: vorta_probe msgbox <ms> | alive <ms> | cover <ms> | hold <file> <ms> |"
               " stats\n");
  return 2;
}
