#include "model/QvLinePart.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "config/ColorTable.h"
#include "config/StringUtils.h"
#include "model/ElementEditor.h"
#include "model/ElementEnvironment.h"
#include "model/LineColor.h"
#include "model/TextHandler.h"
#include "platform/Numbers.h"
#include "platform/StringTable.h"
#include "render/C3DStub.h"
#include "render/FakeBuffer.h"
#include "render/Matrix4DStack.h"
#include "resources/StringIds.h"

namespace {
// Screen coordinates of far-away geometry are limited to this before they become integers, so that
// the conversion is defined; it is still far outside any window.
constexpr double kScreenLimit = 1e9;

int32_t ToScreen(double v) {
  if (!(v > -kScreenLimit)) return static_cast<int32_t>(-kScreenLimit);  // NaN too
  if (v > kScreenLimit) return static_cast<int32_t>(kScreenLimit);
  return static_cast<int32_t>(v);  // truncates toward zero
}

const ColorEntry* EntriesOr(const ColorEntry* entries) { return entries ? entries : theDefaultColors; }

const char* const kKindNames[] = {"Line", "Triangle", "Quadrilateral", "Optional-Line"};
}  // namespace

CQvLinePart::CQvLinePart(ElementType type) : CQvPart(type) {
  movable = true;
  stepContent = true;
}

int CQvLinePart::OutlineCount() const { return GetType() == ElementType::CondLine ? 2 : VertexCount(); }

void CQvLinePart::SetFloats(const float* xyz, int vertices) {
  for (int i = 0; i < vertices; ++i)
    m_vertex[i].Set(WidenFloat(xyz[i * 3]), WidenFloat(xyz[i * 3 + 1]), WidenFloat(xyz[i * 3 + 2]));
}

void CQvLinePart::Move(double dx, double dy, double dz, int mode, double gx, double gy, double gz) {
  if (gx == 0 && gy == 0 && gz == 0) {
    CVector3 step = GetCurrentGridStep();
    gx = step.x;
    gy = step.y;
    gz = step.z;
  }
  const int n = VertexCount();
  switch (mode) {
    case kMoveSet:
      // Every slot, also those the class does not use.
      for (CVector3& v : m_vertex) v.Set(dx, dy, dz);
      break;
    case kMoveAdd:
      for (int i = 0; i < n; ++i) m_vertex[i] = m_vertex[i] + CVector3(dx, dy, dz);
      break;
    case kMoveGrid:
    case kMoveGridAlt:
      for (int i = 0; i < n; ++i) m_vertex[i] = m_vertex[i] + CVector3(dx * gx, dy * gy, dz * gz);
      break;
    default:
      break;
  }
  for (int i = 0; i < n; ++i) m_vertex[i].Clean();
}

void CQvLinePart::MoveVertex(int index, double dx, double dy, double dz) {
  if (index < 0 || index > 3) return;
  m_vertex[index] = m_vertex[index] + CVector3(dx, dy, dz);
}

void CQvLinePart::Rotate(CMatrix3 matrix, const CVector3& center, int mode) {
  const int n = VertexCount();
  if (mode == kRotateAboutCenter) {
    for (int i = 0; i < n; ++i) m_vertex[i] = center + matrix * (m_vertex[i] - center);
  } else if (mode == kRotateSetOrientation) {
    for (int i = 0; i < n; ++i) m_vertex[i] = matrix * m_vertex[i];
  }
  for (int i = 0; i < n; ++i) m_vertex[i].Clean();
}

void CQvLinePart::ApplyTransform(const CMatrix3& matrix, const CVector3& offset) {
  for (int i = 0; i < VertexCount(); ++i) m_vertex[i] = matrix * m_vertex[i] + offset;
}

void CQvLinePart::TransformVertices(const CMatrix3& matrix, const CVector3& offset) {
  ApplyTransform(matrix, offset);
}

std::string CQvLinePart::FormatLine(const CVector3* vertices, ColorNumber color) const {
  // The line is put together in one buffer: an undo snapshot writes every line of the project.
  char text[2 * 12 + 4 * 3 * (kRealTextSize + 1) + 1];
  char* end = std::to_chars(text, text + 12, LineType()).ptr;
  *end++ = ' ';
  end = std::to_chars(end, end + 12, static_cast<uint32_t>(color)).ptr;
  for (int i = 0; i < VertexCount(); ++i) {
    for (double c : {vertices[i].x, vertices[i].y, vertices[i].z}) {
      *end++ = ' ';
      end += FormatRealTo(c, end);
    }
  }
  *end++ = '\n';
  return std::string(text, static_cast<size_t>(end - text));
}

int CQvLinePart::Write(CTextHandler& out) {
  if (!CQvPart::Write(out)) return 0;
  if (ghost && !out.WriteString("0 GHOST ")) return 0;
  if (hidden && !out.WriteString("0 TOLVO HIDE ")) return 0;
  return out.WriteString(FormatLine(m_vertex.data(), GetColor()));
}

int CQvLinePart::Parse(const std::string& line) {
  CTokenReader reader(line);
  int32_t lineType = 0;
  if (!reader.NextInt32(lineType)) throw CParseError("the line type is not a number");
  ColorNumber color = kColorUnset;
  if (!ParseLineColor(reader.NextWord(), color))
    throw CParseError("the colour is missing or not a 32-bit number");
  std::array<CVector3, 4> v{};
  for (int i = 0; i < VertexCount(); ++i) {
    double* coords[] = {&v[i].x, &v[i].y, &v[i].z};
    for (double* c : coords)
      if (!reader.NextDouble(*c)) throw CParseError("too few coordinates");
  }
  // Text after the last number is ignored.
  SetColor(color);
  for (int i = 0; i < VertexCount(); ++i) m_vertex[i] = v[i];
  return 1;
}

int CQvLinePart::Describe(ElementDescription& out) const {
  ColorNumber color = GetColor();
  if (color >= 0 && color < kColorCount) {
    const ColorEntry& entry = GetActiveColorEntries()[color];
    out.colorName.assign(entry.name, strnlen(entry.name, sizeof entry.name));
  } else {
    out.colorName = "Custom Color";
  }
  out.position.clear();
  for (int i = 0; i < VertexCount(); ++i) {
    if (i) out.position += ' ';
    out.position +=
        "(" + FormatG(m_vertex[i].x) + "," + FormatG(m_vertex[i].y) + "," + FormatG(m_vertex[i].z) + ")";
  }
  out.text = kKindNames[LineType() - 2];
  out.typeFlags = GetTypeCode();
  if (hidden) {
    out.text = "Hidden";
    out.typeFlags |= kDescribeHidden;
  }
  if (ghost) out.typeFlags |= kDescribeGhost;
  return 1;
}

std::unique_ptr<CQvPart> CQvLinePart::Clone() const {
  auto clone = std::make_unique<CQvLinePart>();
  CopyBase(*clone);
  clone->m_vertex[0] = m_vertex[0];
  clone->m_vertex[1] = m_vertex[1];
  return clone;
}

ScreenPoint CQvLinePart::Project(const CVector3& v, const CMatrix3& view) {
  const double sx = view(0, 0) * v.x + view(0, 1) * v.y + view(0, 2) * v.z;
  const double sy = view(1, 0) * v.x + view(1, 1) * v.y + view(1, 2) * v.z;
  return {ToScreen(sx), ToScreen(sy)};
}

void CQvLinePart::GetScreenExtent(ScreenPoint& point, ScreenRect& rect, const CMatrix3& view) {
  rect = {32000, 32000, -32000, -32000};
  for (int i = 0; i < OutlineCount(); ++i) {
    ScreenPoint p = Project(m_vertex[i], view);
    rect.left = std::min(rect.left, p.x);
    rect.top = std::min(rect.top, p.y);
    rect.right = std::max(rect.right, p.x);
    rect.bottom = std::max(rect.bottom, p.y);
  }
  // 64-bit halves: the bounds may lie far apart.
  point.x = static_cast<int32_t>(rect.left + (int64_t{rect.right} - rect.left) / 2);
  point.y = static_cast<int32_t>(rect.top + (int64_t{rect.bottom} - rect.top) / 2);
}

void CQvLinePart::GetVertexScreenRect(int index, ScreenPoint& point, ScreenRect& rect,
                                      const CMatrix3& view) const {
  point = (index >= 0 && index <= 3) ? Project(m_vertex[index], view) : ScreenPoint{0, 0};
  rect = {point.x - 2, point.y - 2, point.x + 2, point.y + 2};
}

CVector3 CQvLinePart::GetCenter() const {
  auto limit = [](double v) { return std::clamp(v, -1e100, 1e100); };
  CVector3 lo(limit(m_vertex[0].x), limit(m_vertex[0].y), limit(m_vertex[0].z));
  CVector3 hi = lo;
  for (int i = 1; i < OutlineCount(); ++i) {
    const CVector3& v = m_vertex[i];
    lo.Set(std::min(lo.x, v.x), std::min(lo.y, v.y), std::min(lo.z, v.z));
    hi.Set(std::max(hi.x, v.x), std::max(hi.y, v.y), std::max(hi.z, v.z));
  }
  return {lo.x + (hi.x - lo.x) / 2, lo.y + (hi.y - lo.y) / 2, lo.z + (hi.z - lo.z) / 2};
}

void CQvLinePart::ExtendBoundingBox(const CVector3& offset, const CMatrix3& matrix, CVector3& min,
                                    CVector3& max, int flag) {
  if (hidden) return;
  // The control points of a conditional line count only for the full box (flag 0).
  const int n = (GetType() == ElementType::CondLine && flag != 0) ? 2 : VertexCount();
  for (int i = 0; i < n; ++i) {
    CVector3 p = matrix * m_vertex[i] + offset;
    min.Set(std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z));
    max.Set(std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z));
  }
}

void CQvLinePart::CollectExtentPoints(const CMatrix3& matrix, const CVector3& offset,
                                      std::vector<CVector3>& out) {
  if (hidden) return;
  const int n = GetType() == ElementType::CondLine ? 2 : VertexCount();
  for (int i = 0; i < n; ++i) out.push_back(matrix * m_vertex[i] + offset);
}

int CQvLinePart::IntersectsRect(const CMatrix4DStack& stack, const ScreenRect& rect) {
  const CMatrix4D& top = stack.Top();
  int32_t minX = 0, minY = 0, maxX = 0, maxY = 0;
  for (int i = 0; i < OutlineCount(); ++i) {
    const CVector3& v = m_vertex[i];
    const int32_t x = ToScreen(top.m[0][0] * v.x + top.m[0][1] * v.y + top.m[0][2] * v.z + top.m[0][3]);
    const int32_t y = ToScreen(top.m[1][0] * v.x + top.m[1][1] * v.y + top.m[1][2] * v.z + top.m[1][3]);
    if (i == 0) {
      minX = maxX = x;
      minY = maxY = y;
    } else {
      minX = std::min(minX, x);
      maxX = std::max(maxX, x);
      minY = std::min(minY, y);
      maxY = std::max(maxY, y);
    }
  }
  if (rect.right < minX || maxX < rect.left || rect.bottom < minY || maxY < rect.top) return 0;
  return 1;
}

int CQvLinePart::Export(ExportContext& ctx, const CVector3& offset, const CMatrix3& matrix,
                        ColorNumber parentColor) {
  std::array<CVector3, 4> placed{};
  for (int i = 0; i < VertexCount(); ++i) placed[i] = matrix * m_vertex[i] + offset;
  const uint32_t own = static_cast<uint32_t>(GetColor());
  const uint32_t parent = ctx.keepColors ? own : static_cast<uint32_t>(parentColor);
  const uint32_t color = ResolveColorCode(own, parent, EntriesOr(ctx.colorEntries));
  if (!ctx.output) return 0;
  // A failed write stops the export instead of being reported as written.
  return ctx.output->WriteString(FormatLine(placed.data(), static_cast<ColorNumber>(color)));
}

void CQvLinePart::Draw(C3DStub& renderer, PickId pickId, const DrawContext& ctx) {
  if (hidden) return;
  const int n = VertexCount();
  // The renderer's own block, not a local array: clearing one for every primitive cost more than
  // its transformation.
  const CVector3* p = renderer.TransformPoints(m_vertex.data(), static_cast<size_t>(n));
  if (ctx.drawingIntoImage && ctx.partImageTarget && !(selected && GetType() == ElementType::CondLine)) {
    // Into a part image only the shape is drawn; colour 24 lines are marked for the edge colour.
    CFakeBuffer& image = *ctx.partImageTarget;
    const int edge = GetColor() == static_cast<ColorNumber>(kEdgeColor) ? 1 : 0;
    switch (GetType()) {
      case ElementType::Line:
        renderer.DrawLineToCache(image, edge, p[0], p[1]);
        break;
      case ElementType::Triangle:
        renderer.DrawTriangleToCache(image, p[0], p[1], p[2]);
        break;
      case ElementType::Quad:
        renderer.DrawQuadToCache(image, p[0], p[1], p[2], p[3]);
        break;
      default:
        renderer.DrawOptionalLineToCache(image, edge, p[0], p[1], p[2], p[3]);
        break;
    }
    return;
  }
  // A band of the frame leaves primitives wholly above or below its rows to the others before
  // they are mapped (a conditional line is drawn between its first two points only).
  const bool selectedCondLine = selected && GetType() == ElementType::CondLine;
  if (renderer.IsBand() && !selectedCondLine && renderer.OutsideBand(p, std::min(n, OutlineCount()))) return;
  const uint32_t color = ResolveColorCode(
      static_cast<uint32_t>(GetColor()), static_cast<uint32_t>(ctx.parentColor), EntriesOr(ctx.colorEntries));
  switch (GetType()) {
    case ElementType::Line:
      renderer.DrawLine(color, p[0], p[1], pickId);
      break;
    case ElementType::Triangle:
      renderer.DrawTriangle(color, p[0], p[1], p[2], pickId);
      break;
    case ElementType::Quad:
      renderer.DrawQuad(color, p[0], p[1], p[2], p[3], pickId);
      break;
    default:
      if (selected) {
        // A selected conditional line shows itself and, in colour 5, the join of its control points.
        renderer.DrawLine(color, p[0], p[1], pickId);
        renderer.DrawLine(5, p[2], p[3], pickId);
      } else {
        renderer.DrawOptionalLine(color, p[0], p[1], p[2], p[3], pickId);
      }
      break;
  }
}

int CQvLinePart::Edit(CQvFile&) {
  PrimitiveEdit data;
  const int rows = VertexCount();
  data.caption = GetSubString(LoadResString(kStringPrimitiveCaptions), LineType() - 2);
  data.vertexCount = GetType() == ElementType::CondLine ? 5 : rows;
  for (int i = 0; i < rows; ++i) {
    data.x[i] = static_cast<float>(m_vertex[i].x);
    data.y[i] = static_cast<float>(m_vertex[i].y);
    data.z[i] = static_cast<float>(m_vertex[i].z);
  }
  if (!TheElementEditor().EditPrimitive(data)) return 0;
  // Unchanged rows come back too, so every coordinate keeps single precision (as its shortest text).
  for (int i = 0; i < rows; ++i) m_vertex[i].Set(WidenFloat(data.x[i]), WidenFloat(data.y[i]), WidenFloat(data.z[i]));
  return 2;
}
