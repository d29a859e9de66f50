#include "model/GeneratorFile.h"

#include <cmath>

#include "model/QvCommentPart.h"
#include "model/QvElement.h"
#include "model/QvLinePart.h"
#include "model/QvQuadPart.h"
#include "model/QvTrianglePart.h"
#include "platform/Numbers.h"

namespace {

template <typename T>
void AppendPrimitive(CQvFile& file, uint32_t color, std::initializer_list<CVector3> points) {
  auto e = std::make_unique<T>();
  int i = 0;
  for (const CVector3& p : points) e->SetVertex(i++, p);
  e->SetColor(static_cast<ColorNumber>(color));
  file.Append(std::move(e));
}

bool ReadDoubles(CTokenReader& reader, double* out, int count) {
  for (int i = 0; i < count; ++i)
    if (!reader.NextDouble(out[i])) return false;
  return true;
}

// Whole grid lines outward from the box bound.
double SnapLow(double v, double p) { return v < 0 ? std::trunc((v - (p - 1)) / p) * p : std::trunc(v / p) * p; }
double SnapHigh(double v, double p) { return v < 0 ? std::trunc(v / p) * p : std::trunc((v + p - 1) / p) * p; }

}  // namespace

void CGeneratorFile::AddLine(uint32_t color, const CVector3& a, const CVector3& b) {
  AppendPrimitive<CQvLinePart>(*this, color, {a, b});
}

void CGeneratorFile::AddTriangle(uint32_t color, const CVector3& a, const CVector3& b, const CVector3& c) {
  AppendPrimitive<CQvTrianglePart>(*this, color, {a, b, c});
}

void CGeneratorFile::AddQuad(uint32_t color, const CVector3& a, const CVector3& b, const CVector3& c,
                             const CVector3& d) {
  AppendPrimitive<CQvQuadPart>(*this, color, {a, b, c, d});
}

void CGeneratorFile::AddSubPart(uint32_t color, const CVector3& position, const double m[9],
                                const std::string& name) {
  std::string text = StrPrintf("1 %ld", static_cast<long>(static_cast<int32_t>(color)));
  for (double d : {position.x, position.y, position.z, m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8]})
    text += " " + FormatReal(d);
  text += "  " + name;
  auto e = std::make_unique<CQvElement>();
  try {
    e->Parse(text);
  } catch (const std::exception&) {
    // kept without a file, as a name that is not found
  }
  Append(std::move(e));
}

int CGeneratorFile::AddLineFromText(const std::string& line) {
  CTokenReader reader(line);
  int32_t type = 0;
  if (!reader.NextInt32(type)) return 0;
  if (type == 0) {
    auto comment = std::make_unique<CQvCommentPart>();
    try {
      if (!comment->Parse(line)) return 0;
    } catch (const std::exception&) {
      return 0;
    }
    Append(std::move(comment));
    return 1;
  }
  uint32_t color = 0;
  if (type == 1 || type == 2 || type == 4) {
    if (!ParseUInt32(reader.NextWord(), color)) return 0;
  }
  double v[12];
  switch (type) {
    case 1: {
      if (!ReadDoubles(reader, v, 12)) return 0;
      const std::string_view name = reader.NextWord();
      if (name.empty()) return 0;
      AddSubPart(color, CVector3(v[0], v[1], v[2]), v + 3, std::string(name));
      return 1;
    }
    case 2:
      if (!ReadDoubles(reader, v, 6)) return 0;
      AddLine(color, CVector3(v[0], v[1], v[2]), CVector3(v[3], v[4], v[5]));
      return 1;
    case 4:
      if (!ReadDoubles(reader, v, 12)) return 0;
      AddQuad(color, CVector3(v[0], v[1], v[2]), CVector3(v[3], v[4], v[5]), CVector3(v[6], v[7], v[8]),
              CVector3(v[9], v[10], v[11]));
      return 1;
    default:
      return 0;
  }
}

void CGeneratorFile::AddBoundingGrid() {
  CVector3 lo(1e200, 1e200, 1e200), hi(-1e200, -1e200, -1e200);
  ExtendBoundingBox(CVector3(), CMatrix3::Identity(), lo, hi, 1);
  if (!(lo.x <= hi.x && lo.y <= hi.y && lo.z <= hi.z)) return;  // no extent
  // A box beyond the bounds of any generated part would make a grid without end.
  for (double v : {lo.x, lo.y, lo.z, hi.x, hi.y, hi.z})
    if (!std::isfinite(v) || std::fabs(v) > 2 * kMaxGeneratorLength) return;
  const double x0 = SnapLow(lo.x, 20), x1 = SnapHigh(hi.x, 20);
  const double y0 = SnapLow(lo.y, 8), y1 = SnapHigh(hi.y, 8);
  const double z0 = SnapLow(lo.z, 20), z1 = SnapHigh(hi.z, 20);
  for (double x = x0; x <= x1; x += 20) AddLine(33, CVector3(x, y0, 0), CVector3(x, y1, 0));
  for (double y = y0; y <= y1; y += 8) AddLine(33, CVector3(x0, y, 0), CVector3(x1, y, 0));
  for (double x = x0; x <= x1; x += 20) AddLine(34, CVector3(x, 0, z0), CVector3(x, 0, z1));
  for (double z = z0; z <= z1; z += 20) AddLine(34, CVector3(x0, 0, z), CVector3(x1, 0, z));
  for (double z = z0; z <= z1; z += 20) AddLine(36, CVector3(0, y0, z), CVector3(0, y1, z));
  for (double y = y0; y <= y1; y += 8) AddLine(36, CVector3(0, y, z0), CVector3(0, y, z1));
}

void CGeneratorFile::JoinSections(const CVector3 p[4], const CVector3 c[4], int omitted) {
  for (int i = 0; i < 4; ++i)
    if (i != omitted) AddLine(24, p[i], c[i]);
  for (int k = 0; k < 4; ++k) {
    const int j = (k + 1) % 4;
    AddQuad(16, p[k], c[k], c[j], p[j]);
  }
}
