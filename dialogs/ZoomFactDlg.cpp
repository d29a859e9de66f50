#include "dialogs/ZoomFactDlg.h"

#include <wx/button.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <cmath>

#include "dialogs/EditCheckCtrl.h"
#include "platform/Numbers.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {
constexpr int kEditId = 1108;
constexpr int kDefaultId = 1156;
}  // namespace

bool ParseZoomPercent(const std::string& text, double& factor) {
  std::string number = text;
  size_t end = number.find_last_not_of(" \t");
  if (end != std::string::npos && number[end] == '%') number.erase(end);
  double v = 0;
  if (!ParseDouble(number, v) || !(v >= kMinZoomPercent && v <= kMaxZoomPercent)) return false;
  factor = v / 100.0;
  return true;
}

std::string FormatZoomPercent(double factor) {
  double percent = std::clamp(factor * 100.0, kMinZoomPercent, kMaxZoomPercent);
  return FormatG(std::round(percent * 100.0) / 100.0);
}

CZoomFactDlg::CZoomFactDlg(wxWindow* parent)
    : wxDialog(parent, 158, "Zoom Factor", wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE,
               "ZoomFactDlg") {
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(new wxStaticText(this, wxID_ANY, "Zoom factor 1% to 500%:"), 0, wxLEFT | wxRIGHT | wxTOP, 10);
  m_edit = new wxTextCtrl(this, kEditId, wxEmptyString, wxDefaultPosition, wxSize(160, -1), 0,
                          wxDefaultValidator, "ZoomFactor");
  top->Add(m_edit, 0, wxALL | wxEXPAND, 10);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  buttons->Add(new wxButton(this, wxID_OK), 0, wxRIGHT, 6);
  buttons->Add(new wxButton(this, wxID_CANCEL), 0, wxRIGHT, 6);
  auto* def = new wxButton(this, kDefaultId, "Default");
  buttons->Add(def);
  top->Add(buttons, 0, wxALL | wxALIGN_RIGHT, 10);
  SetSizerAndFit(top);
  def->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    m_zoomFactor = 1.0;
    TransferDataToWindow();
  });
  CentreOnParent();
}

bool CZoomFactDlg::TransferDataToWindow() {
  m_edit->ChangeValue(wxString::FromUTF8(FormatZoomPercent(m_zoomFactor)));
  return true;
}

bool CZoomFactDlg::TransferDataFromWindow() {
  double v = 0;
  if (!ParseZoomPercent(m_edit->GetValue().utf8_string(), v)) {
    std::string text = NumberRangeText(kMinZoomPercent, kMaxZoomPercent);
    wxMessageBox(wxString::FromUTF8(text), "Plandor", wxOK | wxICON_EXCLAMATION, this);
    m_edit->SetFocus();
    return false;
  }
  m_zoomFactor = v;
  return true;
}
