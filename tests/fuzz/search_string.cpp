// Search expressions come from the user (part search, group rules in the profile): any text must
// compile or be refused, and a compiled program must evaluate without running off its stack.
#include <cstdint>
#include <string>
#include <string_view>

#include "config/SearchString.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  // The first line is the expression, the rest the text it is tested on.
  size_t cut = input.find('\n');
  std::string_view expression = input.substr(0, cut);
  std::string_view text = cut == std::string_view::npos ? std::string_view() : input.substr(cut + 1);
  CSearchString s;
  int rc = s.SetExpression(expression);
  int r1 = s.Evaluate(text, true);
  int r2 = s.Evaluate(text, false);
  if (rc != 0 && (r1 != 3 || r2 != 3)) __builtin_trap();
  if (rc == 0 && (r1 > 1 && r1 != 3)) __builtin_trap();
  return 0;
}
