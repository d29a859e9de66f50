#include "dialogs/DlgAutosteps.h"

#include <wx/button.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include "dialogs/EditCheckCtrl.h"
#include "dialogs/SettingsValidators.h"

namespace {
constexpr int kDialogId = 222;
constexpr int kFirstRadioId = 1374;
constexpr int kCountId = 1375;
}  // namespace

CDlgAutosteps::CDlgAutosteps(wxWindow* parent)
    : wxDialog(parent, kDialogId, "Autosteps", wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE,
               "DlgAutosteps") {
  m_byHeight = new wxRadioButton(this, kFirstRadioId, "Insert step after every change in height",
                                 wxDefaultPosition, wxDefaultSize, wxRB_GROUP, wxDefaultValidator, "ByHeight");
  m_byCount = new wxRadioButton(this, kFirstRadioId + 1, "Insert step after a fixed number of parts:",
                                wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ByCount");
  // The validator keeps the count to whole numbers in range and says so when it is not.
  m_count = (new CEditCheckCtrl(this, kCountId, NumberFieldType::Int, wxSize(90, -1), "PartCount"))
                ->WithValidator(CRangeValidator<int>(&m_partCount, kMinCount, kMaxCount));
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(m_byHeight, 0, wxLEFT | wxRIGHT | wxTOP, 10);
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(m_byCount, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
  row->Add(m_count, 0, wxALIGN_CENTER_VERTICAL);
  top->Add(row, 0, wxALL, 10);
  top->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxALL | wxEXPAND, 10);
  SetSizerAndFit(top);
  auto onRadio = [this](wxCommandEvent&) { EnableCount(); };
  m_byHeight->Bind(wxEVT_RADIOBUTTON, onRadio);
  m_byCount->Bind(wxEVT_RADIOBUTTON, onRadio);
  CentreOnParent();
}

void CDlgAutosteps::EnableCount() { m_count->Enable(m_byCount->GetValue()); }

bool CDlgAutosteps::TransferDataToWindow() {
  m_byHeight->SetValue(m_mode == kByHeight);
  m_byCount->SetValue(m_mode != kByHeight);
  EnableCount();
  return wxDialog::TransferDataToWindow();
}

bool CDlgAutosteps::TransferDataFromWindow() {
  int mode = m_byHeight->GetValue() ? kByHeight : kByCount;
  // By height the count is not used; a disabled field is not validated.
  if (mode == kByCount && !wxDialog::TransferDataFromWindow()) return false;
  m_mode = mode;
  return true;
}
