#include "app/SystemInfo.h"

#include <sys/resource.h>
#include <sys/sysinfo.h>
#include <sys/utsname.h>
#include <wx/gdicmn.h>

#include "platform/Numbers.h"

OsInfo QueryOsInfo() {
  OsInfo info;
  struct utsname u;
  if (uname(&u) == 0) {
    info.known = true;
    info.sysname = u.sysname;
    info.release = u.release;
    info.version = u.version;
    info.machine = u.machine;
  }
  return info;
}

MemoryInfo QueryMemoryInfo() {
  MemoryInfo m;
  struct sysinfo s;
  if (sysinfo(&s) == 0) {
    m.known = true;
    uint64_t unit = s.mem_unit ? s.mem_unit : 1;
    m.physicalTotal = uint64_t(s.totalram) * unit;
    m.physicalFree = (uint64_t(s.freeram) + uint64_t(s.bufferram)) * unit;
    m.swapTotal = uint64_t(s.totalswap) * unit;
    m.swapFree = uint64_t(s.freeswap) * unit;
  }
  struct rlimit limit;
  if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
    m.addressSpaceTotal = m.addressSpaceFree = limit.rlim_cur;
  return m;
}

DesktopInfo QueryDesktopInfo() {
  DesktopInfo d;
  wxSize size = wxGetDisplaySize();
  if (size.x > 0 && size.y > 0) {
    d.known = true;
    d.width = size.x;
    d.height = size.y;
    d.depth = wxDisplayDepth();
  }
  return d;
}

std::string FormatOsInfo(const OsInfo& os) {
  std::string text = "Operating System Info\n";
  if (!os.known) return text + "  Operating System     : UNKNOWN\n";
  text += StrPrintf("  System               : %s\n", os.sysname.c_str());
  text += StrPrintf("  Release              : %s\n", os.release.c_str());
  text += StrPrintf("  Version              : %s\n", os.version.c_str());
  text += StrPrintf("  Machine              : %s\n", os.machine.c_str());
  text += StrPrintf("  Operating System     : %s %s\n", os.sysname.c_str(), os.release.c_str());
  return text;
}

unsigned MemoryLoadPercent(const MemoryInfo& m) {
  if (m.physicalTotal == 0 || m.physicalFree >= m.physicalTotal) return 0;
  return static_cast<unsigned>((m.physicalTotal - m.physicalFree) * 100 / m.physicalTotal);
}

std::string FormatMemoryInfo(const MemoryInfo& m) {
  std::string text = "\nMemory Info:\n";
  if (!m.known) return text + "  Not available\n";
  auto line = [](const char* name, uint64_t free, uint64_t total) {
    return StrPrintf("  %s: %llu of %llu available\n", name, static_cast<unsigned long long>(free),
                     static_cast<unsigned long long>(total));
  };
  text += line("Physical Memory", m.physicalFree, m.physicalTotal);
  text += line("Paging File    ", m.swapFree, m.swapTotal);
  if (m.addressSpaceTotal)
    text += line("Virtual Memory ", m.addressSpaceFree, m.addressSpaceTotal);
  else
    text += "  Virtual Memory : unlimited\n";
  text += StrPrintf("  Current Load   : %u%%\n", MemoryLoadPercent(m));
  return text;
}

std::string FormatDesktopInfo(const DesktopInfo& d) {
  std::string text = "\nDesktop Info:\n";
  if (!d.known) return text + "  Not available\n";
  text += StrPrintf("  Resolution: %d x %d\n", d.width, d.height);
  text += "  Planes : 1\n";
  // The colour depth in bits: 2^bits overflows 32 bits on today's 32-bit displays.
  text += StrPrintf("  Depth  : %d bits\n", d.depth);
  return text;
}
