#pragma once
// The thumbnail grid of the part browser without its window: the cell size (large or small, one
// switch for every grid of the process), the cells laid out in the client area, which parts of a
// group fill them, and which cell lies under a point. The window paints and renders; this decides.
#include <vector>

#include "config/PartList.h"

struct PartCell {
  int x = 0, y = 0, size = 0;
  bool Contains(int px, int py) const { return px >= x && py >= y && px < x + size && py < y + size; }
};

class CPartGridState {
 public:
  static constexpr int kLargeSize = 72;
  static constexpr int kSmallSize = 48;

  // The process-wide size switch; it starts large.
  static bool IsSmall();
  static void SetSmall(bool small);
  static int CellSize() { return IsSmall() ? kSmallSize : kLargeSize; }

  // Lays the cells out for a client area (whole cells, centred, the left margin a multiple of 4).
  // True when the number of cells changed.
  bool Layout(int width, int height);
  int GetColumns() const { return m_columns; }
  unsigned GetCellCount() const { return static_cast<unsigned>(m_cells.size()); }
  const std::vector<PartCell>& Cells() const { return m_cells; }
  // The cell under a point, -1 when there is none.
  int CellAt(int x, int y) const;
  // Switching from small to large needs room for one large cell.
  static bool CanSwitchToLarge(int width, int height) { return width >= kLargeSize && height >= kLargeSize; }

  // The parts shown for a group's members from position first (counted from 1): all of them when
  // they fit, else cells parts from first, moved back so that the grid is always full.
  static std::vector<PartHandle> ShownParts(const std::vector<PartHandle>& members, int first, unsigned cells);

 private:
  int m_columns = 0;
  int m_rows = 0;
  std::vector<PartCell> m_cells;
};
