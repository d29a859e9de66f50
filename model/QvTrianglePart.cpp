#include "model/QvTrianglePart.h"

std::unique_ptr<CQvPart> CQvTrianglePart::Clone() const {
  auto clone = std::make_unique<CQvTrianglePart>();
  CopyBase(*clone);
  clone->m_vertex = m_vertex;
  return clone;
}
