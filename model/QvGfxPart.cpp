#include "model/QvGfxPart.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <new>

#include "config/ColorTable.h"
#include "config/Tracer.h"
#include "model/QvLinePart.h"
#include "model/TextHandler.h"
#include "platform/Numbers.h"
#include "render/C3DStub.h"
#include "render/FakeBuffer.h"
#include "render/Matrix4DStack.h"

namespace {
// Entries of a command record by kind: kind, colour and the vertex indices.
int RecordLength(int32_t kind) {
  switch (kind) {
    case 2:
      return 4;
    case 3:
      return 5;
    case 4:
    case 5:
      return 6;
    default:
      return 2;
  }
}

// Screen coordinates are limited before they become integers (see the line primitives).
int32_t ToScreen(double v) {
  constexpr double kLimit = 1e9;
  if (!(v > -kLimit)) return static_cast<int32_t>(-kLimit);
  if (v > kLimit) return static_cast<int32_t>(kLimit);
  return static_cast<int32_t>(v);
}

void Extend(CVector3& min, CVector3& max, const CVector3& p) {
  min.Set(std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z));
  max.Set(std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z));
}

uint64_t Bits(double v) { return std::bit_cast<uint64_t>(v == 0 ? 0.0 : v); }
}  // namespace

size_t CQvGfxPart::KeyHash::operator()(const Key& k) const {
  uint64_t h = k.x * 0x9E3779B97F4A7C15ull;
  h ^= k.y + 0x7F4A7C159E3779B9ull + (h << 6) + (h >> 2);
  h ^= k.z + 0x94D049BB133111EBull + (h << 6) + (h >> 2);
  return static_cast<size_t>(h);
}

CQvGfxPart::CQvGfxPart() : CQvPart(ElementType::Mesh) {
  movable = true;
  stepContent = true;
}

void CQvGfxPart::MemoryWarning() {
  theTracer.Printf("WARNING: FastRender ignored due to memory problems!\n");
  m_vertices = {};
  m_projected = {};
  m_commands = {};
  m_index = {};
}

int32_t CQvGfxPart::AddVertex(const CVector3& v) {
  // A coordinate that is not a number equals nothing, not even itself: it always gets a new entry.
  const bool comparable = !std::isnan(v.x) && !std::isnan(v.y) && !std::isnan(v.z);
  const Key key{Bits(v.x), Bits(v.y), Bits(v.z)};
  if (comparable) {
    auto found = m_index.find(key);
    if (found != m_index.end()) return found->second;
  }
  const auto index = static_cast<int32_t>(m_vertices.size());
  m_vertices.push_back(v);
  if (comparable) m_index.emplace(key, index);
  return index;
}

int CQvGfxPart::AddPrimitive(const CQvPart& element) {
  const auto* primitive = dynamic_cast<const CQvLinePart*>(&element);
  if (!primitive || !element.IsLinePrimitive()) return 1;
  try {
    const int count = primitive->VertexCount();
    int32_t indices[4];
    for (int i = 0; i < count; ++i) indices[i] = AddVertex(primitive->GetVertex(i));
    m_commands.push_back(primitive->LineType());
    m_commands.push_back(element.GetColor());
    m_commands.insert(m_commands.end(), indices, indices + count);
    return 1;
  } catch (const std::bad_alloc&) {
    MemoryWarning();
    return 0;
  }
}

int CQvGfxPart::AllocProjected() {
  if (m_vertices.empty()) return 1;
  try {
    m_projected.resize(m_vertices.size());
    m_index = {};  // building is over
    return 1;
  } catch (const std::bad_alloc&) {
    MemoryWarning();
    return 0;
  }
}

bool CQvGfxPart::FoldPrimitives(std::vector<std::unique_ptr<CQvPart>>& elements) {
  auto foldable = [](const CQvPart& e) { return e.IsLinePrimitive() && !e.hidden && !e.ghost; };
  auto mesh = std::make_unique<CQvGfxPart>();
  for (const auto& e : elements) {
    if (e && foldable(*e) && !mesh->AddPrimitive(*e)) break;
  }
  mesh->AllocProjected();
  if (mesh->m_vertices.empty()) return false;

  // The mesh takes the place of the first folded primitive; every other element keeps its order.
  std::vector<std::unique_ptr<CQvPart>> kept;
  kept.reserve(elements.size());
  for (auto& e : elements) {
    if (e && foldable(*e)) {
      if (mesh) kept.push_back(std::move(mesh));
      continue;  // the folded primitive is deleted with the old list
    }
    kept.push_back(std::move(e));
  }
  elements.swap(kept);
  return true;
}

bool CQvGfxPart::EnsureProjected() { return m_projected.size() == m_vertices.size() || AllocProjected(); }

int CQvGfxPart::Edit(CQvFile&) { return 0; }

int CQvGfxPart::Describe(ElementDescription&) const { return 0; }

void CQvGfxPart::Draw(C3DStub& renderer, PickId pickId, const DrawContext& ctx) {
  if (m_vertices.empty()) return;
  // The renderer's own block: renderers on several threads draw the same mesh at once.
  const CVector3* projected = renderer.TransformPoints(m_vertices.data(), m_vertices.size());
  const ColorEntry* entries = ctx.colorEntries ? ctx.colorEntries : theDefaultColors;
  const auto parent = static_cast<uint32_t>(ctx.parentColor);
  // A band of the frame skips the primitives that lie wholly above or below its rows before
  // they are mapped (a conditional line is drawn between its first two points only).
  double bandLo, bandHi;
  renderer.GetBandLimits(bandLo, bandHi);
  const bool banded = !ctx.drawingIntoImage && (bandLo > -INFINITY || bandHi < INFINITY);
  auto outsideBand = [&](const int32_t* v, int n) {
    bool above = true, below = true;
    for (int i = 0; i < n; ++i) {
      const double y = projected[v[i]].y;
      above = above && y < bandLo;
      below = below && y > bandHi;
    }
    return above || below;
  };
  const int32_t* c = m_commands.data();
  const int32_t* end = c + m_commands.size();
  while (c < end) {
    const int32_t kind = c[0];
    if (banded && kind >= 2 && kind <= 5 && outsideBand(c + 2, kind == 3 ? 3 : kind == 4 ? 4 : 2)) {
      // left to the other bands
    } else if (kind >= 2 && kind <= 5 && ctx.drawingIntoImage && ctx.partImageTarget) {
      // Into a part image only the shape is drawn; colour 24 lines are marked for the edge colour.
      CFakeBuffer& image = *ctx.partImageTarget;
      const int edge = static_cast<uint32_t>(c[1]) == kEdgeColor ? 1 : 0;
      const int32_t* v = c + 2;
      switch (kind) {
        case 2:
          renderer.DrawLineToCache(image, edge, projected[v[0]], projected[v[1]]);
          break;
        case 3:
          renderer.DrawTriangleToCache(image, projected[v[0]], projected[v[1]], projected[v[2]]);
          break;
        case 4:
          renderer.DrawQuadToCache(image, projected[v[0]], projected[v[1]], projected[v[2]],
                                   projected[v[3]]);
          break;
        default:
          renderer.DrawOptionalLineToCache(image, edge, projected[v[0]], projected[v[1]], projected[v[2]],
                                           projected[v[3]]);
          break;
      }
    } else if (kind >= 2 && kind <= 5) {
      const uint32_t color = ResolveColorCode(static_cast<uint32_t>(c[1]), parent, entries);
      const int32_t* v = c + 2;
      switch (kind) {
        case 2:
          renderer.DrawLine(color, projected[v[0]], projected[v[1]], pickId);
          break;
        case 3:
          renderer.DrawTriangle(color, projected[v[0]], projected[v[1]], projected[v[2]], pickId);
          break;
        case 4:
          renderer.DrawQuad(color, projected[v[0]], projected[v[1]], projected[v[2]], projected[v[3]],
                            pickId);
          break;
        default:
          renderer.DrawOptionalLine(color, projected[v[0]], projected[v[1]], projected[v[2]],
                                    projected[v[3]], pickId);
          break;
      }
    }
    c += RecordLength(kind);
  }
}

int CQvGfxPart::Pick(const CMatrix4DStack& stack, const CVector3& point, double& depth, int nearest) {
  if (!EnsureProjected()) return 0;
  const CMatrix4D& top = stack.Top();
  for (size_t i = 0; i < m_vertices.size(); ++i) m_projected[i] = top.Apply(m_vertices[i]);
  int hit = 0;
  double best = 0;
  const int32_t* c = m_commands.data();
  const int32_t* end = c + m_commands.size();
  for (; c < end; c += RecordLength(c[0])) {
    const int32_t* v = c + 2;
    double d = 0;
    int h = 0;
    if (c[0] == 3)
      h = IntersectRayTriangle(point, m_projected[v[0]], m_projected[v[1]], m_projected[v[2]], d);
    else if (c[0] == 4)
      h = IntersectRayQuad(point, m_projected[v[0]], m_projected[v[1]], m_projected[v[2]], m_projected[v[3]],
                           d);
    if (!h) continue;
    if (!nearest) {
      depth = d;
      return 1;
    }
    if (!hit || d < best) best = d;
    hit = 1;
  }
  if (hit) depth = best;
  return hit;
}

int CQvGfxPart::IntersectsRect(const CMatrix4DStack& stack, const ScreenRect& rect) {
  if (m_vertices.empty()) return 0;
  const CMatrix4D& top = stack.Top();
  int32_t minX = INT32_MAX, minY = INT32_MAX, maxX = INT32_MIN, maxY = INT32_MIN;
  for (const CVector3& v : m_vertices) {
    const int32_t x = ToScreen(top.m[0][0] * v.x + top.m[0][1] * v.y + top.m[0][2] * v.z + top.m[0][3]);
    const int32_t y = ToScreen(top.m[1][0] * v.x + top.m[1][1] * v.y + top.m[1][2] * v.z + top.m[1][3]);
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
  }
  if (rect.right < minX || maxX < rect.left || rect.bottom < minY || maxY < rect.top) return 0;
  return 1;
}

void CQvGfxPart::ExtendBoundingBox(const CVector3& offset, const CMatrix3& matrix, CVector3& min,
                                   CVector3& max, int flag) {
  if (flag) {
    // Every primitive's own vertices; a conditional line counts its end points only.
    const int32_t* c = m_commands.data();
    const int32_t* end = c + m_commands.size();
    for (; c < end; c += RecordLength(c[0])) {
      int n = 0;
      switch (c[0]) {
        case 2:
          n = 2;
          break;
        case 3:
          n = 3;
          break;
        case 4:
          n = 4;
          break;
        case 5:
          n = 2;
          break;
        default:
          break;
      }
      for (int i = 0; i < n; ++i) Extend(min, max, matrix * m_vertices[c[2 + i]] + offset);
    }
    return;
  }
  // The unplaced box under one matrix is kept: many placements of one part share an orientation.
  if (matrix.Differs(m_cachedMatrix) || m_cachedMax.x < m_cachedMin.x) {
    m_cachedMin.Set(1e200, 1e200, 1e200);
    m_cachedMax.Set(-1e200, -1e200, -1e200);
    for (const CVector3& v : m_vertices) Extend(m_cachedMin, m_cachedMax, matrix * v);
    m_cachedMatrix = matrix;
  }
  if (m_cachedMax.x < m_cachedMin.x) return;  // no vertex
  Extend(min, max, m_cachedMin + offset);
  Extend(min, max, m_cachedMax + offset);
}

void CQvGfxPart::CollectExtentPoints(const CMatrix3& matrix, const CVector3& offset,
                                     std::vector<CVector3>& out) {
  const int32_t* c = m_commands.data();
  const int32_t* end = c + m_commands.size();
  for (; c < end; c += RecordLength(c[0])) {
    const int n = c[0] == 3 ? 3 : c[0] == 4 ? 4 : (c[0] == 2 || c[0] == 5) ? 2 : 0;
    for (int i = 0; i < n; ++i) out.push_back(matrix * m_vertices[c[2 + i]] + offset);
  }
}

int CQvGfxPart::Export(ExportContext& ctx, const CVector3& offset, const CMatrix3& matrix,
                       ColorNumber parentColor) {
  if (!EnsureProjected()) return 0;
  for (size_t i = 0; i < m_vertices.size(); ++i) m_projected[i] = matrix * m_vertices[i] + offset;
  const ColorEntry* entries = ctx.colorEntries ? ctx.colorEntries : theDefaultColors;
  if (!ctx.output) return 0;
  const int32_t* c = m_commands.data();
  const int32_t* end = c + m_commands.size();
  for (; c < end; c += RecordLength(c[0])) {
    const int32_t kind = c[0];
    if (kind < 2 || kind > 5) continue;
    const auto own = static_cast<uint32_t>(c[1]);
    const uint32_t parent = ctx.keepColors ? own : static_cast<uint32_t>(parentColor);
    std::string text = std::to_string(kind) + " " + FormatU32(ResolveColorCode(own, parent, entries));
    for (int i = 0; i < RecordLength(kind) - 2; ++i) {
      const CVector3& p = m_projected[c[2 + i]];
      text += " " + FormatReal(p.x) + " " + FormatReal(p.y) + " " + FormatReal(p.z);
    }
    text += '\n';
    // A failed write stops the export instead of being reported as written.
    if (!ctx.output->WriteString(text)) return 0;
  }
  return 1;
}
