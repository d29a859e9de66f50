#include "dialogs/DlgNewModel.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

#include <strings.h>

#include "config/PartList.h"
#include "config/StringUtils.h"
#include "platform/Prompt.h"
#include "resources/StringIds.h"

namespace {
constexpr int kDialogId = 162;
constexpr int kNameId = 1136;
constexpr int kDescriptionId = 1137;
}  // namespace

std::string AcceptModelName(const std::string& typed, const std::string& startingName, const CPartList& list) {
  if (!typed.empty() && typed == startingName) return typed;
  std::string name = typed;
  TrimString(name);
  if (name.find('.') == std::string::npos) name += ".ldr";
  // The model itself is in the list: a change of letter case only is no clash with another model.
  if (!startingName.empty() && strcasecmp(name.c_str(), startingName.c_str()) == 0) return name;
  if (list.FindByName(name, kAllCategories) != 0) return {};
  return name;
}

CDlgNewModel::CDlgNewModel(wxWindow* parent, const CLibraryContext& library)
    : wxDialog(parent, kDialogId, "Model Information", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER, "DlgNewModel"),
      m_partList(library.partList) {
  auto* grid = new wxFlexGridSizer(2, 6, 8);
  grid->AddGrowableCol(1);
  grid->Add(new wxStaticText(this, wxID_ANY, "&Name:"), 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(new wxTextCtrl(this, kNameId, wxEmptyString, wxDefaultPosition, wxSize(260, -1), 0,
                           wxTextValidator(wxFILTER_NONE, &m_nameText), "Name"),
            1, wxEXPAND);
  grid->Add(new wxStaticText(this, wxID_ANY, "&Description:"), 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(new wxTextCtrl(this, kDescriptionId, wxEmptyString, wxDefaultPosition, wxSize(260, -1), 0,
                           wxTextValidator(wxFILTER_NONE, &m_descriptionText), "Description"),
            1, wxEXPAND);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(grid, 1, wxALL | wxEXPAND, 10);
  top->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxALL | wxEXPAND, 10);
  SetSizerAndFit(top);
  CentreOnParent();
}

bool CDlgNewModel::TransferDataToWindow() {
  m_startingName = m_name;
  m_nameText = wxString::FromUTF8(m_name);
  m_descriptionText = wxString::FromUTF8(m_description);
  return wxDialog::TransferDataToWindow();
}

bool CDlgNewModel::TransferDataFromWindow() {
  if (!wxDialog::TransferDataFromWindow()) return false;
  std::string name = AcceptModelName(m_nameText.utf8_string(), m_startingName, m_partList);
  if (name.empty()) {
    ShowMessageId(kStringModelNameTaken, PromptButtons::Ok, PromptIcon::Exclamation);
    if (wxWindow* edit = FindWindow(kNameId)) edit->SetFocus();
    return false;
  }
  m_name = name;
  m_description = m_descriptionText.utf8_string();
  return true;
}
