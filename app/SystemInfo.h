#pragma once
// The system information the log starts with: the operating system, the memory and the desktop.
#include <cstdint>
#include <string>

struct OsInfo {
  bool known = false;
  std::string sysname, release, version, machine;
};
struct MemoryInfo {
  bool known = false;
  uint64_t physicalFree = 0, physicalTotal = 0, swapFree = 0, swapTotal = 0;
  uint64_t addressSpaceFree = 0, addressSpaceTotal = 0;  // 0 total: no limit
};
struct DesktopInfo {
  bool known = false;
  int width = 0, height = 0, depth = 0;
};

OsInfo QueryOsInfo();
MemoryInfo QueryMemoryInfo();
// Needs the GUI toolkit to be up.
DesktopInfo QueryDesktopInfo();

// The log blocks. The OS class the log reports is always 4 (a system of the NT kind: the cache
// heap may be compacted).
std::string FormatOsInfo(const OsInfo& os);
std::string FormatMemoryInfo(const MemoryInfo& memory);
std::string FormatDesktopInfo(const DesktopInfo& desktop);
// The current load in per cent: the share of physical memory in use.
unsigned MemoryLoadPercent(const MemoryInfo& memory);
