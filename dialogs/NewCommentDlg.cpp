#include "dialogs/NewCommentDlg.h"

#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

namespace {
constexpr int kDialogId = 145;
constexpr int kTextId = 1070;
constexpr int kOldStyleId = 1415;
}  // namespace

CNewCommentDlg::CNewCommentDlg(wxWindow* parent, const CommentEdit& data)
    : wxDialog(parent, kDialogId, "Comment", wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER,
               "NewCommentDlg"),
      m_data(data) {
  m_text = new wxTextCtrl(this, kTextId, wxEmptyString, wxDefaultPosition, wxSize(380, -1), 0, wxDefaultValidator,
                          "Text");
  m_oldStyle = new wxCheckBox(this, kOldStyleId, "Old style comment or meta command", wxDefaultPosition,
                              wxDefaultSize, 0, wxDefaultValidator, "OldStyle");
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(m_text, 0, wxALL | wxEXPAND, 10);
  top->Add(m_oldStyle, 0, wxLEFT | wxRIGHT, 10);
  top->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxALL | wxEXPAND, 10);
  SetSizerAndFit(top);
  CentreOnParent();
}

bool CNewCommentDlg::TransferDataToWindow() {
  m_text->ChangeValue(wxString::FromUTF8(m_data.text));
  // GTK places the caret when the dialog is shown: select the text after that.
  CallAfter([this] {
    // Showing a position moves the caret, which drops a selection: select last.
    m_text->SetFocus();
    m_text->ShowPosition(0);
    m_text->SelectAll();
  });
  m_oldStyle->SetValue(m_data.oldStyle);
  return true;
}

bool CNewCommentDlg::TransferDataFromWindow() {
  // A model line holds no line break; one pasted in would split the element on the next read.
  std::string text = m_text->GetValue().utf8_string();
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  m_data.text = text;
  m_data.oldStyle = m_oldStyle->GetValue();
  return true;
}
