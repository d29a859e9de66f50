#pragma once
// The fast-render mesh: a library part's line primitives folded into one element that stores each
// distinct vertex once and the primitives as a command list of vertex indices. Drawing, picking,
// boxes and export then transform each vertex once per operation. Made only by the library loader,
// never read from or written to model text.
//
// Command list: per primitive, in list order, its kind (LDraw line type 2 to 5), its colour number,
// then 2, 3, 4 or 4 vertex indices (for kind 5: end points, then control points). A walker that
// meets any other kind steps over two entries.
#include <memory>
#include <unordered_map>
#include <vector>

#include "model/QvPart.h"

class CQvGfxPart : public CQvPart {
 public:
  CQvGfxPart();

  // Folds the visible line primitives of a library part's element list into one mesh, which takes
  // the list place of the first of them; the folded primitives are deleted. Hidden and ghost
  // primitives keep their own elements, so they are neither drawn nor exported through the mesh.
  // True when a mesh was made; a list without foldable primitives, or memory running out, leaves
  // the list as it was.
  static bool FoldPrimitives(std::vector<std::unique_ptr<CQvPart>>& elements);

  // 1 when the element was folded or is no line primitive; 0 when memory ran out (the mesh is then
  // empty).
  int AddPrimitive(const CQvPart& element);
  // Sizes the scratch array of transformed vertices; 0 when memory ran out.
  int AllocProjected();

  int Pick(const CMatrix4DStack& stack, const CVector3& point, double& depth, int nearest) override;
  int IntersectsRect(const CMatrix4DStack& stack, const ScreenRect& rect) override;
  int CanEdit() const override { return 1; }
  int Edit(CQvFile& owner) override;
  int Export(ExportContext& ctx, const CVector3& offset, const CMatrix3& matrix,
             ColorNumber parentColor) override;
  int Describe(ElementDescription& out) const override;
  std::unique_ptr<CQvPart> Clone() const override { return nullptr; }
  void ExtendBoundingBox(const CVector3& offset, const CMatrix3& matrix, CVector3& min, CVector3& max,
                         int flag) override;
  void CollectExtentPoints(const CMatrix3& matrix, const CVector3& offset, std::vector<CVector3>& out) override;
  void Draw(C3DStub& renderer, PickId pickId, const DrawContext& ctx) override;

  size_t GetVertexCount() const { return m_vertices.size(); }
  const CVector3& GetVertex(size_t index) const { return m_vertices[index]; }
  const std::vector<int32_t>& GetCommands() const { return m_commands; }

 private:
  // Index of the vertex with exactly these coordinates, appended when new.
  int32_t AddVertex(const CVector3& v);
  // The scratch array matches the vertices (a mesh used before AllocProjected); false when it cannot.
  bool EnsureProjected();
  // Logs the warning and empties the mesh.
  void MemoryWarning();

  // Exact coordinates as bits (-0 taken as 0, since the two compare equal).
  struct Key {
    uint64_t x, y, z;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    size_t operator()(const Key& k) const;
  };

  std::vector<CVector3> m_vertices;
  std::vector<CVector3> m_projected;  // scratch of every draw, pick and export
  CMatrix3 m_cachedMatrix;            // the matrix of the cached box; zero at first
  CVector3 m_cachedMin{1e200, 1e200, 1e200};
  CVector3 m_cachedMax{-1e200, -1e200, -1e200};
  std::vector<int32_t> m_commands;
  std::unordered_map<Key, int32_t, KeyHash> m_index;  // while building
};
