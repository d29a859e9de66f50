#include "app/QuorvelView.h"

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/menu.h>
#include <wx/scrolbar.h>
#include <wx/settings.h>
#include <wx/statusbr.h>

#include <chrono>
#include <memory>

#include "app/CommandRouter.h"
#include "app/CommandTable.h"
#include "dialogs/DibBitmap.h"
#include "app/PaneDrawGroup.h"
#include "app/PaneDropTarget.h"
#include "app/PrivateEvents.h"
#include "app/ViewCommands.h"
#include "app/WxLabelPainter.h"
#include "config/Settings.h"
#include "config/Tracer.h"
#include "dialogs/ZoomFactDlg.h"
#include "document/QuorvelDoc.h"
#include "render/C3DStub.h"

namespace {
wxColour PaneBackground() { return ToWxColour(PaneBackgroundColor(theSettings.BackgroundColor)); }

// The bars count 0..201 under a thumb of 100 over a range of 301; the view thinks in the
// positions -150..51 of a range -150..150 with a page of 100.
constexpr int kBarRange = CQuorvelViewState::kScrollMax - CQuorvelViewState::kScrollMin + 1;
int ToBar(int position) { return position - CQuorvelViewState::kScrollMin; }
int FromBar(int position) { return position + CQuorvelViewState::kScrollMin; }
}  // namespace

CQuorvelView::CQuorvelView(wxWindow* parent, int pane, const wxString& name)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxSize(100, 100),
               wxWANTS_CHARS | wxFULL_REPAINT_ON_RESIZE | wxCLIP_CHILDREN | wxBORDER_NONE, name),
      m_state(pane) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_PAINT, &CQuorvelView::OnPaint, this);
  Bind(wxEVT_SIZE, &CQuorvelView::OnSize, this);
  Bind(wxEVT_SET_FOCUS, &CQuorvelView::OnFocus, this);
  Bind(wxEVT_KILL_FOCUS, &CQuorvelView::OnFocus, this);
  Bind(wxEVT_LEFT_DOWN, &CQuorvelView::OnMouseDown, this);
  Bind(wxEVT_RIGHT_DOWN, &CQuorvelView::OnMouseDown, this);
  Bind(wxEVT_MIDDLE_DOWN, &CQuorvelView::OnMouseDown, this);
  // A press soon after a click comes as a double click; it starts a drag all the same.
  Bind(wxEVT_LEFT_DCLICK, &CQuorvelView::OnMouseDown, this);
  Bind(wxEVT_MIDDLE_DCLICK, &CQuorvelView::OnMouseDown, this);
  Bind(wxEVT_LEFT_UP, &CQuorvelView::OnMouseUp, this);
  Bind(wxEVT_MIDDLE_UP, &CQuorvelView::OnMouseUp, this);
  Bind(wxEVT_MOTION, &CQuorvelView::OnMotion, this);
  Bind(wxEVT_MOUSEWHEEL, &CQuorvelView::OnWheel, this);
  Bind(wxEVT_MOUSE_CAPTURE_LOST, &CQuorvelView::OnCaptureLost, this);
  Bind(wxEVT_CONTEXT_MENU, &CQuorvelView::OnContextMenu, this);
  Bind(wxEVT_MENU, &CQuorvelView::OnMenu, this);
  Bind(wxEVT_UPDATE_UI, &CQuorvelView::OnUpdateUI, this);
  Bind(EVT_PLANDOR_SET_ZOOM, &CQuorvelView::OnZoomPreset, this);
  SetDropTarget(new CPaneDropTarget(this));
}

void CQuorvelView::CreateScrollBars() {
  if (m_hbar) return;
  // Made on first use: most panes never show them, and four idle pairs slow the frame's start.
  m_hbar = new wxScrollBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSB_HORIZONTAL);
  m_vbar = new wxScrollBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSB_VERTICAL);
  for (wxScrollBar* bar : {m_hbar, m_vbar}) {
    bar->Hide();
    for (const wxEventTypeTag<wxScrollEvent>& type :
         {wxEVT_SCROLL_LINEUP, wxEVT_SCROLL_LINEDOWN, wxEVT_SCROLL_PAGEUP, wxEVT_SCROLL_PAGEDOWN,
          wxEVT_SCROLL_THUMBTRACK, wxEVT_SCROLL_THUMBRELEASE, wxEVT_SCROLL_TOP, wxEVT_SCROLL_BOTTOM})
      bar->Bind(type, &CQuorvelView::OnScroll, this);
  }
}

bool CQuorvelView::ScrollBarsVisible() const { return m_hbar && m_hbar->IsShown(); }

CQuorvelView::~CQuorvelView() {
  // A pane closed in the middle of a drag gives the mouse back.
  if (HasCapture()) ReleaseMouse();
  if (CQuorvelDoc* doc = m_state.GetDocument()) doc->RemoveObserver(this);
}

void CQuorvelView::MakeActive() { AnnounceActiveView(this); }

void CQuorvelView::SetDocument(CQuorvelDoc* doc) {
  if (CQuorvelDoc* old = m_state.GetDocument()) old->RemoveObserver(this);
  // The size first: the initial update renders at it.
  wxSize area = GetDrawingArea();
  m_state.OnSize(area.x, area.y);
  if (doc) doc->AddObserver(this);
  m_state.SetDeferred(m_group != nullptr);
  m_state.Attach(doc);
  m_state.SetDeferred(false);
  SyncScrollBars();
  UpdateCursor();
  PictureChanged();
}

void CQuorvelView::DrawPendingPanes() {
  if (!m_state.HasPendingDraw()) return;
  if (m_group) {
    m_group->DrawPending();
  } else {
    m_state.UseOwnThreads();
    m_state.DrawPending();
  }
}

void CQuorvelView::OnUpdate(uint32_t hint) {
  // What was kept before (a zoom preset not painted yet) is drawn before the update looks at the
  // picture; what the update asks for is drawn by the group after every pane took it.
  DrawPendingPanes();
  m_state.SetDeferred(m_group != nullptr);
  ViewUpdate update = m_state.OnUpdate(hint);
  m_state.SetDeferred(false);
  if (update.updateScrollBars) SyncScrollBars();
  UpdateCursor();
  if (update.invalidate || update.rendered) PictureChanged();
  if (update.rendered && !m_state.IsModelEmpty()) m_modelRendered = true;
}

void CQuorvelView::PictureChanged() {
  m_bitmapStale = true;
  Refresh(false);
}

wxSize CQuorvelView::GetDrawingArea() const {
  wxSize size = GetClientSize();
  if (m_state.ScrollBarsShown()) {
    size.x -= wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, this);
    size.y -= wxSystemSettings::GetMetric(wxSYS_HSCROLL_Y, this);
  }
  return wxSize(std::max(0, size.x), std::max(0, size.y));
}

void CQuorvelView::LayoutScrollBars() {
  if (!m_state.ScrollBarsShown() || !m_hbar) return;
  wxSize client = GetClientSize();
  const int sx = wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, this);
  const int sy = wxSystemSettings::GetMetric(wxSYS_HSCROLL_Y, this);
  m_hbar->SetSize(0, client.y - sy, std::max(0, client.x - sx), sy);
  m_vbar->SetSize(client.x - sx, 0, sx, std::max(0, client.y - sy));
}

void CQuorvelView::SyncScrollBars() {
  const bool shown = m_state.ScrollBarsShown();
  if (shown) {
    CreateScrollBars();
    for (wxScrollBar* bar : {m_hbar, m_vbar})
      bar->SetScrollbar(ToBar(CQuorvelViewState::kScrollRest), CQuorvelViewState::kScrollPage, kBarRange,
                        CQuorvelViewState::kScrollPage, false);
  }
  if (ScrollBarsVisible() != shown) {
    m_hbar->Show(shown);
    m_vbar->Show(shown);
  }
  LayoutScrollBars();
  // Showing or hiding the bars changes the drawing area.
  wxSize area = GetDrawingArea();
  if (m_state.OnSize(area.x, area.y)) PictureChanged();
}

void CQuorvelView::UpdateCursor() {
  switch (m_state.GetCursor()) {
    case ViewCursor::Move: SetCursor(wxCursor(wxCURSOR_SIZING)); break;
    case ViewCursor::SizeNS: SetCursor(wxCursor(wxCURSOR_SIZENS)); break;
    case ViewCursor::Default: SetCursor(wxNullCursor); break;
  }
}

void CQuorvelView::SetStatus(const wxString& text) {
  auto* frame = dynamic_cast<wxFrame*>(wxGetTopLevelParent(this));
  wxStatusBar* status = frame ? frame->GetStatusBar() : nullptr;
  if (status && status->GetStatusText(0) != text) status->SetStatusText(text, 0);
}

const wxBitmap& CQuorvelView::RendererBitmap() {
  C3DStub* renderer = m_state.GetRenderer();
  if (!renderer || !renderer->IsInitialised()) {
    m_rendererBitmap = wxNullBitmap;
    return m_rendererBitmap;
  }
  if (!m_bitmapStale && !renderer->IsImageDirty() && m_rendererBitmap.IsOk()) return m_rendererBitmap;
  m_rendererBitmap = DibToBitmap(renderer->GetImage());
  if (!m_rendererBitmap.IsOk()) return m_rendererBitmap;
  renderer->ClearImageDirty();
  m_bitmapStale = false;
  return m_rendererBitmap;
}

wxBitmap CQuorvelView::ComposePicture() {
  DrawPendingPanes();
  wxSize size = GetDrawingArea();
  if (size.x <= 0 || size.y <= 0) return wxBitmap();
  wxBitmap picture(size.x, size.y, 24);
  wxMemoryDC dc(picture);
  dc.SetBackground(wxBrush(PaneBackground()));
  dc.Clear();
  if (!m_state.IsInitialised() || m_state.IsTooSmall() || !m_state.GetRenderer()) {
    dc.SelectObject(wxNullBitmap);
    return picture;
  }
  // An empty model shows the background only; otherwise the renderer's image from the top-left
  // corner (its width is rounded down to a multiple of 4, the rest stays background).
  if (!m_state.IsModelEmpty()) {
    const wxBitmap& image = RendererBitmap();
    if (image.IsOk()) dc.DrawBitmap(image, 0, 0, false);
  }
  if (m_state.IsEditMode()) {
    // The selection cursor of directions below 3D is drawn here, before the focus frame.
    if (m_state.GetDirection() < kDir3D) DrawMouseOverlays(dc);
    DrawFocusFrame(dc, size);
  }
  if (theSettings.ShowViewCoords) DrawViewLabel(dc, size);
  dc.SelectObject(wxNullBitmap);
  return picture;
}

void CQuorvelView::DrawFocusFrame(wxDC& dc, const wxSize& size) const {
  dc.SetPen(wxPen(m_state.IsFocused() ? *wxRED : PaneBackground(), 1));
  dc.SetBrush(*wxTRANSPARENT_BRUSH);
  dc.DrawRectangle(0, 0, size.x, size.y);
}

void CQuorvelView::DrawViewLabel(wxDC& dc, const wxSize& size) const {
  const int pane = m_state.GetPane();
  if (pane < 0 || pane > 3) return;
  // The name goes into the pane's outer corner: left in the left column, top in the top row.
  const bool left = pane % 2 == 0, top = pane / 2 == 0;
  if (!m_labelFont.IsOk()) m_labelFont = CWxLabelPainter::MakeLabelFont();
  CWxLabelPainter painter(dc, m_labelFont);
  ::DrawViewLabel(painter, m_state.GetDirection(), left, top, size.x, size.y);
}

namespace {
// Loaded with the program, so close enough to its start for the log's first-paint figure.
const std::chrono::steady_clock::time_point theProgramStart = std::chrono::steady_clock::now();
int theViewsShowingModel = 0;

// Once per run, when the fourth pane first shows a model: how long a user waited for it.
void NoteFirstModelPaint() {
  if (++theViewsShowingModel != 4) return;
  const auto elapsed = std::chrono::steady_clock::now() - theProgramStart;
  theTracer.Printf("The four 3-D panes show the model, %ld ms after the start.\n",
                   static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()));
}
}  // namespace

void CQuorvelView::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  wxBitmap picture = ComposePicture();
  if (picture.IsOk()) dc.DrawBitmap(picture, 0, 0, false);
  ++m_paintCount;
  C3DStub* renderer = m_state.GetRenderer();
  if (picture.IsOk() && !m_state.IsModelEmpty() && renderer && renderer->IsInitialised()) ++m_imagePaintCount;
  if (picture.IsOk() && m_modelRendered && !m_modelPaintNoted) {
    m_modelPaintNoted = true;
    NoteFirstModelPaint();
  }
  // The status bar repaints itself at once when its text changes: never from inside this paint,
  // where GTK would paint it into the pane's half-finished drawing.
  if (m_state.IsInitialised() && !m_state.IsEditMode()) {
    const wxString text = wxString::FromUTF8(m_state.StepText());
    CallAfter([this, text] { SetStatus(text); });
  }
}

void CQuorvelView::OnSize(wxSizeEvent& event) {
  LayoutScrollBars();
  wxSize area = GetDrawingArea();
  if (m_state.OnSize(area.x, area.y)) PictureChanged();
  // Scroll bars that follow a mode change are shown at the next size.
  if (m_state.ScrollBarsShown() != ScrollBarsVisible()) SyncScrollBars();
  Refresh(false);
  event.Skip();
}

void CQuorvelView::OnFocus(wxFocusEvent& event) {
  const bool focused = event.GetEventType() == wxEVT_SET_FOCUS;
  m_state.SetFocused(focused);
  if (focused) MakeActive();
  Refresh(false);
  event.Skip();
}

namespace {
MouseInput ToMouseInput(const wxMouseEvent& event) {
  MouseInput in;
  in.x = event.GetX();
  in.y = event.GetY();
  in.ctrl = event.ControlDown();
  in.shift = event.ShiftDown();
  in.middle = event.GetButton() == wxMOUSE_BTN_MIDDLE;
  in.aux1 = event.Aux1IsDown();
  return in;
}
}  // namespace

void CQuorvelView::OnMouseDown(wxMouseEvent& event) {
  DrawPendingPanes();
  MakeActive();
  SetFocus();
  if (event.GetEventType() == wxEVT_RIGHT_DOWN) {
    // The right button opens the context menu.
    event.Skip();
    return;
  }
  ApplyMouseReply(m_mouse.ButtonDown(ToMouseInput(event)));
  UpdateCursor();
}

void CQuorvelView::OnMouseUp(wxMouseEvent& event) {
  ApplyMouseReply(m_mouse.ButtonUp(ToMouseInput(event)));
  UpdateCursor();
}

void CQuorvelView::ApplyMouseReply(const MouseReply& reply) {
  if (reply.release && HasCapture()) ReleaseMouse();
  if (reply.capture && !HasCapture()) CaptureMouse();
  if (reply.beep) wxBell();
  if (reply.hasStatus) SetStatus(wxString::FromUTF8(reply.status));
  if (reply.picture) PictureChanged();
}

void CQuorvelView::ShowCoordinates(int x, int y) {
  if (m_state.IsInitialised() && m_state.IsEditMode())
    SetStatus(wxString::FromUTF8(m_state.CoordinateText(x, y)));
}

void CQuorvelView::OnMotion(wxMouseEvent& event) {
  if (!m_state.IsDragging()) {
    if (m_state.IsInitialised() && m_state.IsEditMode()) ShowCoordinates(event.GetX(), event.GetY());
  } else {
    ApplyMouseReply(m_mouse.Motion(ToMouseInput(event)));
  }
  event.Skip();
}

void CQuorvelView::DrawMouseOverlays(wxDC& dc) {
  // Drawn in the colour opposite to the background, so that they show on the empty pane.
  const wxColour back = PaneBackground();
  const wxColour ink(255 - back.Red(), 255 - back.Green(), 255 - back.Blue());
  dc.SetBrush(*wxTRANSPARENT_BRUSH);
  dc.SetPen(wxPen(ink, 1));
  for (const CGfxCursor& h : m_mouse.GetCursor().GetHandles()) {
    if (!h.IsActive()) continue;
    const int ax = h.GetAnchorX(), ay = h.GetAnchorY();
    dc.DrawLine(ax - 4, ay, ax + 5, ay);
    dc.DrawLine(ax, ay - 4, ax, ay + 5);
    int l, t, r, b;
    h.GetBox(l, t, r, b);
    if (h.GetStyle() == CGfxCursor::kFilled) {
      dc.SetBrush(wxBrush(ink));
      dc.DrawRectangle(l, t, r - l + 1, b - t + 1);
      dc.SetBrush(*wxTRANSPARENT_BRUSH);
    } else if (h.GetStyle() == CGfxCursor::kOutline) {
      dc.DrawRectangle(l, t, r - l + 1, b - t + 1);
    }
  }
  int l, t, r, b;
  if (m_mouse.GetRubberBand(l, t, r, b)) {
    dc.SetPen(wxPen(ink, 1, wxPENSTYLE_DOT));
    dc.DrawRectangle(l, t, r - l + 1, b - t + 1);
  }
  if (m_mouse.GetDropOutline(l, t, r, b)) {
    dc.SetPen(wxPen(ink, 1));
    dc.DrawRectangle(l, t, r - l + 1, b - t + 1);
  }
}

void CQuorvelView::OnWheel(wxMouseEvent& event) {
  if (event.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL || !m_state.IsInitialised()) {
    event.Skip();
    return;
  }
  // wx counts in its own wheel delta; the view counts 120 per notch.
  const int delta = event.GetWheelDelta() > 0 ? event.GetWheelRotation() * 120 / event.GetWheelDelta()
                                              : event.GetWheelRotation();
  m_state.OnWheel(delta);
  PictureChanged();
}

void CQuorvelView::OnCaptureLost(wxMouseCaptureLostEvent&) {
  // The capture is gone already; the drag ends where it is.
  ApplyMouseReply(m_mouse.CaptureLost());
  SetStatus(wxString());
  UpdateCursor();
}

void CQuorvelView::OnContextMenu(wxContextMenuEvent& event) {
  MakeActive();
  std::unique_ptr<wxMenu> menu(MakeViewContextMenu());
  wxPoint p = event.GetPosition();
  // From the keyboard: near the client area's top-left corner.
  p = p == wxDefaultPosition ? wxPoint(5, 5) : ScreenToClient(p);
  PopupMenu(menu.get(), p);
}

bool CQuorvelView::IsViewCommand(int id) {
  using namespace viewcmd;
  return DirectionOf(id) >= 0 || id == kWireframe || id == kBoundingBox || id == kZoomIn || id == kZoomOut ||
         id == kZoomFit || id == kZoomSet || id == kScrollbars;
}

void CQuorvelView::OnMenu(wxCommandEvent& event) {
  const int id = FromWxId(event.GetId());
  if (!IsViewCommand(id)) {
    event.Skip();
    return;
  }
  if (QueryCommand(id).enabled) RunCommand(id);
}

void CQuorvelView::OnUpdateUI(wxUpdateUIEvent& event) {
  const int id = FromWxId(event.GetId());
  if (!IsViewCommand(id)) {
    event.Skip();
    return;
  }
  CommandState state = QueryCommand(id);
  event.Enable(state.enabled);
  if (event.IsCheckable()) event.Check(state.checked);
}

CommandState CQuorvelView::QueryCommand(int id) const {
  using namespace viewcmd;
  const int direction = DirectionOf(id);
  if (direction >= 0) return {true, m_state.GetDirection() == direction};
  switch (id) {
    case kWireframe: return {true, m_state.IsWireframe()};
    case kBoundingBox: return {true, m_state.IsBoundingBox()};
    case kZoomIn:
    case kZoomOut:
    case kZoomFit:
    case kZoomSet: return {true, false};
    case kScrollbars: return {m_state.IsEditMode(), m_state.ScrollBarsChecked()};
    default: return {};
  }
}

void CQuorvelView::RunCommand(int id) {
  using namespace viewcmd;
  const int direction = DirectionOf(id);
  if (direction >= 0) {
    m_state.SetDirection(direction);
  } else {
    switch (id) {
      case kWireframe: m_state.ToggleWireframe(); break;
      case kBoundingBox: m_state.ToggleBoundingBox(); break;
      case kZoomIn: m_state.ZoomIn(); break;
      case kZoomOut: m_state.ZoomOut(); break;
      case kZoomFit: m_state.ZoomFitCommand(); break;
      case kZoomSet: {
        CZoomFactDlg dialog(this);
        dialog.m_zoomFactor = m_state.GetZoom();
        if (dialog.ShowModal() == wxID_OK) m_state.SetZoom(dialog.m_zoomFactor);
        break;
      }
      case kScrollbars:
        m_state.UpdateScrollBars(true);
        SyncScrollBars();
        break;
      default: return;
    }
  }
  PictureChanged();
}

void CQuorvelView::OnZoomPreset(CPrivateMessageEvent& event) {
  // The frame sends the preset to all four panes: they are drawn together at the first paint.
  m_state.SetDeferred(m_group != nullptr);
  const bool rendered = m_state.OnZoomPreset(event.GetLParam());
  m_state.SetDeferred(false);
  if (rendered) PictureChanged();
}

void CQuorvelView::OnScroll(wxScrollEvent& event) {
  const wxEventType type = event.GetEventType();
  ScrollCode code = ScrollCode::ThumbPosition;
  if (type == wxEVT_SCROLL_LINEUP) code = ScrollCode::LineUp;
  else if (type == wxEVT_SCROLL_LINEDOWN) code = ScrollCode::LineDown;
  else if (type == wxEVT_SCROLL_PAGEUP) code = ScrollCode::PageUp;
  else if (type == wxEVT_SCROLL_PAGEDOWN) code = ScrollCode::PageDown;
  else if (type == wxEVT_SCROLL_THUMBTRACK) code = ScrollCode::ThumbTrack;
  else if (type == wxEVT_SCROLL_TOP) code = ScrollCode::Top;
  else if (type == wxEVT_SCROLL_BOTTOM) code = ScrollCode::Bottom;
  const bool horizontal = event.GetOrientation() == wxHORIZONTAL;
  m_state.Scroll(horizontal, code, FromBar(event.GetPosition()));
  // Each finished scroll moves the view; the bar goes back to rest so that the next one moves
  // it again by the same amount.
  if (code != ScrollCode::ThumbTrack)
    (horizontal ? m_hbar : m_vbar)->SetThumbPosition(ToBar(CQuorvelViewState::kScrollRest));
  PictureChanged();
}
