// The binary colour file Plandor.cfg as it may be found on disk: any bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "config/ColorTable.h"
#include "config/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  bytes.push_back(0);  // fmemopen wants a non-empty buffer
  FILE* stream = fmemopen(bytes.data(), size == 0 ? 1 : size, "rb");
  if (!stream) return 0;
  if (size == 0) std::fgetc(stream);
  CTqBaseSettings settings;
  settings.LoadColorFile(stream);
  std::fclose(stream);
  // Every name read stays within its field.
  for (const ColorEntry& e : theDefaultColors)
    if (strnlen(e.name, sizeof(e.name)) > 40) __builtin_trap();
  return 0;
}
