#include "dialogs/MinifigDlg.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/radiobox.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>

#include <algorithm>

#include "config/IniFile.h"
#include "dialogs/ColorButton.h"
#include "dialogs/ColorDlg.h"
#include "dialogs/ModelPreview.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {
// One output choice for the whole run, as the user left it last.
int g_outputKind = 1;

wxString Res(unsigned id) { return wxString::FromUTF8(LoadResString(id)); }
}  // namespace

CMinifigDlg::CMinifigDlg(wxWindow* parent, CIniFile& ini)
    : wxDialog(parent, kDialogId, Res(kStringMinifigCaption), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER) {
  if (!m_creator.LoadAllInfos(ini))
    m_iniMessage =
        wxString::FromUTF8(FillTextArgs(LoadResString(kStringMinifigNoIni), {CIniFile::kFileName}));

  auto* grid = new wxFlexGridSizer(4, 4, 6);
  for (int s = 0; s < kMinifigSlotCount; ++s) {
    const MinifigSlot& slot = m_creator.GetSlot(s);
    grid->Add(new wxStaticText(this, wxID_ANY, wxString::FromUTF8(slot.label)), 0, wxALIGN_CENTER_VERTICAL);
    if (slot.comboId) {
      auto* choice = new wxChoice(this, slot.comboId);
      for (const MinifigInfo& info : slot.choices) choice->Append(wxString::FromUTF8(info.description));
      choice->SetSelection(slot.choice);
      choice->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { ReadControlsAndBuild(); });
      m_choices[s] = choice;
      grid->Add(choice, 1, wxEXPAND);
    } else {
      // A slot with one part shows it without a list.
      const wxString only =
          slot.choices.empty() ? wxString() : wxString::FromUTF8(slot.choices[0].description);
      grid->Add(new wxStaticText(this, wxID_ANY, only), 0, wxALIGN_CENTER_VERTICAL);
    }
    if (slot.spinId) {
      auto* angle = new wxSpinCtrl(this, slot.spinId, "0", wxDefaultPosition, wxSize(90, -1), wxSP_ARROW_KEYS,
                                   slot.angleMin, slot.angleMax, 0);
      angle->Bind(wxEVT_SPINCTRL, [this](wxSpinEvent&) { ReadControlsAndBuild(); });
      angle->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { ReadControlsAndBuild(); });
      m_angles[s] = angle;
      grid->Add(angle);
    } else {
      grid->AddSpacer(1);
    }
    auto* color = new CColorButton(this, kMinifigFirstColorButton + s, wxSize(40, 20));
    color->SetColor(slot.color);
    Bind(
        wxEVT_BUTTON, [this, s](wxCommandEvent&) { OnColorButton(s); }, kMinifigFirstColorButton + s);
    m_colors[s] = color;
    grid->Add(color, 0, wxALIGN_CENTER_VERTICAL);
  }
  grid->AddGrowableCol(1, 1);

  m_preview = new CModelPreview(this, kPreview, wxSize(260, 320));
  const wxString kinds[] = {Res(kStringMinifigInsertCurrent), Res(kStringMinifigNewSubmodel),
                            Res(kStringMinifigNewFile)};
  m_output = new wxRadioBox(this, kOutputBox, Res(kStringMinifigOutput), wxDefaultPosition, wxDefaultSize, 3,
                            kinds, 1, wxRA_SPECIFY_COLS);
  m_output->SetSelection(std::clamp(g_outputKind, 0, 2));
  m_message = new wxStaticText(this, wxID_ANY, "");

  auto* side = new wxBoxSizer(wxVERTICAL);
  side->Add(m_preview, 1, wxEXPAND | wxBOTTOM, 8);
  side->Add(m_output, 0, wxEXPAND | wxBOTTOM, 8);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  buttons->Add(new wxButton(this, wxID_OK, "OK"), 0, wxRIGHT, 6);
  buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"));
  side->Add(buttons, 0, wxALIGN_RIGHT);
  auto* top = new wxBoxSizer(wxHORIZONTAL);
  top->Add(grid, 1, wxALL | wxEXPAND, 8);
  top->Add(side, 0, wxTOP | wxRIGHT | wxBOTTOM | wxEXPAND, 8);
  auto* all = new wxBoxSizer(wxVERTICAL);
  all->Add(top, 1, wxEXPAND);
  all->Add(m_message, 0, wxLEFT | wxRIGHT | wxBOTTOM | wxEXPAND, 8);
  SetSizerAndFit(all);
  Bind(wxEVT_BUTTON, &CMinifigDlg::OnOK, this, wxID_OK);

  m_creator.BuildFigure();
  m_preview->SetModel(&m_creator.GetFigure());
  m_preview->SetMouseRotation(true);
  m_preview->SetView(CMatrix3::Identity(), CMatrix3::Identity());
  m_preview->RefreshPreview();
  ShowMessage();
}

CMinifigDlg::~CMinifigDlg() {
  // The preview must not draw a figure that is going away.
  if (m_preview) m_preview->SetModel(nullptr);
}

int CMinifigDlg::GetOutputKind() const { return std::clamp(m_output->GetSelection(), 0, 2); }

wxString CMinifigDlg::GetMessage() const { return m_message->GetLabel(); }

void CMinifigDlg::ReadControlsAndBuild() {
  for (int s = 0; s < kMinifigSlotCount; ++s) {
    // No selection keeps the choice the slot had.
    if (m_choices[s] && m_choices[s]->GetSelection() != wxNOT_FOUND)
      m_creator.SetChoice(s, m_choices[s]->GetSelection());
    if (m_angles[s]) m_creator.SetAngle(s, m_angles[s]->GetValue());
  }
  m_creator.BuildFigure();
  m_preview->RefreshPreview();
  ShowMessage();
}

void CMinifigDlg::SetSlotColor(int slot, uint32_t color) {
  if (slot < 0 || slot >= kMinifigSlotCount) return;
  m_creator.SetColor(slot, color);
  m_colors[slot]->SetColor(color);
  ReadControlsAndBuild();
}

void CMinifigDlg::OnColorButton(int slot) {
  CColorDlg dialog(this);
  dialog.state.colour = m_creator.GetSlot(slot).color;
  dialog.state.restricted = 0;
  dialog.state.paletteEditable = 0;
  if (dialog.ShowModal() == wxID_OK) SetSlotColor(slot, dialog.state.colour);
}

void CMinifigDlg::OnOK(wxCommandEvent& event) {
  ReadControlsAndBuild();
  g_outputKind = GetOutputKind();
  event.Skip();
}

void CMinifigDlg::ShowMessage() {
  wxString text = m_iniMessage;
  const auto& missing = m_creator.GetMissingParts();
  if (!missing.empty()) {
    std::string names;
    for (const std::string& name : missing) names += (names.empty() ? "" : ", ") + name;
    if (!text.empty()) text += "\n";
    text += wxString::FromUTF8(FillTextArgs(LoadResString(kStringMinifigMissingParts), {names}));
  }
  if (m_message->GetLabel() != text) {
    m_message->SetLabel(text);
    Layout();
  }
}
