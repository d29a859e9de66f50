#include "render/Matrix4DStack.h"

#include <new>

#include "config/Tracer.h"

CMatrix4D CMatrix4D::Identity() {
  CMatrix4D r;
  r.SetIdentity();
  return r;
}

void CMatrix4D::SetIdentity() {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) m[i][j] = i == j ? 1.0 : 0.0;
}

void CMatrix4D::Multiply(const CMatrix4D& a, const CMatrix4D& b) {
  CMatrix4D r;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 4; ++j)
      r.m[i][j] =
          a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j] + a.m[i][3] * b.m[3][j];
  r.m[3][0] = r.m[3][1] = r.m[3][2] = 0.0;
  r.m[3][3] = 1.0;
  *this = r;
}

CMatrix4D CMatrix4D::FromPlacement(const CMatrix3& rotation, const CVector3& position) {
  CMatrix4D r = Identity();
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) r.m[i][j] = rotation(i, j);
  r.m[0][3] = position.x;
  r.m[1][3] = position.y;
  r.m[2][3] = position.z;
  return r;
}

CMatrix4DStack::CMatrix4DStack() {
  try {
    m_block.assign(kGrowBy, CMatrix4D::Identity());
  } catch (const std::bad_alloc&) {
    theTracer.Fatal("Math4D", "CMatrix4DStack", "Out of memory!\n");
  }
}

bool CMatrix4DStack::Reserve() {
  if (m_top + 1 < m_block.size()) return true;
  const size_t grown = m_block.size() + kGrowBy;
  if (grown > kMaxCapacity) return false;
  try {
    // The new block is identity matrices with the old contents copied over.
    m_block.resize(grown, CMatrix4D::Identity());
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

int CMatrix4DStack::PushMultiply(const CMatrix4D& m) {
  if (!Reserve()) return 0;
  m_block[m_top + 1].Multiply(m_block[m_top], m);
  ++m_top;
  return 1;
}

int CMatrix4DStack::Push(const CMatrix4D& m) {
  if (!Reserve()) return 0;
  m_block[++m_top] = m;
  return 1;
}

int CMatrix4DStack::Pop() {
  if (m_top == 0) return 0;
  --m_top;
  return 1;
}
