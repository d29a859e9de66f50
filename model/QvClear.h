#pragma once
// "0 CLEAR": the step-by-step output starts again from here (an empty frame, an emptied export file).
#include "model/QvPart.h"

class CQvClear : public CQvPart {
 public:
  CQvClear() : CQvPart(ElementType::Clear) { stepContent = true; }

  int Write(CTextHandler& out) override;
  // Empties the step's export file by opening it for writing again.
  int Export(ExportContext& ctx, const CVector3& offset, const CMatrix3& matrix,
             ColorNumber parentColor) override;
  int Describe(ElementDescription& out) const override;
  std::unique_ptr<CQvPart> Clone() const override;
};
