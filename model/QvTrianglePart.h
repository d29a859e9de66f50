#pragma once
// LDraw line type 3: a filled triangle.
#include "model/QvLinePart.h"

class CQvTrianglePart : public CQvLinePart {
 public:
  CQvTrianglePart() : CQvLinePart(ElementType::Triangle) {}

  // Triangles and quadrilaterals are hit by the ray through the point under the stack's top matrix.
  int Pick(const CMatrix4DStack& stack, const CVector3& point, double& depth, int nearest) override;
  std::unique_ptr<CQvPart> Clone() const override;

  void SetVertices(const std::array<float, 9>& xyz) { SetFloats(xyz.data(), 3); }

 protected:
  explicit CQvTrianglePart(ElementType type) : CQvLinePart(type) {}
};
