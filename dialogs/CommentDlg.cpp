#include "dialogs/CommentDlg.h"

#include <wx/checkbox.h>
#include <wx/listbox.h>
#include <wx/sizer.h>

namespace {
constexpr int kDialogId = 138;
constexpr int kListId = 1007;
constexpr int kPartsCommentsId = 1087;
constexpr int kOldStyleId = 1088;
}  // namespace

CCommentDlg::CCommentDlg(wxWindow* parent, CommentCollector collect)
    : wxDialog(parent, kDialogId, "Comments", wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER,
               "CommentDlg"),
      m_collect(std::move(collect)) {
  m_list = new wxListBox(this, kListId, wxDefaultPosition, wxSize(460, 260), 0, nullptr, wxLB_SINGLE | wxLB_HSCROLL,
                         wxDefaultValidator, "Comments");
  m_partsComments = new wxCheckBox(this, kPartsCommentsId, "Show parts comments", wxDefaultPosition, wxDefaultSize,
                                   0, wxDefaultValidator, "PartsComments");
  m_oldStyle = new wxCheckBox(this, kOldStyleId, "Show old style comments", wxDefaultPosition, wxDefaultSize, 0,
                              wxDefaultValidator, "OldStyle");
  auto* checks = new wxBoxSizer(wxHORIZONTAL);
  checks->Add(m_partsComments, 0, wxRIGHT, 16);
  checks->Add(m_oldStyle);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(m_list, 1, wxALL | wxEXPAND, 10);
  top->Add(checks, 0, wxLEFT | wxRIGHT, 10);
  top->Add(CreateStdDialogButtonSizer(wxOK), 0, wxALL | wxEXPAND, 10);
  SetSizerAndFit(top);
  m_partsComments->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { Refill(); });
  m_oldStyle->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { Refill(); });
  CentreOnParent();
}

bool CCommentDlg::TransferDataToWindow() {
  Refill();
  return true;
}

void CCommentDlg::Refill() {
  m_list->Clear();
  if (!m_collect) return;
  const uint32_t flags = (m_partsComments->GetValue() ? 2u : 0u) + (m_oldStyle->GetValue() ? 1u : 0u);
  std::vector<std::string> comments;
  m_collect(comments, flags);
  wxArrayString items;
  for (const std::string& c : comments) items.Add(wxString::FromUTF8(c));
  if (!items.empty()) m_list->Append(items);
}
