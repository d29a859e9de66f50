#pragma once
// The handles a 3-D pane shows over its picture for the selection of the active model: a box
// around each selected element (or around each vertex of one selected line primitive), one box
// around the whole selection, and a filled square at the rotation point when the model shows it.
// Built from the document and the pane's renderer; moved as a whole during a drag; hit-tested on
// a button press. Toolkit-free: the pane draws the handles into its composed picture.
#include <vector>

#include "app/GfxCursor.h"
#include "config/Geometry.h"

class C3DStub;
class CQuorvelDoc;

class CSelectionCursor {
 public:
  // HitTest's answers besides a handle number (1..n).
  static constexpr int kNone = 0;
  static constexpr int kWholeSelection = -1;
  static constexpr int kRotationPoint = -2;

  // From the active model's selection, under the view matrix and the renderer's scale and offset.
  // true when there is at least one handle.
  bool Build(const CQuorvelDoc* doc, const C3DStub* renderer, const CMatrix3& view);
  void Clear();
  void ShowAll(bool shown);
  // Moves one handle (1..n), the rotation handle (-2), or every handle but the rotation handle
  // (anything else) to the offset (x, y); the number of handles moved.
  int MoveHandles(int x, int y, int handle);
  // The rotation handle (-2), else the first handle (1..n) whose box holds the point, where the
  // last ordinary handle (the box round everything) answers kWholeSelection; kNone when none.
  int HitTest(int x, int y) const;

  bool IsShown() const { return m_shown; }
  bool IsVertexMode() const { return m_vertexMode; }
  bool HasRotationHandle() const { return m_rotationHandle; }
  int GetCenterX() const { return m_centerX; }
  int GetCenterY() const { return m_centerY; }
  const std::vector<CGfxCursor>& GetHandles() const { return m_handles; }

 private:
  CGfxCursor& AddHandle(int x, int y);

  std::vector<CGfxCursor> m_handles;
  bool m_shown = false;
  int m_centerX = 0, m_centerY = 0;
  bool m_vertexMode = false;
  bool m_rotationHandle = false;
};
