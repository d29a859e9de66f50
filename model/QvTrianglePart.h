#pragma once
// LDraw line type 3: a filled triangle.
#include "model/QvLinePart.h"

class CQvTrianglePart : public CQvLinePart {
 public:
  CQvTrianglePart() : CQvLinePart(ElementType::Triangle) {}

  std::unique_ptr<CQvPart> Clone() const override;

  void SetVertices(const std::array<float, 9>& xyz) { SetFloats(xyz.data(), 3); }

 protected:
  explicit CQvTrianglePart(ElementType type) : CQvLinePart(type) {}
};
