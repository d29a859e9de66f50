#include "dialogs/DlgAddLSynth.h"

#include <wx/choice.h>
#include <wx/sizer.h>

namespace {
constexpr int kDialogId = 235;
constexpr int kCommandsId = 1429;
}  // namespace

CDlgAddLSynth::CDlgAddLSynth(wxWindow* parent, const std::vector<std::string>& commands)
    : wxDialog(parent, kDialogId, "Add LSynth Command", wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE,
               "DlgAddLSynth") {
  m_commands = new wxChoice(this, kCommandsId, wxDefaultPosition, wxSize(260, -1), 0, nullptr, 0,
                            wxDefaultValidator, "Commands");
  for (const std::string& c : commands) m_commands->Append(wxString::FromUTF8(c));
  if (!commands.empty()) m_commands->SetSelection(0);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(m_commands, 0, wxALL | wxEXPAND, 10);
  top->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxALL | wxEXPAND, 10);
  SetSizerAndFit(top);
  CentreOnParent();
}

bool CDlgAddLSynth::TransferDataFromWindow() {
  // The entries stand in the caller's order, so the selection is the position in its list.
  m_result = m_commands->GetSelection() == wxNOT_FOUND ? -1 : m_commands->GetSelection();
  return true;
}
