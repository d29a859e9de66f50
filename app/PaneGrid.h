#pragma once
// The 2 x 2 grid of 3-D panes: one column-0 width and one row-0 height shared by all four panes,
// changed by dragging the vertical or horizontal sash (or their crossing, for both at once).
#include <wx/window.h>

#include <array>

// Where the sash of a split of `total` pixels lies for a wanted first size: no pane below the
// minimum while both fit, else halved.
int ClampSashPosition(int wanted, int total, int sash, int minimum);

class CPaneGrid : public wxWindow {
 public:
  static constexpr int kSash = 5;
  static constexpr int kMinPane = 50;

  CPaneGrid(wxWindow* parent, wxWindowID id = wxID_ANY);

  // Pane (row, column) becomes this child window.
  void SetPane(int row, int column, wxWindow* pane);
  wxWindow* GetPane(int row, int column) const { return m_panes[row * 2 + column]; }

  void SetColumnWidth(int width);
  void SetRowHeight(int height);
  // Places the panes for the current sizes.
  void RecalcLayout();

 private:
  void OnSize(wxSizeEvent& event);
  void OnPaint(wxPaintEvent& event);
  void OnMouse(wxMouseEvent& event);
  void OnCaptureLost(wxMouseCaptureLostEvent& event);

  std::array<wxWindow*, 4> m_panes{};
  int m_column = -1;  // -1: half the width until set
  int m_row = -1;
  bool m_dragColumn = false, m_dragRow = false;
};
