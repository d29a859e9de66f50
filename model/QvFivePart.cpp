#include "model/QvFivePart.h"

std::unique_ptr<CQvPart> CQvFivePart::Clone() const {
  auto clone = std::make_unique<CQvFivePart>();
  CopyBase(*clone);
  clone->m_vertex = m_vertex;
  return clone;
}
