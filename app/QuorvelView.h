#pragma once
// One 3-D pane of the main frame: the window around CQuorvelViewState. It follows the document's
// update hints, shows the pane renderer's picture with its overlays (focus frame, direction
// label) drawn into a copy of that picture, never onto the screen with XOR, and turns size,
// wheel, scroll, focus and context-menu events into calls of the view state. Mouse modes,
// selection and drag-and-drop are added on top of the mouse hooks below.
#include <wx/bitmap.h>
#include <wx/font.h>
#include <wx/window.h>

#include <cstdint>

#include "app/CommandTarget.h"
#include "app/QuorvelViewState.h"
#include "app/ViewMouse.h"
#include "document/UpdateHints.h"

class wxScrollBar;
class wxScrollEvent;
class CPrivateMessageEvent;
class CQuorvelDoc;
class CPaneDrawGroup;

class CQuorvelView : public wxWindow, public IDocObserver, public ICommandTarget {
 public:
  // pane: row x 2 + column in the pane grid; name: the window's name ("View3D_0"...).
  CQuorvelView(wxWindow* parent, int pane, const wxString& name);
  ~CQuorvelView() override;

  // Registers with the document (null unregisters) and runs the initial update. The document
  // must outlive the view or be detached first.
  void SetDocument(CQuorvelDoc* doc);
  CQuorvelDoc* GetDocument() const { return m_state.GetDocument(); }
  void OnUpdate(uint32_t hint) override;

  CQuorvelViewState& State() { return m_state; }
  // The panes drawn together with this one (null: it draws alone, at once). With a group the
  // view keeps the drawings an update or a zoom preset asks for, and the group draws them.
  void SetDrawGroup(CPaneDrawGroup* group) { m_group = group; }
  // Draws what the pane (and the rest of its group) kept, before its picture is used.
  void DrawPendingPanes();
  CViewMouse& Mouse() { return m_mouse; }
  const CQuorvelViewState& State() const { return m_state; }

  // The view commands (context menu, and the frame's chain while this is the active view).
  bool HandlesCommand(int id) const override { return IsViewCommand(id); }
  void RunCommand(int id) override;
  CommandState QueryCommand(int id) const override;
  static bool IsViewCommand(int id);

  // The picture the pane shows now: the renderer's image (or the background for an empty model)
  // with the overlays drawn into it; the size of the drawing area.
  wxBitmap ComposePicture();
  // Paints so far, and how many of them showed a rendered model image.
  int GetPaintCount() const { return m_paintCount; }
  int GetImagePaintCount() const { return m_imagePaintCount; }

  // Makes this the frame's active view (its commands come first), as the focus or a click does.
  void MakeActive();

  // The mouse point in model units in the status bar (edit mode).
  void ShowCoordinates(int x, int y);

  // The part of the client area the renderer draws into (without shown scroll bars).
  wxSize GetDrawingArea() const;

 private:
  void OnPaint(wxPaintEvent& event);
  void OnSize(wxSizeEvent& event);
  void OnFocus(wxFocusEvent& event);
  void OnMouseDown(wxMouseEvent& event);
  void OnMouseUp(wxMouseEvent& event);
  void OnMotion(wxMouseEvent& event);
  void OnWheel(wxMouseEvent& event);
  void OnCaptureLost(wxMouseCaptureLostEvent& event);
  void OnContextMenu(wxContextMenuEvent& event);
  void OnMenu(wxCommandEvent& event);
  void OnUpdateUI(wxUpdateUIEvent& event);
  void OnZoomPreset(CPrivateMessageEvent& event);
  void OnScroll(wxScrollEvent& event);

  // After anything that may have drawn into the renderer: repaint from it.
  void PictureChanged();
  void CreateScrollBars();
  bool ScrollBarsVisible() const;
  void SyncScrollBars();
  void LayoutScrollBars();
  void UpdateCursor();
  void SetStatus(const wxString& text);
  // The renderer's image as a bitmap, converted again only when it changed.
  const wxBitmap& RendererBitmap();
  // Overlays drawn into the picture.
  void DrawFocusFrame(wxDC& dc, const wxSize& size) const;
  void DrawViewLabel(wxDC& dc, const wxSize& size) const;
  // The selection handles, the rubber band and a dropped part's outline.
  void DrawMouseOverlays(wxDC& dc);
  // Carries out what the mouse controller asks for.
  void ApplyMouseReply(const MouseReply& reply);

  CQuorvelViewState m_state;
  CPaneDrawGroup* m_group = nullptr;
  CViewMouse m_mouse{m_state};
  wxScrollBar* m_hbar = nullptr;
  wxScrollBar* m_vbar = nullptr;
  wxBitmap m_rendererBitmap;
  mutable wxFont m_labelFont;  // the label font, made at the first label
  bool m_bitmapStale = true;
  int m_paintCount = 0;
  int m_imagePaintCount = 0;
  bool m_modelRendered = false;    // a model (not an empty one) was rendered into the picture
  bool m_modelPaintNoted = false;  // and painted: counted once for the start-up figure
};
