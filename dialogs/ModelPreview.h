#pragma once
// The model preview of a dialog: shows one model, drawn by a renderer of its own, and, when the
// owner switches mouse rotation on, lets the user turn it by dragging. The decisions are in
// CModelPreviewState; this window turns events into calls there and paints the picture. When a
// drag ends the parent receives a wxEVT_MODEL_PREVIEW_VIEW command event with the control's id,
// and reads the new view with GetView.
#include <wx/bitmap.h>
#include <wx/window.h>

#include "dialogs/ModelPreviewState.h"
#include "render/C3DStub.h"

wxDECLARE_EVENT(wxEVT_MODEL_PREVIEW_VIEW, wxCommandEvent);

class CModelPreview : public wxWindow {
 public:
  CModelPreview(wxWindow* parent, wxWindowID id, const wxSize& size);
  ~CModelPreview() override;

  // The model must outlive every render; nothing is drawn until a view is set.
  void SetModel(CQvFile* model);
  void SetColor(uint32_t color) { m_state.SetColor(color); }
  void SetView(const CMatrix3& base, const CMatrix3& current);
  void SetAngles(double x, double y, double z) { m_state.SetAngles(x, y, z); }
  void SetPerspective(bool on);
  void SetMouseRotation(bool on) { m_state.SetMouseRotation(on); }
  // Renders again with a refit (wxWindow::Refresh only repaints).
  void RefreshPreview() { Preview(true); }
  void Preview(bool refit);
  void GetView(CMatrix3& matrix, double angles[3]) const { m_state.GetView(matrix, angles); }
  // Back to a plain area until the next render.
  void Invalidate();

  const CModelPreviewState& State() const { return m_state; }
  const C3DStub& Renderer() const { return m_renderer; }

 private:
  void OnPaint(wxPaintEvent& event);
  void OnLeftDown(wxMouseEvent& event);
  void OnMotion(wxMouseEvent& event);
  void OnLeftUp(wxMouseEvent& event);
  void OnCaptureLost(wxMouseCaptureLostEvent& event);
  void EndDrag();

  CModelPreviewState m_state;
  C3DStub m_renderer;
  wxBitmap m_picture;
};
