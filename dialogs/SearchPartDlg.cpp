#include "dialogs/SearchPartDlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include "config/SearchString.h"
#include "platform/Prompt.h"
#include "resources/StringIds.h"

CSearchPartDlg::CSearchPartDlg(wxWindow* parent)
    : wxDialog(parent, 152, "Search Part", wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE,
               "SearchPartDlg") {
  auto* top = new wxBoxSizer(wxVERTICAL);
  m_edit = new wxTextCtrl(this, 1101, wxEmptyString, wxDefaultPosition, wxSize(280, -1), 0, wxDefaultValidator,
                          "SearchText");
  m_edit->SetMaxLength(kMaxText);
  top->Add(m_edit, 0, wxALL | wxEXPAND, 10);
  m_byNumber = new wxRadioButton(this, 1102, "Search in part number", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
  m_byName = new wxRadioButton(this, 1103, "Search in part names");
  m_case = new wxCheckBox(this, 1104, "Match case");
  for (wxWindow* w : {static_cast<wxWindow*>(m_byNumber), static_cast<wxWindow*>(m_byName),
                      static_cast<wxWindow*>(m_case)})
    top->Add(w, 0, wxLEFT | wxRIGHT | wxBOTTOM, 10);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  auto* ok = new wxButton(this, wxID_OK);
  ok->SetDefault();
  buttons->Add(ok, 0, wxRIGHT, 6);
  buttons->Add(new wxButton(this, wxID_CANCEL));
  top->Add(buttons, 0, wxALL | wxALIGN_RIGHT, 10);
  SetSizerAndFit(top);
  CentreOnParent();
}

bool CSearchPartDlg::TransferDataToWindow() {
  m_edit->ChangeValue(wxString::FromUTF8(m_text));
  m_byNumber->SetValue(m_field == 0);
  m_byName->SetValue(m_field == 1);
  m_case->SetValue(m_matchCase);
  m_edit->SetFocus();
  return true;
}

bool CSearchPartDlg::TransferDataFromWindow() {
  std::string text = m_edit->GetValue().utf8_string();
  CSearchString search;
  if (search.SetExpression(text) != CSearchString::kOk) {
    ShowMessageId(kStringSearchInvalid, PromptButtons::Ok, PromptIcon::Stop);
    m_edit->SetFocus();
    return false;
  }
  m_text = text;
  m_field = m_byNumber->GetValue() ? 0 : m_byName->GetValue() ? 1 : -1;
  m_matchCase = m_case->GetValue();
  return true;
}
