// The language scan's catalogue reader over arbitrary bytes: a damaged language pack is refused,
// never read past its end.
#include <cstdint>
#include <string>

#include "imagelib/MoCatalog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tolvo::CMoCatalog catalogue;
  if (catalogue.Parse(std::string(reinterpret_cast<const char*>(data), size))) catalogue.Find("Open");
  return 0;
}
