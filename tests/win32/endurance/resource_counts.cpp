#include "resource_counts.h"

#include <windows.h>

#include <psapi.h>
#include <winternl.h>

#include <algorithm>

namespace endurance {
namespace {

// The 64-bit process environment block keeps the address of the GDI handle table here.
constexpr size_t kGdiTableOffset = 0xF8;
// An entry: object address (8), owner (4), unique (2), type (1 of 2), flags, user address (8).
constexpr size_t kGdiEntrySize = 24;
constexpr size_t kGdiEntryTypeOffset = 14;
constexpr size_t kGdiMostEntries = 0x10000;

const unsigned char* GdiTable(size_t& entries) {
  using Query = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
  auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION basic{};
  if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return nullptr;
  auto peb = reinterpret_cast<const unsigned char*>(basic.PebBaseAddress);
  if (!peb) return nullptr;
  auto table = *reinterpret_cast<const unsigned char* const*>(peb + kGdiTableOffset);
  MEMORY_BASIC_INFORMATION region{};
  if (!table || !VirtualQuery(table, &region, sizeof region) || region.State != MEM_COMMIT) return nullptr;
  const size_t reachable =
      static_cast<size_t>(static_cast<const unsigned char*>(region.BaseAddress) + region.RegionSize - table);
  entries = std::min(reachable / kGdiEntrySize, kGdiMostEntries);
  return table;
}

long CountLiveEntries(const unsigned char* table, size_t entries) {
  long live = 0;
  for (size_t i = 0; i < entries; ++i)
    if (table[i * kGdiEntrySize + kGdiEntryTypeOffset] & 0x1F) ++live;
  return live;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<long*>(count);
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return TRUE;
  ++*reinterpret_cast<long*>(count);
  EnumChildWindows(window, CountChild, count);
  return TRUE;
}

}  // namespace

std::uint64_t PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                            sizeof counters))
    return 0;
  // Wine fills only the older part of the counters; its page file usage is the same
  // figure, the process's private memory.
  return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

GuiResources SystemGuiResources() {
  return {GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)};
}

bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

// The table is trusted only under Wine (on Windows it is shared by all processes) and
// only when it sees three brushes come and go.
std::optional<long> GdiTableCount() {
  if (!UnderWine()) return std::nullopt;
  size_t entries = 0;
  const unsigned char* table = GdiTable(entries);
  if (!table) return std::nullopt;
  const long before = CountLiveEntries(table, entries);
  HBRUSH brushes[3];
  for (int i = 0; i < 3; ++i) brushes[i] = CreateSolidBrush(RGB(i, 2 * i, 3 * i));
  const long with = CountLiveEntries(table, entries);
  for (HBRUSH brush : brushes) DeleteObject(brush);
  const long after = CountLiveEntries(table, entries);
  if (with != before + 3 || after != before) return std::nullopt;
  return after;
}

long WindowCount() {
  long count = 0;
  EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&count));
  for (HWND window = nullptr; (window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr));)
    CountTopLevel(window, reinterpret_cast<LPARAM>(&count));
  return count;
}

double CpuSeconds(void* process) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  auto seconds = [](const FILETIME& t) {
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

std::string ResourceReading::Text() const {
  std::string text = "private " + std::to_string(privateBytes) + " bytes, GetGuiResources GDI " +
                     std::to_string(system.gdi) + " USER " + std::to_string(system.user) + ", GDI table " +
                     (gdiTable ? std::to_string(*gdiTable) : std::string("unavailable")) + ", windows " +
                     std::to_string(windows);
  return text;
}

// The private bytes come last: the first look at the GDI handle table brings its pages
// in, 1.5 MB under Wine, which must not count as the program's growth.
ResourceReading ReadResources() {
  ResourceReading reading;
  reading.system = SystemGuiResources();
  reading.gdiTable = GdiTableCount();
  reading.windows = WindowCount();
  reading.privateBytes = PrivateBytes();
  return reading;
}

}  // namespace endurance
