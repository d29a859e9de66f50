#include "app/QuorvelViewState.h"

#include <algorithm>
#include <cmath>

#include "config/Settings.h"
#include "config/Tracer.h"
#include "document/QuorvelDoc.h"
#include "model/QvFile.h"
#include "platform/Numbers.h"
#include "render/C3DStub.h"

namespace {
double ClampZoom(double zoom) { return std::clamp(zoom, CQuorvelViewState::kMinZoom, CQuorvelViewState::kMaxZoom); }

// Whole pixels the way the pan offset always was: truncated toward zero.
int Truncate(double value) {
  if (!std::isfinite(value)) return 0;
  return static_cast<int>(std::clamp(value, -2.0e9, 2.0e9));
}
}  // namespace

int viewcmd::DirectionOf(int commandId) {
  switch (commandId) {
    case kTop: return kDirTop;
    case kBottom: return kDirBottom;
    case kLeft: return kDirLeft;
    case kRight: return kDirRight;
    case kFront: return kDirFront;
    case kBack: return kDirBack;
    case k3D: return kDir3D;
    default: return -1;
  }
}

CQuorvelViewState::CQuorvelViewState(int pane) : m_pane(pane) {}

int& CQuorvelViewState::PaneDirectionSetting(int pane) {
  switch (pane) {
    case 1: return theSettings.ViewRT;
    case 2: return theSettings.ViewLB;
    case 3: return theSettings.ViewRB;
    default: return theSettings.ViewLT;
  }
}

bool CQuorvelViewState::IsEditMode() const { return m_doc && m_doc->GetEditMode() != 0; }

bool CQuorvelViewState::IsModelEmpty() const { return !m_doc || m_doc->IsModelEmpty(); }

ViewCursor CQuorvelViewState::GetCursor() const {
  if (m_mouseMode == 1 || m_mouseMode == 101) return ViewCursor::Move;
  if (m_mouseMode == 3 || m_mouseMode == 102) return ViewCursor::SizeNS;
  return ViewCursor::Default;
}

void CQuorvelViewState::LoadViewMatrix() {
  m_viewMatrix = theSettings.GetViewMatrix(m_direction);
}

ViewUpdate CQuorvelViewState::Attach(CQuorvelDoc* doc) {
  m_doc = doc;
  m_picture.reset();
  m_ownThreads = -1;
  m_pending.reset();
  m_initialised = false;
  if (!doc) return {};
  if (m_pane >= 0) {
    m_direction = PaneDirectionSetting(m_pane);
    LoadViewMatrix();
    if (m_pane <= 3) m_picture = std::make_unique<ScenePicture>();
  }
  UpdateScrollBars(false);
  m_initialised = true;
  ViewUpdate result = OnUpdate(0);
  result.updateScrollBars = true;
  return result;
}

ViewUpdate CQuorvelViewState::OnUpdate(uint32_t hint) {
  ViewUpdate result;
  if (!m_doc) return result;
  if (hint == HINT_SUSPEND) {
    m_suspended = true;
    return result;
  }
  m_suspended = false;
  if (m_tooSmall) return result;
  if (hint == HINT_REPAINT_ONLY) {
    result.invalidate = true;
    return result;
  }
  if (hint == HINT_APPENDED) {
    // A pane whose frame cannot be drawn over keeps its old image until its next full drawing.
    if (m_picture) {
      double matrix[9];
      std::copy(m_viewMatrix.m.begin(), m_viewMatrix.m.end(), matrix);
      m_doc->DrawAppended(*m_picture, matrix);
    }
    result.invalidate = true;
    return result;
  }
  if (hint == HINT_LIST_ONLY) return result;
  if (m_doc->GetEditSubMode() != m_mouseMode) m_mouseMode = m_doc->GetEditSubMode();
  // A sub-mode change never renders, also when the mode was already taken (a full render here
  // would cost a whole frame for nothing).
  if (hint == HINT_SUBMODE) return result;
  if (hint & HINT_SELECTION) {
    m_pendingReRender = true;
    result.invalidate = true;
    return result;
  }
  if (m_pane < 0) return result;
  m_direction = PaneDirectionSetting(m_pane);
  if (hint & HINT_MODE_CHANGED) {
    LoadViewMatrix();
    UpdateScrollBars(false);
    result.updateScrollBars = true;
  }
  const bool refit = (hint & HINT_REFIT) || m_doc->IsModelEmpty();
  const bool edit = IsEditMode();
  if ((refit || hint == HINT_MODE_CHANGED) && edit) ZoomFit();
  if (refit && !edit) {
    m_zoom = 1.0;
    m_offset[0] = m_offset[1] = 0;
    m_centre[0] = m_centre[1] = 0;
  }
  if (hint & HINT_SAVE_STATE) {
    m_pendingReRender = false;
    // A state that cannot be kept (no frame yet, no memory) is no reason to end the program with
    // the user's model unsaved: the next render then draws everything.
    if (!GetRenderer() || !GetRenderer()->SaveState()) {
      theTracer.Printf("WARNING: pane %d cannot keep its renderer state; it renders fully next time.\n", m_pane);
      m_reRender = true;
    }
    return result;
  }
  if (!(hint & HINT_KEEP_IMAGE)) m_reRender = true;
  result.rendered = Render();
  result.invalidate = result.rendered;
  return result;
}

bool CQuorvelViewState::Render() { return RenderAt(m_offset, false); }

bool CQuorvelViewState::RenderAt(const int offset[2], bool boxesOnly) {
  if (m_tooSmall || !m_initialised || !m_picture || !m_doc) return false;
  C3DStub* const renderer = &m_picture->renderer;
  const bool edit = IsEditMode();
  // Pan, zoom and turning drags draw boxes only, without pick ids, to keep up with the mouse.
  const bool fastDrag = m_dragging && (m_mouseMode == 1 || m_mouseMode == 3 || m_mouseMode >= 100);
  if (fastDrag || boxesOnly) {
    renderer->SetBoundingBoxMode(true);
    renderer->SetSurfacesOff(false);
    renderer->EnablePickBuffer(0);
  } else {
    renderer->SetBoundingBoxMode(m_boundingBox);
    renderer->SetSurfacesOff(m_wireframe);
    bool pick = edit ? theSettings.ScreenSelection && !m_wireframe && !m_boundingBox : theSettings.APVT != 0;
    renderer->EnablePickBuffer(pick ? 1 : 0);
  }
  const bool reRender = m_reRender || m_pendingReRender || boxesOnly;
  const bool rotating = !edit && m_dragging && m_mouseMode == 100;
  const bool perspective = theSettings.Perspective && !edit && m_direction == kDir3D;
  RenderRequest request;
  request.width = m_width;
  request.height = m_height;
  request.offset[0] = offset[0];
  request.offset[1] = offset[1];
  std::copy(m_viewMatrix.m.begin(), m_viewMatrix.m.end(), request.viewMatrix);
  request.reRender = reRender;
  request.zoom = m_zoom;
  request.rotating = rotating;
  request.perspective = perspective;
  m_reRender = false;
  m_pendingReRender = false;
  if (m_deferred) {
    // A later request replaces a kept one, but a full drawing asked for stays asked for.
    if (m_pending && m_pending->reRender) request.reRender = true;
    m_pending = request;
    return true;
  }
  if (m_pending && m_pending->reRender) request.reRender = true;
  m_pending.reset();
  UseOwnThreads();
  if (m_road)
    m_road(*m_doc, *m_picture, request);
  else
    m_doc->Create3DStub(*m_picture, request);
  ++m_renderCount;
  return true;
}

void CQuorvelViewState::DrawPending() {
  if (!m_pending || !m_picture || !m_doc) return;
  const RenderRequest request = *m_pending;
  m_pending.reset();
  if (m_road)
    m_road(*m_doc, *m_picture, request);
  else
    m_doc->DrawScene(*m_picture, request);
  ++m_renderCount;
}

void CQuorvelViewState::UseSharedThreads(int threads) {
  C3DStub* renderer = GetRenderer();
  if (!renderer) return;
  if (m_ownThreads < 0) {
    const int own = renderer->GetThreads();
    m_ownThreads = own == C3DStub::GetDefaultThreads() ? 0 : own;
  }
  if (renderer->GetThreads() != threads) renderer->SetThreads(threads);
}

void CQuorvelViewState::UseOwnThreads() {
  C3DStub* renderer = GetRenderer();
  if (!renderer || m_ownThreads < 0) return;
  renderer->SetThreads(m_ownThreads);
  m_ownThreads = -1;
}

bool CQuorvelViewState::OnSize(int width, int height) {
  if (width < 0 || height < 0 || width > 2000 || height > 1600)
    theTracer.Printf("WARNING: Bad parameters in OnSize cx = %ld, cy = %ld!\n", static_cast<long>(width),
                     static_cast<long>(height));
  m_tooSmall = width < kMinPaneSide || height < kMinPaneSide;
  if (m_sized && width == m_width && height == m_height) return false;
  m_sized = true;
  m_width = std::max(0, width);
  m_height = std::max(0, height);
  if (m_tooSmall || m_suspended) return false;
  UpdateScrollBars(false);
  m_reRender = true;
  return Render();
}

void CQuorvelViewState::SetDirection(int direction) {
  if (direction < 0 || direction >= kViewMatrixCount) return;
  m_direction = direction;
  if (m_pane >= 0 && m_pane <= 3) PaneDirectionSetting(m_pane) = direction;
  LoadViewMatrix();
  m_reRender = true;
  Render();
}

void CQuorvelViewState::ToggleWireframe() {
  m_wireframe = !m_wireframe;
  if (m_wireframe) m_boundingBox = false;
  m_reRender = true;
  Render();
}

void CQuorvelViewState::ToggleBoundingBox() {
  m_boundingBox = !m_boundingBox;
  if (m_boundingBox) m_wireframe = false;
  m_reRender = true;
  Render();
}

void CQuorvelViewState::KeepOffset() {
  m_offset[0] = Truncate(-m_centre[0] * m_zoom);
  m_offset[1] = Truncate(-m_centre[1] * m_zoom);
}

void CQuorvelViewState::ApplyZoom() {
  KeepOffset();
  m_reRender = true;
  Render();
}

void CQuorvelViewState::ZoomIn() {
  m_zoom = ClampZoom(m_zoom * 1.5);
  ApplyZoom();
}

void CQuorvelViewState::ZoomOut() {
  m_zoom = ClampZoom(m_zoom / 1.5);
  ApplyZoom();
}

void CQuorvelViewState::OnWheel(int delta) {
  if (delta == 0) return;
  const double notches = std::abs(static_cast<double>(delta)) / 120.0;
  // A whole notch or more: 1.5 per notch's worth of rotation (two at once give 3). Below a notch,
  // as smooth-scrolling wheels and touch pads send, the linear factor would fall under 1 and zoom
  // the wrong way: the factor then grows geometrically toward 1.5 instead.
  const double factor = notches >= 1.0 ? notches * 1.5 : std::pow(1.5, notches);
  m_zoom = ClampZoom(delta > 0 ? m_zoom * factor : m_zoom / factor);
  ApplyZoom();
}

void CQuorvelViewState::ZoomFitCommand() {
  ZoomFit();
  m_reRender = true;
  Render();
}

void CQuorvelViewState::SetZoom(double zoom) {
  if (!(zoom > 0) || !std::isfinite(zoom)) return;
  m_zoom = zoom;
  ApplyZoom();
}

bool CQuorvelViewState::OnZoomPreset(long percent) {
  if (m_tooSmall) return false;
  if (percent > 0)
    SetZoom(static_cast<double>(percent) / 100.0);
  else if (percent == 0)
    ZoomFitCommand();
  return true;
}

namespace {
// The active model's box under the view matrix; false for an empty model or a box that is not finite.
bool ModelBox(CQuorvelDoc* doc, const CMatrix3& view, CVector3& min, CVector3& max) {
  if (!doc || doc->IsModelEmpty() || !doc->GetActiveModel()) return false;
  min.Set(1e200, 1e200, 1e200);
  max.Set(-1e200, -1e200, -1e200);
  doc->GetActiveModel()->ExtendBoundingBoxAll(CVector3(), view, min, max);
  return min.x <= max.x && min.y <= max.y && std::isfinite(max.x - min.x) && std::isfinite(max.y - min.y);
}
}  // namespace

bool CQuorvelViewState::CentreOnModel(CVector3& min, CVector3& max) {
  if (!ModelBox(m_doc, m_viewMatrix, min, max)) {
    m_zoom = 1.0;
    m_centre[0] = m_centre[1] = 0;
    m_offset[0] = m_offset[1] = 0;
    return false;
  }
  m_centre[0] = Truncate(min.x + (max.x - min.x) * 0.5);
  m_centre[1] = Truncate(min.y + (max.y - min.y) * 0.5);
  return true;
}

void CQuorvelViewState::ZoomFit() {
  CVector3 min, max;
  if (!CentreOnModel(min, max)) return;
  const double w = m_width & ~3, h = m_height & ~3;
  const double dx = std::fabs(max.x - min.x), dy = std::fabs(max.y - min.y);
  // A model flat across the view (or a single point) has no extent to divide by on that axis:
  // the other axis decides, and with neither the zoom stays 1.
  double zoom = 1.0;
  if (dx != 0 || dy != 0) {
    if (dx == 0)
      zoom = h / dy;
    else if (dy == 0)
      zoom = w / dx;
    else {
      zoom = w / dx;
      if (zoom * dy > h) zoom = h / dy;
    }
    zoom = zoom * 95 / 100;
    if (!(zoom > 0) || !std::isfinite(zoom)) zoom = 1.0;
  }
  m_zoom = ClampZoom(zoom);
  KeepOffset();
}

void CQuorvelViewState::CenterView() {
  CVector3 min, max;
  if (CentreOnModel(min, max)) KeepOffset();
}

bool CQuorvelViewState::UpdateScrollBars(bool toggle) {
  if (m_pane < 0 || m_pane > 3) return m_scrollBars = false;
  uint8_t* flags = theSettings.ScrollBars;
  // View mode never shows them.
  flags[m_pane + 4] = 0;
  const bool edit = IsEditMode();
  if (toggle && edit) flags[m_pane] = flags[m_pane] ? 0 : 1;
  m_scrollBars = flags[m_pane + (edit ? 0 : 4)] != 0;
  return m_scrollBars;
}

bool CQuorvelViewState::ScrollBarsChecked() const {
  if (m_pane < 0 || m_pane > 3) return false;
  return theSettings.ScrollBars[m_pane + (IsEditMode() ? 0 : 4)] != 0;
}

int CQuorvelViewState::ScrollPercent(ScrollCode code, int position) {
  switch (code) {
    case ScrollCode::LineUp: return -10;
    case ScrollCode::LineDown: return 10;
    case ScrollCode::PageUp: return -25;
    case ScrollCode::PageDown: return 25;
    case ScrollCode::ThumbPosition:
    case ScrollCode::ThumbTrack: return position + 50;
    case ScrollCode::Top: return kScrollMin;
    case ScrollCode::Bottom: return kScrollMax;
  }
  return 0;
}

void CQuorvelViewState::Scroll(bool horizontal, ScrollCode code, int position) {
  const int i = horizontal ? 0 : 1;
  const int size = horizontal ? m_width : m_height;
  const int d = ScrollPercent(code, position);
  const int shift = Truncate(-static_cast<double>(d) * size / 100.0);
  if (code == ScrollCode::ThumbTrack) {
    int shifted[2] = {m_offset[0], m_offset[1]};
    shifted[i] += shift;
    // The next real render must draw the model again, not only the boxes.
    if (RenderAt(shifted, true)) m_reRender = true;
    return;
  }
  m_offset[i] += shift;
  if (m_zoom > 0) m_centre[i] = Truncate(-m_offset[i] / m_zoom);
  m_reRender = true;
  Render();
}

std::string CQuorvelViewState::StepText() const {
  if (!m_doc) return {};
  const int count = m_doc->GetStepCount(1);
  const int shown = m_doc->GetShownStep() == -1 ? count : m_doc->GetShownStep();
  return StrPrintf("Step %d of %d", shown, count);
}

CVector3 CQuorvelViewState::ModelPoint(int x, int y) const {
  // The drawing area: 95% of the pane, each side rounded up to a multiple of 4, centred.
  const int areaW = ((m_width * 95 / 100) + 3) & ~3;
  const int areaH = ((m_height * 95 / 100) + 3) & ~3;
  const int left = (m_width - areaW) / 2, top = (m_height - areaH) / 2;
  x = std::clamp(x, left, std::max(left, left + areaW - 1));
  y = std::clamp(y, top, std::max(top, top + areaH - 1));
  double ox = 0, oy = 0, sx = 1, sy = 1;
  if (const C3DStub* r = GetRenderer(); r && r->IsInitialised()) {
    ox = r->GetOffsetX();
    oy = r->GetOffsetY();
    sx = r->GetScaleX();
    sy = r->GetScaleY();
  }
  const double mx = sx != 0 ? (x - ox) / sx : 0;
  const double my = sy != 0 ? (y - oy) / sy : 0;
  CVector3 p;
  switch (m_direction) {
    case kDirTop: p.Set(mx, 0, -my); break;
    case kDirBottom: p.Set(mx, 0, my); break;
    case kDirLeft: p.Set(0, my, -mx); break;
    case kDirRight: p.Set(0, my, mx); break;
    case kDirFront: p.Set(mx, my, 0); break;
    case kDirBack: p.Set(-mx, my, 0); break;
    default: p.Set(0, 0, 0); break;
  }
  const CVector3& step = theSettings.GridType == 2 ? theSettings.OffStep
                         : theSettings.GridType == 1 ? theSettings.MidStep
                                                     : theSettings.DefStep;
  p.Snap(step.x, step.y, step.z);
  return p;
}

std::string CQuorvelViewState::CoordinateText(int x, int y) const {
  CVector3 p = ModelPoint(x, y);
  return StrPrintf("x = %.1f, y = %.1f, z = %.1f", p.x, p.y, p.z);
}
