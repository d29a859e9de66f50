// Reads any bytes as a BMP file through CDib; a picture it accepts must be whole and consistent.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "render/Dib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  FILE* f = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!f) return 0;
  CDib dib;
  if (dib.ReadFromFile(f)) {
    if (dib.GetWidth() <= 0 || dib.GetHeight() <= 0 || !dib.Is24Bit() ||
        static_cast<int64_t>(dib.GetStride()) * dib.GetHeight() + 44 != dib.GetBlockSize() ||
        static_cast<size_t>(dib.GetStride()) * static_cast<size_t>(dib.GetHeight()) > size)
      std::abort();
    // Touch the last byte of the last row.
    volatile uint8_t last = dib.GetRow(dib.GetHeight() - 1)[dib.GetStride() - 1];
    (void)last;
  }
  std::fclose(f);
  return 0;
}
