#include "dialogs/DlgSortParameters.h"

#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>

namespace {
constexpr int kDialogId = 223;
constexpr int kFirstKeyId = 1376;
constexpr int kAscendingId = 1379;
constexpr int kSelectedOnlyId = 1380;
}  // namespace

CDlgSortParameters::CDlgSortParameters(wxWindow* parent)
    : wxDialog(parent, kDialogId, "Sorting Parameters", wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE,
               "DlgSortParameters") {
  auto* keys = new wxStaticBoxSizer(wxVERTICAL, this, "Sort by");
  const char* labels[] = {"Color", "Position", "Part number"};
  for (int i = 0; i < 3; ++i) {
    m_keys[i] = new wxRadioButton(keys->GetStaticBox(), kFirstKeyId + i, labels[i], wxDefaultPosition,
                                  wxDefaultSize, i == 0 ? wxRB_GROUP : 0, wxDefaultValidator, labels[i]);
    keys->Add(m_keys[i], 0, wxALL, 4);
  }
  m_ascendingBox = new wxCheckBox(this, kAscendingId, "Ascending", wxDefaultPosition, wxDefaultSize, 0,
                                  wxDefaultValidator, "Ascending");
  m_selectedOnlyBox = new wxCheckBox(this, kSelectedOnlyId, "Selected only", wxDefaultPosition, wxDefaultSize, 0,
                                     wxDefaultValidator, "SelectedOnly");
  auto* options = new wxBoxSizer(wxVERTICAL);
  options->Add(m_ascendingBox, 0, wxBOTTOM, 8);
  options->Add(m_selectedOnlyBox);
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(keys, 0, wxRIGHT, 16);
  row->Add(options, 0, wxTOP, 8);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(row, 0, wxALL, 10);
  top->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxALL | wxEXPAND, 10);
  SetSizerAndFit(top);
  CentreOnParent();
}

bool CDlgSortParameters::TransferDataToWindow() {
  for (int i = 0; i < 3; ++i) m_keys[i]->SetValue(i == m_sortKey);
  m_ascendingBox->SetValue(m_ascending);
  m_selectedOnlyBox->SetValue(m_selectedOnly && m_hasSelection);
  m_selectedOnlyBox->Enable(m_hasSelection);
  return true;
}

bool CDlgSortParameters::TransferDataFromWindow() {
  for (int i = 0; i < 3; ++i)
    if (m_keys[i]->GetValue()) m_sortKey = i;
  m_ascending = m_ascendingBox->GetValue();
  m_selectedOnly = m_selectedOnlyBox->GetValue() && m_hasSelection;
  return true;
}
