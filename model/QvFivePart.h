#pragma once
// LDraw line type 5: the conditional line from vertex 1 to vertex 2, drawn only when its control
// points (vertices 3 and 4) lie on the same side of it on screen. It is read, written, moved and
// turned like a quadrilateral, but it is never hit by a pick and its outline is its two end points.
#include "model/QvQuadPart.h"

class CQvFivePart : public CQvQuadPart {
 public:
  CQvFivePart() : CQvQuadPart(ElementType::CondLine) {}

  int Pick(const CMatrix4DStack&, const CVector3&, double&, int) override { return 0; }
  std::unique_ptr<CQvPart> Clone() const override;
};
