#pragma once
// The transform commands of the LDLite dialect: "ROTATE", "TRANSLATE", "TRANSFORM" and "SCALE" open
// a transform for every following line until their "END"; "POINT" and "MATRIX" name values. The
// reader keeps one stack per file (or project section) and applies the transform in force to each
// element it makes; the command lines themselves are not kept.
//
// Each stack entry is the whole transform in force, not one step: a point p of a following element
// becomes GetMatrix() * p + GetOffset(). The matrix and offset stacks are independent.
#include <string>
#include <string_view>
#include <vector>

#include "config/Geometry.h"

class CLDLiteOperStack {
 public:
  CLDLiteOperStack() = default;
  virtual ~CLDLiteOperStack();
  CLDLiteOperStack(const CLDLiteOperStack&) = delete;
  CLDLiteOperStack& operator=(const CLDLiteOperStack&) = delete;

  // Empties both stacks and forgets the named points and matrices.
  void Reset();
  // 1 when either stack holds an entry.
  int IsActive() const { return (!m_offsets.empty() || !m_matrices.empty()) ? 1 : 0; }
  CMatrix3 GetMatrix() const;
  CVector3 GetOffset() const;
  // Push GetMatrix() * r, and GetMatrix() * v + GetOffset(); 0 when memory runs out.
  int PushMatrix(const CMatrix3& r);
  int PushOffset(const CVector3& v);

  // The commands, given the text after their keyword: 1 when taken, 0 otherwise (a line error of
  // the reader; a "ROTATE" not taken is read as a rotation step instead).
  int Rotate(std::string_view text);
  int Translate(std::string_view text);
  int Transform(std::string_view text);
  int Scale(std::string_view text);
  int DefinePoint(std::string_view text);
  int DefineMatrix(std::string_view text);

  struct NamedPoint {
    std::string name;  // upper case
    double x, y, z;
  };
  struct NamedMatrix {
    std::string name;  // upper case
    double m[9];       // row order
  };
  const std::vector<NamedPoint>& GetPoints() const { return m_points; }
  const std::vector<NamedMatrix>& GetMatrices() const { return m_namedMatrices; }
  size_t GetOffsetCount() const { return m_offsets.size(); }
  size_t GetMatrixCount() const { return m_matrices.size(); }

 private:
  std::vector<CVector3> m_offsets;
  std::vector<CMatrix3> m_matrices;
  std::vector<NamedPoint> m_points;
  std::vector<NamedMatrix> m_namedMatrices;
};
