#include "model/QvStepPart.h"

#include "model/TextHandler.h"

int CQvStepPart::Write(CTextHandler& out) {
  if (!CQvPart::Write(out)) return 0;
  // A ghost step keeps its flag through a save, as the reader takes the prefix back.
  if (ghost && !out.WriteString("0 GHOST ")) return 0;
  return out.WriteString("0 STEP\n");
}

int CQvStepPart::Describe(ElementDescription& out) const {
  out.typeFlags = GetTypeCode();
  if (ghost) {
    out.typeFlags |= kDescribeGhost;
    out.text = "Ghost";
  }
  return 1;
}

std::unique_ptr<CQvPart> CQvStepPart::Clone() const {
  auto clone = std::make_unique<CQvStepPart>();
  CopyBase(*clone);
  return clone;
}
