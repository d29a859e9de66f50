#include "app/SelectionCursor.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "document/QuorvelDoc.h"
#include "model/QvFile.h"
#include "model/QvLinePart.h"
#include "render/C3DStub.h"

namespace {
int ToPixel(double v) {
  if (!std::isfinite(v)) return 0;
  return static_cast<int>(std::lround(std::clamp(v, -1.0e8, 1.0e8)));
}

CMatrix3 ScaledView(const CMatrix3& view, double scale) {
  CMatrix3 m = view;
  for (double& v : m.m) v *= scale;
  return m;
}
}  // namespace

void CSelectionCursor::Clear() {
  m_handles.clear();
  m_shown = false;
  m_vertexMode = false;
  m_rotationHandle = false;
}

CGfxCursor& CSelectionCursor::AddHandle(int x, int y) {
  m_handles.emplace_back();
  CGfxCursor& h = m_handles.back();
  h.Start(x, y);
  h.MoveTo(0, 0);
  h.SetStyle(CGfxCursor::kOutline);
  h.Show(true);
  return h;
}

bool CSelectionCursor::Build(const CQuorvelDoc* doc, const C3DStub* renderer, const CMatrix3& view) {
  Clear();
  const CQvFile* model = doc ? doc->GetActiveModel() : nullptr;
  if (!model || !renderer || !renderer->IsInitialised() || doc->CountSelectedDrawables() == 0) return false;
  const double ox = renderer->GetOffsetX(), oy = renderer->GetOffsetY();
  const CMatrix3 scaled = ScaledView(view, renderer->GetScaleX());
  // Far below and above any pixel: a selection wholly left of or above the pane still gets its
  // true overall box and centre.
  int minX = INT_MAX, minY = INT_MAX, maxX = INT_MIN, maxY = INT_MIN;
  auto take = [&](int l, int t, int r, int b) {
    minX = std::min({minX, l, r});
    maxX = std::max({maxX, l, r});
    minY = std::min({minY, t, b});
    maxY = std::max({maxY, t, b});
  };
  const CQvPart* single = model->GetSelectedCount() == 1 ? model->GetSelected(0) : nullptr;
  const auto* line = single && single->IsLinePrimitive() ? dynamic_cast<const CQvLinePart*>(single) : nullptr;
  if (line) {
    m_vertexMode = true;
    for (int i = 0; i < line->VertexCount(); ++i) {
      const CVector3 p = scaled * line->GetVertex(i);
      const int x = ToPixel(p.x + ox), y = ToPixel(p.y + oy);
      AddHandle(x, y).SetBox(x - 2, y - 2, x + 2, y + 2);
      take(x - 2, y - 2, x + 2, y + 2);
    }
  } else {
    for (size_t i = 0; i < model->GetSelectedCount(); ++i) {
      CQvPart* e = model->GetSelected(i);
      if (!e || e->hidden) continue;
      ScreenPoint point;
      ScreenRect rect{1, 1, 0, 0};
      e->GetScreenExtent(point, rect, scaled);
      if (rect.left > rect.right || rect.top > rect.bottom) continue;
      const int dx = ToPixel(ox), dy = ToPixel(oy);
      AddHandle(point.x + dx, point.y + dy)
          .SetBox(rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy);
      take(rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy);
    }
  }
  if (m_handles.empty()) return false;
  m_centerX = static_cast<int>((static_cast<long long>(minX) + maxX) / 2);
  m_centerY = static_cast<int>((static_cast<long long>(minY) + maxY) / 2);
  if (m_handles.size() > 1) AddHandle(m_centerX, m_centerY).SetBox(minX - 1, minY - 1, maxX + 1, maxY + 1);
  if (model->GetRotationPoints().show) {
    const CVector3 p = scaled * model->GetRotationCenter();
    const int x = ToPixel(p.x + ox), y = ToPixel(p.y + oy);
    CGfxCursor& h = AddHandle(x, y);
    h.SetBox(x - 2, y - 2, x + 2, y + 2);
    h.SetStyle(CGfxCursor::kFilled);
    m_rotationHandle = true;
  }
  m_shown = true;
  return true;
}

void CSelectionCursor::ShowAll(bool shown) {
  m_shown = shown;
  for (CGfxCursor& h : m_handles) h.Show(shown);
}

int CSelectionCursor::MoveHandles(int x, int y, int handle) {
  const int count = static_cast<int>(m_handles.size());
  const int ordinary = m_rotationHandle ? count - 1 : count;
  if (handle >= 1 && handle <= ordinary) {
    m_handles[static_cast<size_t>(handle - 1)].MoveTo(x, y);
    return 1;
  }
  if (handle == kRotationPoint && m_rotationHandle) {
    m_handles.back().MoveTo(x, y);
    return 1;
  }
  for (int i = 0; i < ordinary; ++i) m_handles[static_cast<size_t>(i)].MoveTo(x, y);
  return ordinary;
}

int CSelectionCursor::HitTest(int x, int y) const {
  if (m_handles.empty()) return kNone;
  if (m_rotationHandle && m_handles.back().Contains(x, y)) return kRotationPoint;
  const int ordinary = static_cast<int>(m_handles.size()) - (m_rotationHandle ? 1 : 0);
  for (int i = 0; i < ordinary; ++i)
    if (m_handles[static_cast<size_t>(i)].Contains(x, y)) return i == ordinary - 1 ? kWholeSelection : i + 1;
  return kNone;
}
