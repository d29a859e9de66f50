#include "model/QvTrianglePart.h"

#include "render/Matrix4DStack.h"

int CQvTrianglePart::Pick(const CMatrix4DStack& stack, const CVector3& point, double& depth, int) {
  const CMatrix4D& top = stack.Top();
  const CVector3 a = top.Apply(m_vertex[0]), b = top.Apply(m_vertex[1]), c = top.Apply(m_vertex[2]);
  if (VertexCount() == 3) return IntersectRayTriangle(point, a, b, c, depth);
  return IntersectRayQuad(point, a, b, c, top.Apply(m_vertex[3]), depth);
}

std::unique_ptr<CQvPart> CQvTrianglePart::Clone() const {
  auto clone = std::make_unique<CQvTrianglePart>();
  CopyBase(*clone);
  clone->m_vertex = m_vertex;
  return clone;
}
