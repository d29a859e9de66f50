#pragma once
// 4x4 matrices of the renderer and the stack under which sub-files are drawn and picked.
#include <cstdint>
#include <vector>

#include "config/Geometry.h"

// Row-major; the translation sits in the fourth column of the first three rows and the bottom row
// is always 0, 0, 0, 1 (the renderer never projects through the matrix).
struct CMatrix4D {
  double m[4][4];

  void SetIdentity();
  // this = a * b for the first three rows; the bottom row is set to 0, 0, 0, 1.
  void Multiply(const CMatrix4D& a, const CMatrix4D& b);
  // Rows 0-2 applied to (x, y, z, 1).
  CVector3 Apply(const CVector3& p) const {
    return {m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z + m[0][3],
            m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z + m[1][3],
            m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z + m[2][3]};
  }
  // The upper-left 3x3 (the key of the part images) and the translation column.
  CMatrix3 GetRotation() const {
    return {m[0][0], m[0][1], m[0][2], m[1][0], m[1][1], m[1][2], m[2][0], m[2][1], m[2][2]};
  }
  CVector3 GetTranslation() const { return {m[0][3], m[1][3], m[2][3]}; }
  static CMatrix4D Identity();
  // A placement: the 3x3 orientation and the position, as in a type 1 line.
  static CMatrix4D FromPlacement(const CMatrix3& rotation, const CVector3& position);
};

class CMatrix4DStack {
 public:
  static constexpr uint32_t kGrowBy = 50;
  // The capacity is a 16-bit count; a push beyond it fails like an exhausted memory would.
  static constexpr uint32_t kMaxCapacity = 65500;

  // Starts with 50 identity matrices and the identity on top; a failed first allocation is fatal.
  CMatrix4DStack();

  // Pushes top * m; 1, or 0 when the stack cannot grow (unchanged then).
  int PushMultiply(const CMatrix4D& m);
  // Pushes a copy of m; 1 or 0 as above.
  int Push(const CMatrix4D& m);
  // Drops the top matrix; the identity at index 0 is never popped (0 then).
  int Pop();
  // Back to the identity alone; the capacity stays.
  void Clear() { m_top = 0; }

  const CMatrix4D& Top() const { return m_block[m_top]; }
  uint32_t GetTopIndex() const { return m_top; }
  uint32_t GetCapacity() const { return static_cast<uint32_t>(m_block.size()); }
  const CMatrix4D& At(uint32_t index) const { return m_block.at(index); }

 private:
  // Makes room for one more matrix; false when it cannot.
  bool Reserve();

  std::vector<CMatrix4D> m_block;
  uint32_t m_top = 0;
};
