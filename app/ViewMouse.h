#pragma once
// What the mouse does in a 3-D pane, without any toolkit: panning, zooming and turning the view,
// clicking and rubber-band selection (through the renderer's pick buffer, or the geometric hit
// test when the pane draws none), dragging the selection or the rotation point by whole grid
// steps, and placing a dragged part from the part tree or browser. The window turns its mouse
// events into these calls and does what the answer asks (capture, repaint, beep, status text).
//
// Mouse modes: 0 select, 1 pan, 2 rotate, 3 zoom (the document's sub-mode); while a button is
// held: 100 turn the view, 101 pan, 102 zoom, 103 rubber band, each falling back at button up.
#include <string>

#include "app/SelectionCursor.h"
#include "config/Geometry.h"

class CQuorvelViewState;
class CMatrix4DStack;

// One mouse event: the point in the drawing area and the keys and buttons that came with it.
struct MouseInput {
  int x = 0, y = 0;
  bool ctrl = false, shift = false;
  bool middle = false;  // the middle button (pans like Shift)
  bool aux1 = false;    // the first extra button is held
};

// What the window must do after an event.
struct MouseReply {
  bool capture = false;  // take the mouse until the button is released
  bool release = false;  // let it go
  bool picture = false;  // the picture (image or overlays) changed
  bool beep = false;
  bool hasStatus = false;
  std::string status;
};

class CViewMouse {
 public:
  static constexpr int kTurn = 100, kPan = 101, kZoom = 102, kRubberBand = 103;
  static constexpr double kMaxDragZoom = 500.0;
  // Pixels the pointer must travel before a press on the selection becomes a drag.
  static constexpr int kDragThreshold = 3;

  explicit CViewMouse(CQuorvelViewState& view);

  MouseReply ButtonDown(const MouseInput& in);
  MouseReply Motion(const MouseInput& in);
  MouseReply ButtonUp(const MouseInput& in);
  // The capture was taken away: the drag ends where it is, nothing is applied.
  MouseReply CaptureLost();

  // The selection handles, rebuilt from the document unless a drag moves them.
  const CSelectionCursor& GetCursor();
  // The rubber band while one is drawn; false otherwise.
  bool GetRubberBand(int& left, int& top, int& right, int& bottom) const;
  bool IsDraggingSelection() const { return m_selectionDrag && m_moved; }

  // --- a part dragged in from the part tree, the browser or another program ---
  // Starts the outline of the part (its screen box under the view); false when the pane takes
  // no drop (view mode, no renderer, an unknown part).
  bool PartDragEnter(uint32_t partHandle, int x, int y);
  // The outline follows the point, snapped to the grid in the part's frame.
  void PartDragOver(int x, int y);
  void PartDragLeave();
  // Adds the part at the outline's snapped model point; false when nothing was added.
  bool PartDrop(int x, int y);
  // The outline as drawn now; false when none.
  bool GetDropOutline(int& left, int& top, int& right, int& bottom) const;

  // The transform the geometric hit test uses: the view matrix scaled like the renderer, its
  // offset as translation. false without an initialised renderer.
  bool MakePickStack(CMatrix4DStack& stack) const;
  // A screen vector turned into the model (on the pane's plane, divided by the scale), and a model
  // vector turned onto the screen.
  CVector3 ScreenToModel(int dx, int dy) const;
  void ModelToScreen(const CVector3& v, int& dx, int& dy) const;
  // The model vector a drag of the selection by (dx, dy) pixels moves it by: whole grid steps.
  CVector3 SnappedDragVector(int dx, int dy) const;

 private:
  MouseReply SelectAt(const MouseInput& in);
  MouseReply StartRubberBand(const MouseInput& in);
  MouseReply FinishRubberBand(const MouseInput& in);
  MouseReply FinishSelectionDrag(const MouseInput& in);
  void StartViewDrag(const MouseInput& in, int mode);
  void Turn(const MouseInput& in);
  void ZoomDrag(const MouseInput& in);
  void RebuildCursor();
  // The vertex (from 0) whose handle is dragged, -1 when the drag moves the whole selection.
  int VertexHandle() const;
  // The drop point of the outline (snapped model point) for a screen point.
  CVector3 DropPoint(int x, int y) const;
  void PlaceOutline(int x, int y);

  CQuorvelViewState& m_view;
  CSelectionCursor m_cursor;
  int m_handle = CSelectionCursor::kNone;
  int m_startX = 0, m_startY = 0, m_endX = 0, m_endY = 0;
  int m_startOffset[2] = {0, 0};
  double m_startZoom = 1.0;
  CMatrix3 m_startMatrix;
  bool m_selectionDrag = false;
  bool m_moved = false;
  bool m_pressOnHandle = false;  // the press began on a handle, not by selecting
  bool m_rubberBand = false;
  // The dragged-in part.
  uint32_t m_dropPart = 0;
  bool m_outlineValid = false;
  int m_outline[4] = {0, 0, 0, 0};  // the part's box round its origin, in pixels
  int m_outlineAt[2] = {0, 0};      // where the origin is drawn now
  CMatrix3 m_dropMatrix;
};
