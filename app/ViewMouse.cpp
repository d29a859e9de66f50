#include "app/ViewMouse.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>

#include "app/QuorvelViewState.h"
#include "config/PartList.h"
#include "config/Settings.h"
#include "config/Tracer.h"
#include "document/QuorvelDoc.h"
#include "document/UpdateHints.h"
#include "model/ElementEnvironment.h"
#include "model/QvElement.h"
#include "model/QvFile.h"
#include "model/QvLinePart.h"
#include "render/C3DStub.h"
#include "render/Matrix4DStack.h"

namespace {
int Round(double v) {
  if (!std::isfinite(v)) return 0;
  return static_cast<int>(std::lround(std::clamp(v, -1.0e8, 1.0e8)));
}

// The timed geometric hit test, as the log has always shown it.
template <typename F>
void Timed(F&& pick) {
  const auto start = std::chrono::steady_clock::now();
  pick();
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  theTracer.Printf("HitTest completed in %g seconds\n", took.count());
}

bool PickBufferReady(const C3DStub* renderer) {
  return renderer && renderer->IsPickBufferOn() && renderer->HasPickBuffer();
}
}  // namespace

CViewMouse::CViewMouse(CQuorvelViewState& view) : m_view(view) {}

bool CViewMouse::MakePickStack(CMatrix4DStack& stack) const {
  const C3DStub* r = m_view.GetRenderer();
  if (!r || !r->IsInitialised()) return false;
  const CMatrix3& v = m_view.GetViewMatrix();
  const double s = r->GetScaleX();
  CMatrix4D m = CMatrix4D::Identity();
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col) m.m[row][col] = v(row, col) * s;
  m.m[0][3] = r->GetOffsetX();
  m.m[1][3] = r->GetOffsetY();
  stack.Clear();
  return stack.Push(m) != 0;
}

CVector3 CViewMouse::ScreenToModel(int dx, int dy) const {
  const C3DStub* r = m_view.GetRenderer();
  const double s = r && r->IsInitialised() && r->GetScaleX() != 0 ? r->GetScaleX() : 1.0;
  CMatrix3 inverse;
  if (!m_view.GetViewMatrix().Invert(inverse)) inverse = m_view.GetViewMatrix().Transposed();
  CVector3 v = inverse * CVector3(dx / s, dy / s, 0);
  // Tidy the noise of the inversion: the pane's own axes give exact zeros.
  auto clean = [](double a) { return std::fabs(a) < 1e-9 ? 0.0 : a; };
  return {clean(v.x), clean(v.y), clean(v.z)};
}

void CViewMouse::ModelToScreen(const CVector3& v, int& dx, int& dy) const {
  const C3DStub* r = m_view.GetRenderer();
  const double s = r && r->IsInitialised() ? r->GetScaleX() : 1.0;
  const CVector3 p = m_view.GetViewMatrix() * v;
  dx = Round(p.x * s);
  dy = Round(p.y * s);
}

CVector3 CViewMouse::SnappedDragVector(int dx, int dy) const {
  CQuorvelDoc* doc = m_view.GetDocument();
  const CQvFile* model = doc ? doc->GetActiveModel() : nullptr;
  if (!model) return {};
  return model->SnapToSelectionGrid(ScreenToModel(dx, dy));
}

void CViewMouse::RebuildCursor() {
  m_cursor.Build(m_view.GetDocument(), m_view.GetRenderer(), m_view.GetViewMatrix());
}

const CSelectionCursor& CViewMouse::GetCursor() {
  if (!IsDraggingSelection()) RebuildCursor();
  return m_cursor;
}

bool CViewMouse::GetRubberBand(int& left, int& top, int& right, int& bottom) const {
  if (!m_rubberBand) return false;
  left = std::min(m_startX, m_endX), right = std::max(m_startX, m_endX);
  top = std::min(m_startY, m_endY), bottom = std::max(m_startY, m_endY);
  return true;
}

void CViewMouse::StartViewDrag(const MouseInput& in, int mode) {
  m_startX = m_endX = in.x;
  m_startY = m_endY = in.y;
  m_startOffset[0] = m_view.GetOffsetX();
  m_startOffset[1] = m_view.GetOffsetY();
  m_startZoom = m_view.GetZoom();
  m_startMatrix = m_view.GetViewMatrix();
  m_view.SetMouseMode(mode);
  m_view.SetDragging(true);
}

MouseReply CViewMouse::ButtonDown(const MouseInput& in) {
  MouseReply reply;
  CQuorvelDoc* doc = m_view.GetDocument();
  if (!doc || !m_view.GetRenderer() || !m_view.IsInitialised()) return reply;
  m_handle = CSelectionCursor::kNone;
  const int direction = m_view.GetDirection();
  if (!m_view.IsEditMode()) {
    if (direction >= kDir3D && theSettings.ThreeDVA) {
      if (direction != kDir3D) return reply;
      StartViewDrag(in, kTurn);
      reply.capture = reply.picture = true;
      return reply;
    }
    reply.picture = true;
    if (!doc->NextStep()) reply.beep = true;
    return reply;
  }
  const int mode = m_view.GetMouseMode();
  if (mode == 1 || mode == 2 || mode == 3) {
    StartViewDrag(in, mode);
    if (mode == 3 && (in.shift || doc->CountSelectedDrawables() > 0)) {
      RebuildCursor();
      const int px = in.shift || !m_cursor.IsShown() ? in.x : m_cursor.GetCenterX();
      const int py = in.shift || !m_cursor.IsShown() ? in.y : m_cursor.GetCenterY();
      const int ox = m_view.GetOffsetX() + m_view.GetWidth() / 2 - px;
      const int oy = m_view.GetOffsetY() + m_view.GetHeight() / 2 - py;
      m_view.SetOffset(ox, oy);
      const double z = m_view.GetZoom() > 0 ? m_view.GetZoom() : 1.0;
      m_view.SetCentre(static_cast<int>(-ox / z), static_cast<int>(-oy / z));
      m_startOffset[0] = ox, m_startOffset[1] = oy;
      m_view.RequestReRender();
      m_view.Render();
      reply.picture = true;
    }
    reply.capture = true;
    return reply;
  }
  if ((in.shift && !in.aux1) || in.middle) {
    StartViewDrag(in, in.ctrl ? kZoom : kPan);
    if (in.ctrl) {
      RebuildCursor();
      if (m_cursor.IsShown()) {
        // The selection comes to the middle of the pane, and the zoom keeps it there.
        const int ox = m_view.GetOffsetX() - (m_cursor.GetCenterX() - m_view.GetWidth() / 2);
        const int oy = m_view.GetOffsetY() - (m_cursor.GetCenterY() - m_view.GetHeight() / 2);
        m_view.SetOffset(ox, oy);
        const double z = m_view.GetZoom() > 0 ? m_view.GetZoom() : 1.0;
        m_view.SetCentre(static_cast<int>(-ox / z), static_cast<int>(-oy / z));
      }
    }
    m_view.RequestReRender();
    m_view.Render();
    reply.capture = reply.picture = true;
    return reply;
  }
  if (direction == kDir3D || direction == kDirCustom) {
    StartViewDrag(in, kTurn);
    m_view.RequestReRender();
    m_view.Render();
    reply.capture = reply.picture = true;
    return reply;
  }
  RebuildCursor();
  const bool onHandle = m_cursor.IsShown() && m_cursor.HitTest(in.x, in.y) != CSelectionCursor::kNone;
  if (!onHandle) {
    reply = SelectAt(in);
    if (m_rubberBand || !m_cursor.IsShown()) return reply;
  }
  m_handle = m_cursor.HitTest(in.x, in.y);
  if (m_handle == CSelectionCursor::kNone) return reply;
  CQvFile* model = doc->GetActiveModel();
  if (m_handle == CSelectionCursor::kRotationPoint && model && !model->IsRotationPointMovable()) {
    reply.beep = true;
    return reply;
  }
  m_startX = m_endX = in.x;
  m_startY = m_endY = in.y;
  m_selectionDrag = true;
  m_moved = false;
  m_pressOnHandle = onHandle;
  m_view.SetDragging(true);
  reply.capture = true;
  return reply;
}

MouseReply CViewMouse::SelectAt(const MouseInput& in) {
  MouseReply reply;
  CQuorvelDoc* doc = m_view.GetDocument();
  CQvFile* model = doc->GetActiveModel();
  C3DStub* renderer = m_view.GetRenderer();
  if (!model) return reply;
  reply.picture = true;
  if (theSettings.ScreenSelection && PickBufferReady(renderer)) {
    const int32_t index = doc->FindElementIndex(renderer->GetPickId(in.x, in.y));
    if (index < 0) return StartRubberBand(in);
    doc->SelectElement(index, 1, SelectKeys{in.ctrl, false});
  } else {
    CMatrix4DStack stack;
    if (!MakePickStack(stack)) return reply;
    double depth = 0;
    int hit = 0;
    Timed([&] { hit = model->Pick(stack, ScreenRect{in.x, in.y, in.x, in.y}, depth, 1, in.ctrl ? 1 : 0); });
    doc->BuildSelection(2, 0);
    // A pane that draws no pick ids (wireframe, boxes) still lets a press on empty space draw a
    // rubber band; with screen selection switched off a click on nothing only clears.
    if (!hit && theSettings.ScreenSelection) return StartRubberBand(in);
  }
  RebuildCursor();
  return reply;
}

MouseReply CViewMouse::StartRubberBand(const MouseInput& in) {
  MouseReply reply;
  m_startX = m_endX = in.x;
  m_startY = m_endY = in.y;
  m_view.SetMouseMode(kRubberBand);
  m_view.SetDragging(true);
  m_rubberBand = true;
  reply.capture = reply.picture = true;
  return reply;
}

void CViewMouse::Turn(const MouseInput& in) {
  const int w = std::max(1, m_view.GetWidth()), h = std::max(1, m_view.GetHeight());
  CMatrix3 r;
  r.SetEuler((in.y - m_startY) * 180.0 / h, (m_startX - in.x) * 180.0 / w, 0);
  const CMatrix3 turned = r * m_startMatrix;
  m_view.SetViewMatrix(turned);
  m_view.RequestReRender();
  m_view.Render();
}

void CViewMouse::ZoomDrag(const MouseInput& in) {
  const double dy = in.y - m_startY;
  double zoom = m_startZoom * std::pow(2.0, dy / 100.0);
  zoom = std::clamp(zoom, CQuorvelViewState::kMinZoom, kMaxDragZoom);
  m_view.SetZoom(zoom);
}

MouseReply CViewMouse::Motion(const MouseInput& in) {
  MouseReply reply;
  if (!m_view.IsInitialised()) return reply;
  const int mode = m_view.GetMouseMode();
  if (m_view.IsDragging()) {
    m_endX = in.x, m_endY = in.y;
    if (m_selectionDrag) {
      if (!m_moved && std::abs(in.x - m_startX) < kDragThreshold &&
          std::abs(in.y - m_startY) < kDragThreshold)
        return reply;
      m_moved = true;
      int dx = 0, dy = 0;
      if (m_handle == CSelectionCursor::kRotationPoint) {
        ModelToScreen(ScreenToModel(in.x - m_startX, in.y - m_startY), dx, dy);
        m_cursor.MoveHandles(dx, dy, CSelectionCursor::kRotationPoint);
      } else {
        ModelToScreen(SnappedDragVector(in.x - m_startX, in.y - m_startY), dx, dy);
        m_cursor.MoveHandles(dx, dy, VertexHandle() >= 0 ? m_handle : CSelectionCursor::kNone);
      }
      reply.picture = true;
    } else if (mode == 1 || mode == kPan) {
      m_view.SetOffset(m_startOffset[0] + in.x - m_startX, m_startOffset[1] + in.y - m_startY);
      m_view.RequestReRender();
      m_view.Render();
      reply.picture = true;
    } else if (mode == 3 || mode == kZoom) {
      ZoomDrag(in);
      reply.picture = true;
    } else if (mode == kTurn) {
      Turn(in);
      reply.picture = true;
    } else if (mode == kRubberBand) {
      reply.picture = true;
    }
    if (mode == 2) return reply;
  }
  if (m_view.IsEditMode()) {
    reply.hasStatus = true;
    reply.status = m_view.CoordinateText(in.x, in.y);
  } else {
    reply.hasStatus = true;
    reply.status = m_view.StepText();
  }
  return reply;
}

MouseReply CViewMouse::ButtonUp(const MouseInput& in) {
  MouseReply reply;
  reply.release = true;
  if (!m_view.IsDragging()) return reply;
  m_endX = in.x, m_endY = in.y;
  const int mode = m_view.GetMouseMode();
  if (m_selectionDrag) return FinishSelectionDrag(in);
  if (mode == kRubberBand) return FinishRubberBand(in);
  m_view.SetDragging(false);
  reply.picture = true;
  if (mode == 1 || mode == kPan) {
    const int ox = m_startOffset[0] + in.x - m_startX, oy = m_startOffset[1] + in.y - m_startY;
    m_view.SetOffset(ox, oy);
    const double z = m_view.GetZoom() > 0 ? m_view.GetZoom() : 1.0;
    m_view.SetCentre(static_cast<int>(-ox / z), static_cast<int>(-oy / z));
  } else if (mode == kTurn && m_view.IsEditMode()) {
    m_view.CenterView();
  }
  if (mode >= kTurn) m_view.SetMouseMode(0);
  if (mode != 2) {
    m_view.RequestReRender();
    m_view.Render();
  }
  return reply;
}

int CViewMouse::VertexHandle() const {
  // Element boxes of a selection of several elements move the whole selection like the box
  // round it: only the vertex handles of one line primitive move on their own.
  if (!m_cursor.IsVertexMode() || m_handle < 1) return -1;
  const int vertices =
      static_cast<int>(m_cursor.GetHandles().size()) - 1 - (m_cursor.HasRotationHandle() ? 1 : 0);
  return m_handle <= vertices ? m_handle - 1 : -1;
}

MouseReply CViewMouse::FinishSelectionDrag(const MouseInput& in) {
  MouseReply reply;
  reply.release = reply.picture = true;
  m_selectionDrag = false;
  m_view.SetDragging(false);
  const bool moved = m_moved;
  m_moved = false;
  CQuorvelDoc* doc = m_view.GetDocument();
  CQvFile* model = doc ? doc->GetActiveModel() : nullptr;
  if (!model) return reply;
  if (!moved) {
    // A click on a handle without moving selects what lies under it, as any click does.
    if (m_pressOnHandle) {
      MouseReply select = SelectAt(in);
      if (m_rubberBand) {
        m_rubberBand = false;
        m_view.SetDragging(false);
        m_view.SetMouseMode(doc->GetEditSubMode());
      }
      reply.beep = select.beep;
    }
    return reply;
  }
  const int dx = in.x - m_startX, dy = in.y - m_startY;
  if (m_handle == CSelectionCursor::kRotationPoint) {
    const CVector3 v = ScreenToModel(dx, dy);
    if (v.x == 0 && v.y == 0 && v.z == 0) return reply;
    model->MoveRotationPoint(v);
    doc->SetModifiedFlag(1);
    doc->UpdateAllViews(HINT_REPAINT_ONLY);
    return reply;
  }
  const CVector3 v = SnappedDragVector(dx, dy);
  if (v.x == 0 && v.y == 0 && v.z == 0) return reply;
  const int vertex = VertexHandle();
  if (vertex >= 0 && !in.ctrl) {
    // One vertex of the one selected line primitive moves; the others stay.
    auto* line = dynamic_cast<CQvLinePart*>(model->GetSelected(0));
    if (!line || !line->movable) return reply;
    line->SetVertex(vertex, line->GetVertex(vertex) + v);
    doc->SetModifiedFlag(1);
    doc->UpdateAllViews(HINT_LIST_STATES | HINT_KEEP_IMAGE);
    return reply;
  }
  if (in.ctrl) {
    doc->CopyAndMoveSelection(v.x, v.y, v.z);
  } else if (model->CountSelected(4) > 0) {
    model->MoveSelected(v.x, v.y, v.z, kMoveAdd);
    doc->SetModifiedFlag(1);
    doc->UpdateAllViews(HINT_LIST_STATES | HINT_KEEP_IMAGE);
  }
  return reply;
}

MouseReply CViewMouse::FinishRubberBand(const MouseInput& in) {
  MouseReply reply;
  reply.release = reply.picture = true;
  int left, top, right, bottom;
  GetRubberBand(left, top, right, bottom);
  m_rubberBand = false;
  m_view.SetDragging(false);
  CQuorvelDoc* doc = m_view.GetDocument();
  CQvFile* model = doc ? doc->GetActiveModel() : nullptr;
  C3DStub* renderer = m_view.GetRenderer();
  if (!model || !renderer) return reply;
  if (!in.ctrl) doc->BuildSelection(0, 0);
  if (left < right && top < bottom) {
    if (in.shift || !PickBufferReady(renderer)) {
      CMatrix4DStack stack;
      if (MakePickStack(stack)) {
        double depth = 0;
        Timed([&] { model->Pick(stack, ScreenRect{left, top, right, bottom}, depth, 0, in.ctrl ? 1 : 0); });
      }
    } else {
      const int w = static_cast<int>(renderer->GetWidth()), h = static_cast<int>(renderer->GetHeight());
      int32_t last = -1;
      for (int y = std::max(0, top); y <= std::min(bottom, h - 1); ++y)
        for (int x = std::max(0, left); x <= std::min(right, w - 1); ++x) {
          const int32_t index = doc->FindElementIndex(renderer->GetPickId(x, y));
          if (index < 0 || index == last) continue;
          doc->BuildSelection(1, index);
          last = index;
        }
    }
  }
  doc->BuildSelection(2, 0);
  m_view.SetMouseMode(doc->GetEditSubMode());
  return reply;
}

MouseReply CViewMouse::CaptureLost() {
  MouseReply reply;
  reply.hasStatus = true;
  reply.picture = true;
  const int mode = m_view.GetMouseMode();
  const bool wasDragging = m_view.IsDragging();
  m_selectionDrag = false;
  m_moved = false;
  m_rubberBand = false;
  m_view.SetDragging(false);
  if (mode >= kTurn) m_view.SetMouseMode(m_view.GetDocument() ? m_view.GetDocument()->GetEditSubMode() : 0);
  // A pan, zoom or turn stays where it got to, drawn fully again.
  if (wasDragging) {
    m_view.RequestReRender();
    m_view.Render();
  }
  return reply;
}

// --- a dragged-in part ---

CVector3 CViewMouse::DropPoint(int x, int y) const {
  const C3DStub* r = m_view.GetRenderer();
  const int w = m_view.GetWidth(), h = m_view.GetHeight();
  x = std::clamp(x, 0, std::max(0, w - 1));
  y = std::clamp(y, 0, std::max(0, h - 1));
  const CVector3 p = ScreenToModel(Round(x - r->GetOffsetX()), Round(y - r->GetOffsetY()));
  CMatrix3 inverse;
  if (!m_dropMatrix.Invert(inverse)) {
    theTracer.Printf("DrawAddedPart: Didn't get an inverse matrix :-(\n");
    return p;
  }
  const CMatrix3 check = m_dropMatrix * inverse;
  for (int i = 0; i < 9; ++i)
    if (std::fabs(check.m[static_cast<size_t>(i)] - (i % 4 == 0 ? 1.0 : 0.0)) > 1e-9) {
      theTracer.Printf("GetNearestGridVector: WARNING (Rot * iRot) != ONE_MATRIX\n");
      break;
    }
  CVector3 local = inverse * p;
  const CVector3 step = GetCurrentGridStep();
  local.Snap(step.x, step.y, step.z);
  return m_dropMatrix * local;
}

void CViewMouse::PlaceOutline(int x, int y) {
  const C3DStub* r = m_view.GetRenderer();
  int dx = 0, dy = 0;
  ModelToScreen(DropPoint(x, y), dx, dy);
  m_outlineAt[0] = dx + Round(r->GetOffsetX());
  m_outlineAt[1] = dy + Round(r->GetOffsetY());
}

bool CViewMouse::PartDragEnter(uint32_t partHandle, int x, int y) {
  m_outlineValid = false;
  m_dropPart = partHandle;
  CQuorvelDoc* doc = m_view.GetDocument();
  C3DStub* r = m_view.GetRenderer();
  if (!doc || !doc->GetActiveModel() || !r || !r->IsInitialised() || !m_view.IsEditMode()) return false;
  const char* name = doc->Library().partList.GetFileName(partHandle);
  if (!name) return false;
  CQvElement part;
  if (!part.SetFileByName(name)) return false;
  m_dropMatrix = doc->GetActiveModel()->GetMatrixForNewPart();
  part.Rotate(m_dropMatrix, CVector3(), kRotateSetOrientation);
  CMatrix3 scaled = m_view.GetViewMatrix();
  for (double& v : scaled.m) v *= r->GetScaleX();
  ScreenPoint point;
  ScreenRect rect{1, 1, 0, 0};
  part.GetScreenExtent(point, rect, scaled);
  if (rect.left > rect.right) rect = {0, 0, 0, 0};
  m_outline[0] = rect.left - 1, m_outline[1] = rect.top - 1;
  m_outline[2] = rect.right + 1, m_outline[3] = rect.bottom + 1;
  m_outlineValid = true;
  PlaceOutline(x, y);
  return true;
}

void CViewMouse::PartDragOver(int x, int y) {
  if (m_outlineValid) PlaceOutline(x, y);
}

void CViewMouse::PartDragLeave() { m_outlineValid = false; }

bool CViewMouse::GetDropOutline(int& left, int& top, int& right, int& bottom) const {
  if (!m_outlineValid) return false;
  left = m_outlineAt[0] + m_outline[0], top = m_outlineAt[1] + m_outline[1];
  right = m_outlineAt[0] + m_outline[2], bottom = m_outlineAt[1] + m_outline[3];
  return true;
}

bool CViewMouse::PartDrop(int x, int y) {
  CQuorvelDoc* doc = m_view.GetDocument();
  if (!m_outlineValid || !doc || !m_view.GetRenderer()) {
    m_outlineValid = false;
    return false;
  }
  m_outlineValid = false;
  const CVector3 p = DropPoint(x, y);
  CVector3 axis(0, 0, 1);
  switch (m_view.GetDirection()) {
    case kDirTop:
    case kDirBottom:
      axis.Set(0, 1, 0);
      break;
    case kDirLeft:
    case kDirRight:
      axis.Set(1, 0, 0);
      break;
    default:
      break;
  }
  return doc->AddPartFromList(m_dropPart, -1, p.x, p.y, p.z, 0, axis.x, axis.y, axis.z) != 0;
}
