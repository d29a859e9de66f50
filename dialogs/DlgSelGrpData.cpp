#include "dialogs/DlgSelGrpData.h"

#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>

#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {
constexpr int kDialogId = 202;
constexpr int kNameId = 1254;
}  // namespace

bool AcceptGroupName(const std::string& name, const std::vector<std::string>& otherNames) {
  return !name.empty() && std::find(otherNames.begin(), otherNames.end(), name) == otherNames.end();
}

CDlgSelGrpData::CDlgSelGrpData(wxWindow* parent, const GroupEdit& data)
    : wxDialog(parent, kDialogId, "Group", wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE, "DlgSelGrpData"),
      m_data(data) {
  m_name = new wxTextCtrl(this, kNameId, wxEmptyString, wxDefaultPosition, wxSize(260, -1), 0, wxDefaultValidator,
                          "Name");
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(new wxStaticText(this, wxID_ANY, "Group name:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
  row->Add(m_name, 1);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(row, 0, wxALL | wxEXPAND, 10);
  top->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxALL | wxEXPAND, 10);
  SetSizerAndFit(top);
  CentreOnParent();
}

bool CDlgSelGrpData::TransferDataToWindow() {
  m_name->ChangeValue(wxString::FromUTF8(m_data.name.empty() ? std::string("Group name") : m_data.name));
  // GTK places the caret when the dialog is shown: select the name after that.
  CallAfter([this] {
    m_name->SetFocus();
    m_name->SelectAll();
  });
  return true;
}

bool CDlgSelGrpData::TransferDataFromWindow() {
  const std::string name = m_name->GetValue().utf8_string();
  if (!AcceptGroupName(name, m_data.otherNames)) {
    ShowMessage(LoadResString(kStringGroupNameTaken), PromptButtons::Ok, PromptIcon::Exclamation);
    m_name->SetFocus();
    return false;
  }
  m_data.name = name;
  return true;
}
