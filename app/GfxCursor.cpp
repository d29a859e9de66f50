#include "app/GfxCursor.h"

#include <algorithm>

void CGfxCursor::Start(int x, int y) {
  m_anchorX = x;
  m_anchorY = y;
  m_x = x;
  m_y = y;
}

void CGfxCursor::MoveTo(int x, int y) {
  m_x = x;
  m_y = y;
}

void CGfxCursor::SetBox(int x1, int y1, int x2, int y2) {
  m_left = std::min(x1, x2) - 1;
  m_top = std::min(y1, y2) - 1;
  m_right = std::max(x1, x2) + 1;
  m_bottom = std::max(y1, y2) + 1;
}

void CGfxCursor::GetBox(int& left, int& top, int& right, int& bottom) const {
  if (!m_active) {
    left = top = right = bottom = INT_MAX;
    return;
  }
  left = m_left + m_x;
  top = m_top + m_y;
  right = m_right + m_x;
  bottom = m_bottom + m_y;
}

bool CGfxCursor::Contains(int x, int y) const {
  if (!m_active || m_style == kNoBox) return false;
  int l, t, r, b;
  GetBox(l, t, r, b);
  return x >= l && x <= r && y >= t && y <= b;
}
