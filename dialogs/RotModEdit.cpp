#include "dialogs/RotModEdit.h"

#include <wx/dcbuffer.h>
#include <wx/utils.h>

#include <algorithm>

RotEditLayout ComputeRotEditLayout(int clientWidth, int clientHeight, int radius, int rows, int columnUnit, int rowUnit) {
  RotEditLayout l;
  if (radius <= 0 || rows <= 0 || clientWidth <= 10 || clientHeight <= 0) return l;
  const double f = std::min(static_cast<double>(clientHeight) / (rows * rowUnit),
                            static_cast<double>(clientWidth - 10) / (radius * columnUnit));
  l.width = static_cast<int>(radius * columnUnit * f);
  l.height = static_cast<int>(rows * rowUnit * f);
  l.left = clientWidth - 10 - l.width;
  l.top = (clientHeight - l.height) / 2;
  return l;
}

bool RotEditLayout::CellAt(int x, int y, int radius, int rows, int& column, int& row) const {
  // A cell spans from just after one grid line up to (not including) the next one.
  column = -1;
  for (int j = 0; j < radius && column < 0; ++j)
    if (x >= ColumnLeft(j, radius) && x < ColumnLeft(j + 1, radius) - 1) column = j;
  row = -1;
  for (int i = 0; i < rows && row < 0; ++i)
    if (y >= RowTop(i, rows) && y < RowTop(i + 1, rows) - 1) row = i;
  return column >= 0 && row >= 0;
}

CRotModEdit::CRotModEdit(wxWindow* parent, int id, CRotationModel& model, const ColorEntry* colors)
    : wxWindow(parent, id, wxDefaultPosition, wxSize(300, 320)), m_model(model), m_colors(colors) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_PAINT, &CRotModEdit::OnPaint, this);
  for (auto type : {wxEVT_LEFT_DOWN, wxEVT_RIGHT_DOWN, wxEVT_LEFT_DCLICK, wxEVT_RIGHT_DCLICK})
    Bind(type, &CRotModEdit::OnMouse, this);
}

void CRotModEdit::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  const wxSize size = GetClientSize();
  dc.SetBackground(*wxBLACK_BRUSH);
  dc.Clear();
  const unsigned char axis[8] = {180, 180, 180, 255, 180, 180, 100, 100};
  for (int k = 0; k < 8; ++k) {
    dc.SetPen(wxPen(wxColour(axis[k], axis[k], axis[k])));
    dc.DrawLine(size.x - 10 + k, 0, size.x - 10 + k, size.y);
  }
  const int radius = m_model.GetRadius(), rows = m_model.GetHeight();
  const RotEditLayout l = ComputeRotEditLayout(size.x, size.y, radius, rows, 20, m_rowUnit);
  if (m_grid) {
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxColour(200, 200, 200), wxBRUSHSTYLE_CROSSDIAG_HATCH));
    dc.DrawRectangle(l.left, l.top, l.width, l.height);
  }
  for (int i = 0; i < rows; ++i)
    for (int j = 0; j < radius; ++j) {
      const int c = m_model.GetCell(j, i);
      if (c < 0 || !m_colors || c >= kColorCount) continue;
      const ColorEntry& e = m_colors[c];
      const int x0 = l.ColumnLeft(j, radius), y0 = l.RowTop(i, rows);
      const int x1 = l.left + ((j + 1) * (l.width - 1) + radius / 2) / radius;
      const int y1 = l.top + ((i + 1) * (l.height - 1) + rows / 2) / rows;
      dc.SetPen(*wxTRANSPARENT_PEN);
      dc.SetBrush(wxBrush(wxColour(e.red, e.green, e.blue)));
      dc.DrawRectangle(x0, y0, x1 - x0, y1 - y0);
    }
  if (m_grid) {
    dc.SetPen(wxPen(wxColour(0, 255, 0)));
    for (int i = 0; i <= rows; ++i) {
      const int y = l.top + (i * (l.height - 1) + rows / 2) / rows;
      dc.DrawLine(l.left, y, l.left + l.width, y);
    }
    for (int j = 0; j <= radius; ++j) {
      const int x = l.left + (j * (l.width - 1) + radius / 2) / radius;
      dc.DrawLine(x, l.top, x, l.top + l.height);
    }
  }
}

void CRotModEdit::OnMouse(wxMouseEvent& event) {
  const wxSize size = GetClientSize();
  const int radius = m_model.GetRadius(), rows = m_model.GetHeight();
  const RotEditLayout l = ComputeRotEditLayout(size.x, size.y, radius, rows, 20, m_rowUnit);
  int column = 0, row = 0;
  if (!l.CellAt(event.GetX(), event.GetY(), radius, rows, column, row)) {
    wxBell();
    return;
  }
  const bool paint = event.LeftDown() || event.LeftDClick();
  const bool wholeRow = event.LeftDClick() || event.RightDClick();
  for (int j = column; j < (wholeRow ? radius : column + 1); ++j)
    m_model.SetCell(j, row, paint ? m_color : CRotationModel::kEmpty);
  Refresh();
  wxCommandEvent changed(wxEVT_BUTTON, GetId());
  changed.SetEventObject(this);
  wxPostEvent(GetParent(), changed);
}
