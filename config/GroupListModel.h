#pragma once
// The rows of the parts-tree configuration: the user's part groups (name and search rule) in
// display order, the row being edited, and the edits, moves and deletions the dialog offers.
// The built-in groups that every part list ends with are not shown and not handed back.
#include <string>
#include <utility>
#include <vector>

class CPartList;

struct GroupRow {
  std::string name;
  std::string rule;
  bool operator==(const GroupRow&) const = default;
};

class CGroupListModel {
 public:
  static constexpr size_t kMaxText = 512;

  CGroupListModel() = default;
  explicit CGroupListModel(std::vector<GroupRow> rows) : m_rows(std::move(rows)) {}
  // The leading groups of the list that are not fixed.
  static CGroupListModel FromPartList(const CPartList& list);

  const std::vector<GroupRow>& Rows() const { return m_rows; }
  int GetSelected() const { return m_selected; }
  // Another row becomes the edited one (-1: none).
  void Select(int row);
  // The edits go into the selected row; without one, a name and a rule that are both given
  // become a new row, which is then selected. true when a row changed or was added.
  bool ApplyEdit(const std::string& name, const std::string& rule);
  bool CanMoveUp() const { return m_selected > 0; }
  bool CanMoveDown() const { return m_selected >= 0 && m_selected + 1 < static_cast<int>(m_rows.size()); }
  bool CanDelete() const { return m_selected >= 0; }
  bool MoveUp();
  bool MoveDown();
  bool Delete();
  // The first row whose name is empty or whose rule does not compile; -1 when every row is sound.
  int FindInvalidRow() const;
  // The rows as the part list takes them.
  std::vector<std::pair<std::string, std::string>> Result() const;

 private:
  std::vector<GroupRow> m_rows;
  int m_selected = -1;
};
