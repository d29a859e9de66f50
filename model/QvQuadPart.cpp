#include "model/QvQuadPart.h"

std::unique_ptr<CQvPart> CQvQuadPart::Clone() const {
  auto clone = std::make_unique<CQvQuadPart>();
  CopyBase(*clone);
  clone->m_vertex = m_vertex;
  return clone;
}
