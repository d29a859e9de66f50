#pragma once
// "Parts Tree Configuration": the user's part groups of the part tree, each a name (a backslash
// makes sub-branches) and a search rule, listed in display order; rows are added, changed, moved
// and deleted. OK hands back the new rows only when every row has a name and a rule that compiles.
#include <wx/dialog.h>

#include <string>
#include <utility>
#include <vector>

#include "config/GroupListModel.h"

class wxButton;
class wxListCtrl;
class wxListEvent;
class wxTextCtrl;

class CDlgGroupCfg : public wxDialog {
 public:
  CDlgGroupCfg(wxWindow* parent, CGroupListModel model);

  CGroupListModel& Model() { return m_model; }
  // After OK: the groups in display order.
  std::vector<std::pair<std::string, std::string>> GetGroups() const { return m_model.Result(); }

  // What the controls do, callable by tests.
  void ApplyEdit();
  void SelectRow(int row);
  bool TransferDataFromWindow() override;
  wxListCtrl* GetList() const { return m_list; }
  wxTextCtrl* GetNameEdit() const { return m_name; }
  wxTextCtrl* GetRuleEdit() const { return m_rule; }

 private:
  void FillList();
  void ShowSelected();
  void UpdateButtons();
  void OnListSelection(wxListEvent& event);

  CGroupListModel m_model;
  wxListCtrl* m_list;
  wxTextCtrl* m_name;
  wxTextCtrl* m_rule;
  wxButton* m_up;
  wxButton* m_down;
  wxButton* m_delete;
  bool m_updating = false;
};
