#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace endurance {

// The process's private bytes: PrivateUsage of PROCESS_MEMORY_COUNTERS_EX, or
// PagefileUsage, the same figure, where the system leaves PrivateUsage 0 (Wine).
std::uint64_t PrivateBytes();

// What the system says of the process's GDI and USER objects (GetGuiResources); Wine
// answers 0 to both.
struct GuiResources {
  unsigned long gdi = 0;
  unsigned long user = 0;
};
GuiResources SystemGuiResources();

bool UnderWine();

// Where the system gives no count: the live entries of the process's GDI handle table
// (which Wine keeps per process, and which holds the bitmaps of icons and cursors
// too); nothing when the table is not there or does not count what this process
// creates and deletes.
std::optional<long> GdiTableCount();

// The windows of this process: top-level, message-only and all their children.
long WindowCount();

// The processor time, user and kernel, that a process has used; for the reports.
double CpuSeconds(void* process);

// One reading of all of them, for comparison and the report.
struct ResourceReading {
  std::uint64_t privateBytes = 0;
  GuiResources system;
  std::optional<long> gdiTable;
  long windows = 0;
  std::string Text() const;
};
ResourceReading ReadResources();

}  // namespace endurance
