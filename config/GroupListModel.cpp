#include "config/GroupListModel.h"

#include <utility>

#include "config/PartList.h"
#include "config/SearchString.h"

CGroupListModel CGroupListModel::FromPartList(const CPartList& list) {
  std::vector<GroupRow> rows;
  for (unsigned i = 0; i < list.GetGroupCount(); ++i) {
    const PartGroup* g = list.GetGroup(i);
    if (g->fixed) break;
    rows.push_back({g->name, g->rule});
  }
  return CGroupListModel(std::move(rows));
}

void CGroupListModel::Select(int row) {
  m_selected = row >= 0 && row < static_cast<int>(m_rows.size()) ? row : -1;
}

bool CGroupListModel::ApplyEdit(const std::string& name, const std::string& rule) {
  const std::string n = name.substr(0, kMaxText), r = rule.substr(0, kMaxText);
  if (m_selected >= 0) {
    GroupRow& row = m_rows[static_cast<size_t>(m_selected)];
    if (row.name == n && row.rule == r) return false;
    row = {n, r};
    return true;
  }
  if (n.empty() || r.empty()) return false;
  m_rows.push_back({n, r});
  m_selected = static_cast<int>(m_rows.size()) - 1;
  return true;
}

bool CGroupListModel::MoveUp() {
  if (!CanMoveUp()) return false;
  std::swap(m_rows[static_cast<size_t>(m_selected)], m_rows[static_cast<size_t>(m_selected - 1)]);
  --m_selected;
  return true;
}

bool CGroupListModel::MoveDown() {
  if (!CanMoveDown()) return false;
  std::swap(m_rows[static_cast<size_t>(m_selected)], m_rows[static_cast<size_t>(m_selected + 1)]);
  ++m_selected;
  return true;
}

bool CGroupListModel::Delete() {
  if (!CanDelete()) return false;
  m_rows.erase(m_rows.begin() + m_selected);
  m_selected = -1;
  return true;
}

int CGroupListModel::FindInvalidRow() const {
  for (size_t i = 0; i < m_rows.size(); ++i) {
    CSearchString search;
    // A group without a name or with a rule that does not compile would make the part list fall
    // back to its default groups at the next start, losing every user group.
    if (m_rows[i].name.empty() || search.SetExpression(m_rows[i].rule) != CSearchString::kOk)
      return static_cast<int>(i);
  }
  return -1;
}

std::vector<std::pair<std::string, std::string>> CGroupListModel::Result() const {
  std::vector<std::pair<std::string, std::string>> result;
  result.reserve(m_rows.size());
  for (const GroupRow& row : m_rows) result.emplace_back(row.name, row.rule);
  return result;
}
