#include "app/PaneGrid.h"

#include <wx/dcclient.h>
#include <wx/settings.h>

#include <algorithm>

int ClampSashPosition(int wanted, int total, int sash, int minimum) {
  int room = total - sash;
  if (room < 2 * minimum) return std::max(0, room / 2);
  return std::clamp(wanted, minimum, room - minimum);
}

CPaneGrid::CPaneGrid(wxWindow* parent, wxWindowID id)
    : wxWindow(parent, id, wxDefaultPosition, wxDefaultSize, wxCLIP_CHILDREN | wxFULL_REPAINT_ON_RESIZE,
               "PaneGrid") {
  Bind(wxEVT_SIZE, &CPaneGrid::OnSize, this);
  Bind(wxEVT_PAINT, &CPaneGrid::OnPaint, this);
  Bind(wxEVT_LEFT_DOWN, &CPaneGrid::OnMouse, this);
  Bind(wxEVT_LEFT_UP, &CPaneGrid::OnMouse, this);
  Bind(wxEVT_MOTION, &CPaneGrid::OnMouse, this);
  Bind(wxEVT_MOUSE_CAPTURE_LOST, &CPaneGrid::OnCaptureLost, this);
}

void CPaneGrid::SetPane(int row, int column, wxWindow* pane) {
  m_panes[row * 2 + column] = pane;
  RecalcLayout();
}

void CPaneGrid::SetColumnWidth(int width) {
  m_column = width;
  RecalcLayout();
}

void CPaneGrid::SetRowHeight(int height) {
  m_row = height;
  RecalcLayout();
}

void CPaneGrid::RecalcLayout() {
  wxSize size = GetClientSize();
  int col = ClampSashPosition(m_column < 0 ? (size.x - kSash) / 2 : m_column, size.x, kSash, kMinPane);
  int row = ClampSashPosition(m_row < 0 ? (size.y - kSash) / 2 : m_row, size.y, kSash, kMinPane);
  // Keep what the user chose while the window is too small to show it; apply it when it grows.
  if (m_column >= 0 && size.x > 0 && size.x - kSash >= 2 * kMinPane) m_column = col;
  if (m_row >= 0 && size.y > 0 && size.y - kSash >= 2 * kMinPane) m_row = row;
  int widths[2] = {col, std::max(0, size.x - col - kSash)};
  int heights[2] = {row, std::max(0, size.y - row - kSash)};
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 2; ++c)
      if (wxWindow* pane = m_panes[r * 2 + c])
        pane->SetSize(c == 0 ? 0 : col + kSash, r == 0 ? 0 : row + kSash, widths[c], heights[r]);
  Refresh();
}

void CPaneGrid::OnSize(wxSizeEvent&) { RecalcLayout(); }

void CPaneGrid::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_3DFACE)));
  dc.Clear();
}

void CPaneGrid::OnMouse(wxMouseEvent& event) {
  wxSize size = GetClientSize();
  int col = m_panes[0] ? m_panes[0]->GetSize().x : size.x / 2;
  int row = m_panes[0] ? m_panes[0]->GetSize().y : size.y / 2;
  wxPoint p = event.GetPosition();
  bool onColumn = p.x >= col && p.x < col + kSash;
  bool onRow = p.y >= row && p.y < row + kSash;
  if (event.LeftDown()) {
    m_dragColumn = onColumn;
    m_dragRow = onRow;
    if ((m_dragColumn || m_dragRow) && !HasCapture()) CaptureMouse();
  } else if (event.LeftUp()) {
    m_dragColumn = m_dragRow = false;
    if (HasCapture()) ReleaseMouse();
  } else if (event.Dragging() && (m_dragColumn || m_dragRow)) {
    if (m_dragColumn) m_column = ClampSashPosition(p.x, size.x, kSash, kMinPane);
    if (m_dragRow) m_row = ClampSashPosition(p.y, size.y, kSash, kMinPane);
    RecalcLayout();
  }
  bool both = (m_dragColumn && m_dragRow) || (onColumn && onRow);
  bool any = m_dragColumn || m_dragRow || onColumn || onRow;
  SetCursor(!any ? wxNullCursor
                 : both ? wxCursor(wxCURSOR_SIZING)
                        : (m_dragColumn || onColumn) ? wxCursor(wxCURSOR_SIZEWE) : wxCursor(wxCURSOR_SIZENS));
}

void CPaneGrid::OnCaptureLost(wxMouseCaptureLostEvent&) { m_dragColumn = m_dragRow = false; }
