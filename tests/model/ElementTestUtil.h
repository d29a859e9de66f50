#pragma once
// Small helpers shared by the element tests.
#include <memory>
#include <string>

#include "model/QvFivePart.h"
#include "model/QvPart.h"
#include "model/TextHandler.h"

// Everything the element writes, lines joined.
inline std::string WrittenText(CQvPart& element, int* result = nullptr) {
  CArrayTextHandler out;
  int r = element.Write(out);
  if (result) *result = r;
  std::string text;
  for (const std::string& line : out.GetLines()) text += line;
  return text;
}

// A sink whose writes fail from the n-th one on (counting from 1).
class CFailingTextHandler : public CTextHandler {
 public:
  explicit CFailingTextHandler(int failFrom) : CTextHandler(1), m_failFrom(failFrom) {}
  bool ReadLine(std::string&, size_t) override { return false; }
  void Rewind() override {}
  int WriteString(const std::string& text) override {
    if (++writes >= m_failFrom) return 0;
    written += text;
    return 1;
  }
  int Close() override { return 1; }
  int OpenForWrite(const std::string&) override { return 1; }

  int writes = 0;
  std::string written;

 private:
  int m_failFrom;
};

// The primitive of a type 2-5 line, parsed from it.
inline std::unique_ptr<CQvLinePart> ParsedPrimitive(const std::string& line) {
  std::unique_ptr<CQvLinePart> p;
  switch (line[0]) {
    case '2':
      p = std::make_unique<CQvLinePart>();
      break;
    case '3':
      p = std::make_unique<CQvTrianglePart>();
      break;
    case '4':
      p = std::make_unique<CQvQuadPart>();
      break;
    default:
      p = std::make_unique<CQvFivePart>();
      break;
  }
  p->Parse(line);
  return p;
}
