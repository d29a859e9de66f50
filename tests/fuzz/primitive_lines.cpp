// Line primitives, rotation steps and LDLite commands from untrusted model text. Every line that a
// primitive or a rotation step accepts must be written so that it reads back to the same text.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "model/LDLiteOperStack.h"
#include "model/QvFivePart.h"
#include "model/QvRotateCmd.h"
#include "model/TextHandler.h"

namespace {
std::string Written(CQvPart& element) {
  CArrayTextHandler out;
  element.Write(out);
  std::string text;
  for (const std::string& line : out.GetLines()) text += line;
  return text;
}

std::unique_ptr<CQvLinePart> Make(int kind) {
  switch (kind) {
    case 0:
      return std::make_unique<CQvLinePart>();
    case 1:
      return std::make_unique<CQvTrianglePart>();
    case 2:
      return std::make_unique<CQvQuadPart>();
    default:
      return std::make_unique<CQvFivePart>();
  }
}

void Line(const std::string& line, CLDLiteOperStack& stack) {
  for (int kind = 0; kind < 4; ++kind) {
    auto p = Make(kind);
    try {
      p->Parse(line);
    } catch (const CParseError&) {
      continue;
    }
    const std::string text = Written(*p);
    auto back = Make(kind);
    back->Parse(text);  // throws (and so fails) when the written line does not read
    if (Written(*back) != text) __builtin_trap();
    // The transforms in force must not crash whatever they do to the numbers.
    p->ApplyTransform(stack.GetMatrix(), stack.GetOffset());
    ScreenPoint pt;
    ScreenRect rect;
    p->GetScreenExtent(pt, rect, stack.GetMatrix());
    p->Move(1, 2, 3, kMoveGrid, 0, 0, 0);
    p->Rotate(stack.GetMatrix(), CVector3(1, 1, 1), kRotateAboutCenter);
    (void)p->GetCenter();
  }
  try {
    CQvRotateCmd cmd(line);
    const std::string text = Written(cmd);
    CQvRotateCmd back;
    back.Parse(text);
    if (Written(back) != text) __builtin_trap();
  } catch (const CParseError&) {
  }
  stack.Rotate(line);
  stack.Translate(line);
  stack.Transform(line);
  stack.Scale(line);
  stack.DefinePoint(line);
  stack.DefineMatrix(line);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  CLDLiteOperStack stack;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    Line(text.substr(start, end - start), stack);
    start = end + 1;
  }
  return 0;
}
