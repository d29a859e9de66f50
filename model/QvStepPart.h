#pragma once
// "0 STEP": the end of a building step.
#include "model/QvPart.h"

class CQvStepPart : public CQvPart {
 public:
  CQvStepPart() : CQvPart(ElementType::Step) { stepBoundary = true; }

  int Write(CTextHandler& out) override;
  int Describe(ElementDescription& out) const override;
  std::unique_ptr<CQvPart> Clone() const override;
};
