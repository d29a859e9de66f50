#include "dialogs/DlgGroupCfg.h"

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "config/StringUtils.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

CDlgGroupCfg::CDlgGroupCfg(wxWindow* parent, CGroupListModel model)
    : wxDialog(parent, 215, "Parts Tree Configuration", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER, "DlgGroupCfg"),
      m_model(std::move(model)) {
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(new wxStaticText(this, wxID_ANY, "Tree and search strings (Display order)"), 0, wxLEFT | wxRIGHT | wxTOP, 10);
  m_list = new wxListCtrl(this, 1325, wxDefaultPosition, wxSize(380, 220), wxLC_REPORT | wxLC_SINGLE_SEL | wxBORDER_SUNKEN,
                          wxDefaultValidator, "GroupList");
  const std::string titles = LoadResString(kStringRuleColumns);
  for (int c = 0; c < 2; ++c) m_list->AppendColumn(wxString::FromUTF8(GetSubString(titles, c)), wxLIST_FORMAT_LEFT, 180);
  top->Add(m_list, 1, wxALL | wxEXPAND, 10);
  auto* fields = new wxFlexGridSizer(2, 6, 6);
  fields->AddGrowableCol(1);
  m_name = new wxTextCtrl(this, 1136, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "GroupName");
  m_rule = new wxTextCtrl(this, 1328, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "GroupRule");
  m_name->SetMaxLength(CGroupListModel::kMaxText);
  m_rule->SetMaxLength(CGroupListModel::kMaxText);
  fields->Add(new wxStaticText(this, wxID_ANY, "Name:"), 0, wxALIGN_CENTER_VERTICAL);
  fields->Add(m_name, 1, wxEXPAND);
  fields->Add(new wxStaticText(this, wxID_ANY, "Search string:"), 0, wxALIGN_CENTER_VERTICAL);
  fields->Add(m_rule, 1, wxEXPAND);
  top->Add(fields, 0, wxLEFT | wxRIGHT | wxEXPAND, 10);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  m_up = new wxButton(this, 1329, "Move up");
  m_down = new wxButton(this, 1331, "Move down");
  m_delete = new wxButton(this, 1333, "Delete");
  for (wxButton* b : {m_up, m_down, m_delete}) buttons->Add(b, 0, wxRIGHT, 6);
  buttons->AddStretchSpacer();
  buttons->Add(new wxButton(this, wxID_OK), 0, wxRIGHT, 6);
  buttons->Add(new wxButton(this, wxID_CANCEL));
  top->Add(buttons, 0, wxALL | wxEXPAND, 10);
  SetSizerAndFit(top);

  m_list->Bind(wxEVT_LIST_ITEM_SELECTED, &CDlgGroupCfg::OnListSelection, this);
  m_list->Bind(wxEVT_LIST_ITEM_DESELECTED, &CDlgGroupCfg::OnListSelection, this);
  for (wxTextCtrl* edit : {m_name, m_rule})
    edit->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) {
      ApplyEdit();
      e.Skip();
    });
  auto button = [this](wxButton* b, bool (CGroupListModel::*op)()) {
    b->Bind(wxEVT_BUTTON, [this, op](wxCommandEvent&) {
      ApplyEdit();
      if ((m_model.*op)()) {
        FillList();
        ShowSelected();
      }
    });
  };
  button(m_up, &CGroupListModel::MoveUp);
  button(m_down, &CGroupListModel::MoveDown);
  button(m_delete, &CGroupListModel::Delete);
  FillList();
  ShowSelected();
  CentreOnParent();
}

void CDlgGroupCfg::FillList() {
  m_updating = true;
  m_list->DeleteAllItems();
  const auto& rows = m_model.Rows();
  for (size_t i = 0; i < rows.size(); ++i) {
    long item = m_list->InsertItem(static_cast<long>(i), wxString::FromUTF8(rows[i].name));
    m_list->SetItem(item, 1, wxString::FromUTF8(rows[i].rule));
  }
  if (m_model.GetSelected() >= 0) {
    m_list->SetItemState(m_model.GetSelected(), wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                         wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    m_list->EnsureVisible(m_model.GetSelected());
  }
  m_updating = false;
  UpdateButtons();
}

void CDlgGroupCfg::ShowSelected() {
  const int row = m_model.GetSelected();
  m_name->ChangeValue(row >= 0 ? wxString::FromUTF8(m_model.Rows()[static_cast<size_t>(row)].name) : wxString());
  m_rule->ChangeValue(row >= 0 ? wxString::FromUTF8(m_model.Rows()[static_cast<size_t>(row)].rule) : wxString());
  UpdateButtons();
}

void CDlgGroupCfg::UpdateButtons() {
  m_up->Enable(m_model.CanMoveUp());
  m_down->Enable(m_model.CanMoveDown());
  m_delete->Enable(m_model.CanDelete());
}

void CDlgGroupCfg::ApplyEdit() {
  if (m_updating) return;
  const bool added = m_model.GetSelected() < 0;
  if (m_model.ApplyEdit(m_name->GetValue().utf8_string(), m_rule->GetValue().utf8_string())) FillList();
  if (added) UpdateButtons();
}

void CDlgGroupCfg::SelectRow(int row) {
  // Text typed into the edits belongs to the row that was selected while it was typed; GTK may
  // report the new selection before the edit loses the focus.
  ApplyEdit();
  m_model.Select(row);
  ShowSelected();
}

void CDlgGroupCfg::OnListSelection(wxListEvent&) {
  if (m_updating) return;
  long row = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
  if (static_cast<int>(row) == m_model.GetSelected()) return;
  SelectRow(static_cast<int>(row));
}

bool CDlgGroupCfg::TransferDataFromWindow() {
  ApplyEdit();
  const int bad = m_model.FindInvalidRow();
  if (bad < 0) return true;
  m_model.Select(bad);
  FillList();
  ShowSelected();
  const bool noName = m_model.Rows()[static_cast<size_t>(bad)].name.empty();
  ShowMessageId(noName ? kStringGroupNameMissing : kStringSearchInvalid, PromptButtons::Ok, PromptIcon::Stop);
  (noName ? m_name : m_rule)->SetFocus();
  return false;
}
