#pragma once
// LDraw line type 4: a filled quadrilateral; the renderer splits it into triangles.
#include "model/QvTrianglePart.h"

class CQvQuadPart : public CQvTrianglePart {
 public:
  CQvQuadPart() : CQvTrianglePart(ElementType::Quad) {}

  std::unique_ptr<CQvPart> Clone() const override;

  // Also serves the conditional line (vertices 3 and 4 are its control points).
  void SetVertices(const std::array<float, 12>& xyz) { SetFloats(xyz.data(), 4); }

 protected:
  explicit CQvQuadPart(ElementType type) : CQvTrianglePart(type) {}
};
