#pragma once
// The rotation model's profile editor: the profile's cells drawn right-aligned against the axis;
// a left click paints a cell in the current colour, a right click clears it, a double click does
// the same to the rest of the row towards the axis. Each change sends a command event with the
// editor's id.
#include <wx/window.h>

#include "config/ColorEntry.h"
#include "model/RotationModel.h"

struct RotEditLayout {
  int left = 0, top = 0, width = 0, height = 0;
  // Cell (column, row) under a pixel; false outside the drawing or on a grid line.
  bool CellAt(int x, int y, int radius, int rows, int& column, int& row) const;
  int ColumnLeft(int j, int radius) const { return left + (j * (width - 1) + radius / 2) / radius + 1; }
  int RowTop(int i, int rows) const { return top + (i * (height - 1) + rows / 2) / rows + 1; }
};
// The drawing area of a client size for a grid and cell proportions.
RotEditLayout ComputeRotEditLayout(int clientWidth, int clientHeight, int radius, int rows, int columnUnit, int rowUnit);

class CRotModEdit : public wxWindow {
 public:
  CRotModEdit(wxWindow* parent, int id, CRotationModel& model, const ColorEntry* colors);
  void SetCurrentColor(int color) { m_color = color; }
  int GetCurrentColor() const { return m_color; }
  void SetPlates(bool plates) { m_rowUnit = plates ? 8 : 24; Refresh(); }
  void SetGrid(bool grid) { m_grid = grid; Refresh(); }

 private:
  void OnPaint(wxPaintEvent& event);
  void OnMouse(wxMouseEvent& event);

  CRotationModel& m_model;
  const ColorEntry* m_colors;
  int m_color = 15;
  int m_rowUnit = 24;
  bool m_grid = true;
};
