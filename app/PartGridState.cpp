#include "app/PartGridState.h"

#include <algorithm>

namespace {
bool small = false;
}

bool CPartGridState::IsSmall() { return small; }
void CPartGridState::SetSmall(bool s) { small = s; }

bool CPartGridState::Layout(int width, int height) {
  const int size = CellSize();
  const int columns = std::max(width, 0) / size;
  const int rows = std::max(height, 0) / size;
  const int top = (height - rows * size) / 2;
  const int left = ((width - columns * size) / 2) & ~3;
  const bool changed = static_cast<size_t>(columns) * static_cast<size_t>(rows) != m_cells.size();
  m_columns = columns;
  m_rows = rows;
  m_cells.clear();
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < columns; ++column)
      m_cells.push_back(PartCell{left + column * size, top + row * size, size});
  return changed;
}

int CPartGridState::CellAt(int x, int y) const {
  for (size_t i = 0; i < m_cells.size(); ++i)
    if (m_cells[i].Contains(x, y)) return static_cast<int>(i);
  return -1;
}

std::vector<PartHandle> CPartGridState::ShownParts(const std::vector<PartHandle>& members, int first,
                                                   unsigned cells) {
  if (cells == 0 || members.empty()) return {};
  const size_t n = members.size();
  if (n <= cells) return members;
  size_t start = static_cast<size_t>(std::max(first, 1) - 1);
  if (start + cells > n) start = n - cells;
  return std::vector<PartHandle>(members.begin() + static_cast<std::ptrdiff_t>(start),
                                 members.begin() + static_cast<std::ptrdiff_t>(start + cells));
}
