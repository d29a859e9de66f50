#pragma once
// The rows of the part chooser, without any toolkit: every library part, library model and model
// of the document (part-list categories 0, 1 and 2, in that order), sortable by file name or by
// description without regard to case. The sort column is one value for the whole run, so that
// the next chooser opens sorted as the last one was left.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "config/PartList.h"

class CPartChoiceList {
 public:
  static constexpr int kByNumber = 0;
  static constexpr int kByName = 1;
  static constexpr size_t kNoRow = static_cast<size_t>(-1);

  // The column the choosers sort by (kByNumber at the start of the run).
  static int& SortColumn();

  // Takes the rows from the list and sorts them by the sort column.
  explicit CPartChoiceList(const CPartList& list);

  size_t GetCount() const { return m_rows.size(); }
  PartHandle GetHandle(size_t row) const { return row < m_rows.size() ? m_rows[row] : 0; }
  std::string GetFileName(size_t row) const;
  std::string GetDescription(size_t row) const;

  // Makes the column the sort column and sorts by it.
  void SortBy(int column);
  // The row of the handle; the first row when the handle is 0 or not listed (kNoRow when empty).
  size_t FindRow(PartHandle handle) const;
  // What OK gives: nothing with the custom file or without a selected row, else the row's handle.
  std::optional<PartHandle> Chosen(bool custom, size_t selectedRow) const;

 private:
  void Sort();

  const CPartList& m_list;
  std::vector<PartHandle> m_rows;
};
