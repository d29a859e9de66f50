#pragma once
// One handle of the selection in a 3-D pane: a cross-hair at its anchor and a box (outline or
// filled) that a drag moves by an offset. A plain record: the pane draws it into its picture.
#include <climits>

class CGfxCursor {
 public:
  enum BoxStyle { kNoBox = 0, kOutline = 1, kFilled = 2 };

  // Anchor and current offset (x, y).
  void Start(int x, int y);
  void MoveTo(int x, int y);
  // From (smaller x - 1, smaller y - 1) to (larger x + 1, larger y + 1).
  void SetBox(int x1, int y1, int x2, int y2);
  void SetStyle(int style) { m_style = style; }
  void Show(bool active) { m_active = active; }
  bool IsActive() const { return m_active; }
  int GetStyle() const { return m_style; }
  int GetAnchorX() const { return m_anchorX; }
  int GetAnchorY() const { return m_anchorY; }
  int GetOffsetX() const { return m_x; }
  int GetOffsetY() const { return m_y; }
  // The box where it is drawn now (moved by the offset) while active; all INT_MAX when not.
  void GetBox(int& left, int& top, int& right, int& bottom) const;
  // The point lies in the box as drawn now.
  bool Contains(int x, int y) const;

 private:
  int m_style = kNoBox;
  int m_left = 0, m_top = 0, m_right = 0, m_bottom = 0;
  bool m_active = false;
  int m_anchorX = 0, m_anchorY = 0;
  int m_x = 0, m_y = 0;
};
