#pragma once
// The in-memory model file that the part generators build their geometry in. The geometry is held
// as ordinary elements (lines, triangles, quadrilaterals, sub-file references, comments), so the
// renderer, the extent and the writer handle it like any other file. Builders only append; the
// owner empties the file before each rebuild. Every builder first checks its parameters against
// the bounds of GeneratorParams.h and appends nothing for a set outside them.
#include <cstdint>
#include <string>

#include "model/GeneratorParams.h"
#include "model/QvFile.h"

class CGeneratorFile : public CQvFile {
 public:
  CGeneratorFile() = default;
  ~CGeneratorFile() override = default;

  void AddLine(uint32_t color, const CVector3& a, const CVector3& b);
  void AddTriangle(uint32_t color, const CVector3& a, const CVector3& b, const CVector3& c);
  void AddQuad(uint32_t color, const CVector3& a, const CVector3& b, const CVector3& c, const CVector3& d);
  // A type 1 reference resolved through the part-file cache; appended also when the name is not
  // found (the element then has no file). matrix: a to i in row order.
  void AddSubPart(uint32_t color, const CVector3& position, const double matrix[9], const std::string& name);
  // One LDraw line of type 0, 1, 2 or 4 as text; 1 when an element was appended.
  int AddLineFromText(const std::string& line);
  // The measuring grid of the previews, around the current extent; nothing for an empty file.
  void AddBoundingGrid();

  // --- builders ---
  void AddSpringGeometry(double h, double r, double d, double s, int32_t top, int32_t bottom);
  void AddRingSection(double y, int omitted, double d, double s);
  void BuildFlexHose(const CVector3& start, const CVector3& end, const CVector3& startControl,
                     const CVector3& endControl, int32_t steps, const std::string& firstPart,
                     const std::string& part, int32_t drawLine);
  void BuildRubberBelt(double x, double y, double r1, double r2, double thickness, int32_t precision,
                       int32_t useCylinder);
  void AddArrowGeometry(int32_t type, double w1, double l1, double xDistance, uint32_t pointerColor,
                        double w2, double l2, double r, uint32_t indicatorColor, int32_t sections);
  void BuildPlate(int32_t w, int32_t l, int32_t h, int32_t studs);

  // Lines from each of p[i] to c[i] (except the omitted index; -1 omits none), then the four
  // quadrilaterals between the two cross-sections.
  void JoinSections(const CVector3 p[4], const CVector3 c[4], int omitted);
};
