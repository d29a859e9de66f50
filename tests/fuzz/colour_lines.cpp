// Colour definitions of model files: "0 !COLOUR" and legacy "0 COLOR" lines from untrusted files.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "config/ColorTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  CColorTable table;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    table.ParseLDConfigColour(line);
    table.ParseColorMeta(line);
    start = end + 1;
  }
  std::vector<std::string> lines;
  table.WriteColourDefinitions(lines);
  // What the writer wrote must read back.
  CColorTable back;
  for (const std::string& line : lines)
    if (!back.ParseLDConfigColour(line)) __builtin_trap();
  return 0;
}
