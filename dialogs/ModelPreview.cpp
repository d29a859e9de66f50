#include "dialogs/ModelPreview.h"

#include <wx/dcclient.h>

#include "dialogs/DibBitmap.h"

wxDEFINE_EVENT(wxEVT_MODEL_PREVIEW_VIEW, wxCommandEvent);

CModelPreview::CModelPreview(wxWindow* parent, wxWindowID id, const wxSize& size)
    : wxWindow(parent, id, wxDefaultPosition, size, wxBORDER_SUNKEN | wxFULL_REPAINT_ON_RESIZE,
               "ModelPreview") {
  SetMinSize(size);
  Bind(wxEVT_PAINT, &CModelPreview::OnPaint, this);
  Bind(wxEVT_LEFT_DOWN, &CModelPreview::OnLeftDown, this);
  Bind(wxEVT_MOTION, &CModelPreview::OnMotion, this);
  Bind(wxEVT_LEFT_UP, &CModelPreview::OnLeftUp, this);
  Bind(wxEVT_MOUSE_CAPTURE_LOST, &CModelPreview::OnCaptureLost, this);
}

CModelPreview::~CModelPreview() {
  if (HasCapture()) ReleaseMouse();
}

void CModelPreview::SetModel(CQvFile* model) {
  m_state.SetModel(model);
  m_picture = wxBitmap();
}

void CModelPreview::SetView(const CMatrix3& base, const CMatrix3& current) {
  m_state.SetView(base, current);
  Preview(true);
}

void CModelPreview::SetPerspective(bool on) {
  m_state.SetPerspective(on);
  Preview(true);
}

void CModelPreview::Preview(bool refit) {
  const wxSize size = GetClientSize();
  if (!m_state.Render(m_renderer, size.x, size.y, refit)) return;
  m_picture = m_state.IsBlank() ? wxBitmap() : DibToBitmap(m_renderer.GetImage());
  m_renderer.ClearImageDirty();
  Refresh(false);
}

void CModelPreview::Invalidate() {
  m_state.Invalidate();
  m_picture = wxBitmap();
  Refresh();
}

void CModelPreview::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  // Not rendered: the area looks as the dialog behind it.
  if (!m_state.IsRendered()) {
    dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
    dc.Clear();
    return;
  }
  dc.SetBackground(*wxWHITE_BRUSH);
  dc.Clear();
  if (m_picture.IsOk()) dc.DrawBitmap(m_picture, 0, 0);
}

void CModelPreview::OnLeftDown(wxMouseEvent& event) {
  if (!m_state.ButtonDown(event.GetX(), event.GetY())) {
    event.Skip();
    return;
  }
  // A window that is not on screen cannot take the mouse (GTK refuses).
  if (!HasCapture() && IsShownOnScreen()) CaptureMouse();
  Preview(false);
}

void CModelPreview::OnMotion(wxMouseEvent& event) {
  const wxSize size = GetClientSize();
  if (m_state.MouseMove(event.GetX(), event.GetY(), event.ShiftDown(), size.x, size.y)) Preview(false);
}

void CModelPreview::OnLeftUp(wxMouseEvent& event) {
  if (HasCapture()) ReleaseMouse();
  if (!m_state.ButtonUp()) {
    event.Skip();
    return;
  }
  EndDrag();
}

void CModelPreview::OnCaptureLost(wxMouseCaptureLostEvent&) {
  if (m_state.CaptureLost()) EndDrag();
}

void CModelPreview::EndDrag() {
  Preview(true);
  auto* notice = new wxCommandEvent(wxEVT_MODEL_PREVIEW_VIEW, GetId());
  notice->SetEventObject(this);
  wxQueueEvent(GetParent(), notice);
}
