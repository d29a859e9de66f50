#pragma once
// LDraw line type 2: a line between two points. It is also the base of the other primitives
// (triangle, quadrilateral, conditional line): every operation is written once here and widened by
// the number of vertices a class uses, so the four classes only say how many vertices they have and
// which of them count for which operation.
#include <array>
#include <memory>
#include <string>

#include "model/QvPart.h"

class CQvLinePart : public CQvPart {
 public:
  CQvLinePart() : CQvLinePart(ElementType::Line) {}

  void Move(double dx, double dy, double dz, int mode, double gx, double gy, double gz) override;
  // Touching counts as meeting; the conditional line tests its end points only.
  int IntersectsRect(const CMatrix4DStack& stack, const ScreenRect& rect) override;
  int CanEdit() const override { return 1; }
  // The primitive dialog; OK copies every coordinate back in single precision and returns 2.
  int Edit(CQvFile& owner) override;
  void MoveVertex(int index, double dx, double dy, double dz) override;
  int Write(CTextHandler& out) override;
  // Writes the line placed by the matrix and offset, colours resolved; the write's result.
  int Export(ExportContext& ctx, const CVector3& offset, const CMatrix3& matrix,
             ColorNumber parentColor) override;
  void Rotate(CMatrix3 matrix, const CVector3& center, int mode) override;
  int Describe(ElementDescription& out) const override;
  std::unique_ptr<CQvPart> Clone() const override;
  void ApplyTransform(const CMatrix3& matrix, const CVector3& offset) override;
  void TransformVertices(const CMatrix3& matrix, const CVector3& offset) override;
  void GetScreenExtent(ScreenPoint& point, ScreenRect& rect, const CMatrix3& view) override;
  // Reads "<type> <colour> <x y z per vertex> [ignored text]"; the colour is decimal or, failing
  // that, hexadecimal. Throws CParseError for a line with too few numbers or a bad colour.
  int Parse(const std::string& line) override;
  void ExtendBoundingBox(const CVector3& offset, const CMatrix3& matrix, CVector3& min, CVector3& max,
                         int flag) override;
  void CollectExtentPoints(const CMatrix3& matrix, const CVector3& offset, std::vector<CVector3>& out) override;
  void Draw(C3DStub& renderer, PickId pickId, const DrawContext& ctx) override;

  // x, y, z of vertices 1 and 2 (from the primitive dialog).
  void SetVertices(const std::array<float, 6>& xyz) { SetFloats(xyz.data(), 2); }
  // The selection handle of vertex index + 1 on screen: a 5x5 square around its projection.
  void GetVertexScreenRect(int index, ScreenPoint& point, ScreenRect& rect, const CMatrix3& view) const;
  // Centre of the box of the outline vertices: the rotation centre of a selected primitive.
  CVector3 GetCenter() const;

  const CVector3& GetVertex(int index) const { return m_vertex[index]; }
  void SetVertex(int index, const CVector3& v) { m_vertex[index] = v; }
  // The LDraw line type written for this class (2 to 5).
  int LineType() const { return GetTypeCode() - ToCode(ElementType::Line) + 2; }
  // Vertices the class uses: 2 line, 3 triangle, 4 quadrilateral and conditional line.
  int VertexCount() const {
    const ElementType type = GetType();
    return type == ElementType::Line ? 2 : type == ElementType::Triangle ? 3 : 4;
  }

 protected:
  explicit CQvLinePart(ElementType type);
  // Vertices of the outline on screen (extent, rectangle test, centre): the conditional line
  // counts its end points only.
  int OutlineCount() const;
  void SetFloats(const float* xyz, int vertices);
  // The screen point of a vertex under the first two rows of the view (no translation).
  static ScreenPoint Project(const CVector3& v, const CMatrix3& view);
  // The element's line with the given vertices and colour, newline included.
  std::string FormatLine(const CVector3* vertices, ColorNumber color) const;

  std::array<CVector3, 4> m_vertex{};
};
