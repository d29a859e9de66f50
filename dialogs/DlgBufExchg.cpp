#include "dialogs/DlgBufExchg.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace {
constexpr int kDialogId = 200;
constexpr int kBufferId = 1251;
constexpr int kRetrieveId = 1252;
constexpr int kBuffers = 26;
}  // namespace

std::string BufferLetter(int index) { return std::string(1, static_cast<char>('A' + index)); }

CDlgBufExchg::CDlgBufExchg(wxWindow* parent, const BufExchgEdit& data)
    : wxDialog(parent, kDialogId, "Buffer Exchange", wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE,
               "DlgBufExchg"),
      m_data(data) {
  m_buffer = new wxChoice(this, kBufferId, wxDefaultPosition, wxSize(80, -1), 0, nullptr, 0, wxDefaultValidator,
                          "Buffer");
  m_retrieve = new wxCheckBox(this, kRetrieveId, "Retrieve", wxDefaultPosition, wxDefaultSize, 0,
                              wxDefaultValidator, "Retrieve");
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(new wxStaticText(this, wxID_ANY, "Buffer:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
  row->Add(m_buffer, 0, wxRIGHT, 16);
  row->Add(m_retrieve, 0, wxALIGN_CENTER_VERTICAL);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(row, 0, wxALL, 10);
  top->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxALL | wxEXPAND, 10);
  SetSizerAndFit(top);
  CentreOnParent();
}

bool CDlgBufExchg::TransferDataToWindow() {
  m_buffer->Clear();
  for (int i = 0; i < kBuffers; ++i) m_buffer->Append(BufferLetter(i));
  m_buffer->SetSelection(m_data.buffer < kBuffers ? m_data.buffer : 0);
  m_retrieve->SetValue(m_data.mode != 0);
  return true;
}

bool CDlgBufExchg::TransferDataFromWindow() {
  const int selected = m_buffer->GetSelection();
  m_data.buffer = static_cast<uint8_t>(selected == wxNOT_FOUND ? 0 : selected);
  m_data.mode = m_retrieve->GetValue() ? 1 : 0;
  return true;
}
