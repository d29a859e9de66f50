#include "dialogs/ProgressDlg.h"

#include <wx/app.h>

#include <algorithm>
#include <wx/button.h>
#include <wx/evtloop.h>
#include <wx/gauge.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "platform/Numbers.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

std::string ProgressPercentText(int position, int lower, int upper) {
  if (upper == lower) return "0%";
  long long p = (static_cast<long long>(position) - lower) * 100 / (static_cast<long long>(upper) - lower);
  if (p != 100) p %= 100;
  return StrPrintf("%d%c", static_cast<int>(p), '%');
}

CProgressDlg::CProgressDlg(unsigned captionId) : m_captionId(captionId ? captionId : kStringProgressCaption) {}

CProgressDlg::~CProgressDlg() {
  if (m_ownerDisabled && m_owner) m_owner->Enable(true);
}

bool CProgressDlg::Create(wxWindow* owner) {
  m_owner = owner ? owner : wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
  if (m_owner && m_owner->IsEnabled()) {
    m_owner->Enable(false);
    m_ownerDisabled = true;
  }
  std::string title = LoadResString(m_captionId);
  if (!wxDialog::Create(m_owner, 103, wxString::FromUTF8(title), wxDefaultPosition, wxDefaultSize,
                        wxCAPTION, "ProgressDlg")) {
    if (m_ownerDisabled) m_owner->Enable(true);
    m_ownerDisabled = false;
    return false;
  }
  auto* top = new wxBoxSizer(wxVERTICAL);
  m_message = new wxStaticText(this, 1005, wxEmptyString, wxDefaultPosition, wxSize(300, -1));
  top->Add(m_message, 0, wxALL | wxEXPAND, 10);
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  m_bar = new wxGauge(this, 1003, 100, wxDefaultPosition, wxSize(250, -1));
  row->Add(m_bar, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
  m_percent = new wxStaticText(this, 1004, " 0 %", wxDefaultPosition, wxSize(45, -1));
  row->Add(m_percent, 0, wxALIGN_CENTER_VERTICAL);
  top->Add(row, 0, wxLEFT | wxRIGHT | wxEXPAND, 10);
  top->Add(new wxButton(this, wxID_CANCEL), 0, wxALL | wxALIGN_CENTER_HORIZONTAL, 10);
  SetSizerAndFit(top);
  SetRange(m_lower, m_upper);
  m_position = m_lower;
  m_bar->SetValue(0);
  Bind(wxEVT_BUTTON, &CProgressDlg::OnCancel, this, wxID_CANCEL);
  Bind(wxEVT_CLOSE_WINDOW, &CProgressDlg::OnClose, this);
  Bind(wxEVT_CHAR_HOOK, &CProgressDlg::OnCharHook, this);
  CentreOnParent();
  Show();
  return true;
}

void CProgressDlg::SetRange(int lower, int upper) {
  // The bar's bounds are 16 bits wide; the bar shows the position relative to lower.
  m_lower = static_cast<short>(lower);
  m_upper = static_cast<short>(upper);
  if (m_bar) m_bar->SetRange(std::max(1, m_upper - m_lower));
}

void CProgressDlg::SetStep(int step) { m_step = step; }

void CProgressDlg::PumpMessages() {
  // Run what is waiting without blocking; the disabled owner keeps its input away meanwhile.
  if (wxTheApp) wxTheApp->Yield(true);
}

void CProgressDlg::UpdatePercent() { UpdatePercent(m_position); }

void CProgressDlg::UpdatePercent(int shownPosition) {
  if (m_bar) {
    int range = std::max(1, m_upper - m_lower);
    m_bar->SetValue(std::clamp(m_position - m_lower, 0, range));
  }
  if (!m_percent) return;
  wxString text = ProgressPercentText(shownPosition, m_lower, m_upper);
  // Rewriting an unchanged label only flickers.
  if (m_percent->GetLabel() != text) m_percent->SetLabel(text);
}

void CProgressDlg::SetPos(int position) {
  PumpMessages();
  m_position = position;
  UpdatePercent();
}

int CProgressDlg::StepIt() {
  PumpMessages();
  int previous = m_position;
  int next = previous + m_step;
  // The bar wraps round past its upper end, as a stepped progress bar does; the percentage is
  // that of previous + step (so 150 % of the range reads "50%").
  m_position = next > m_upper && m_upper > m_lower ? m_lower + (next - m_upper) : next;
  UpdatePercent(next);
  return previous;
}

bool CProgressDlg::CheckCancel() {
  PumpMessages();
  return m_cancelled;
}

void CProgressDlg::SetMessage(const std::string& text) {
  if (m_message) m_message->SetLabel(wxString::FromUTF8(text));
}

std::string CProgressDlg::GetPercentText() const {
  return m_percent ? m_percent->GetLabel().utf8_string() : std::string();
}

void CProgressDlg::OnCancel(wxCommandEvent&) { m_cancelled = true; }

void CProgressDlg::OnClose(wxCloseEvent&) {
  // Closing the window is a Cancel as well; the operation decides when the window goes.
  m_cancelled = true;
}

void CProgressDlg::OnCharHook(wxKeyEvent& event) {
  if (event.GetKeyCode() == WXK_ESCAPE) {
    m_cancelled = true;
    return;
  }
  // Enter is ignored so that a stray key press does not end the operation.
  if (event.GetKeyCode() == WXK_RETURN || event.GetKeyCode() == WXK_NUMPAD_ENTER) return;
  event.Skip();
}
