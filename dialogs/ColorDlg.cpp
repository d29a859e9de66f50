#include "dialogs/ColorDlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobox.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "config/ColorSource.h"
#include "config/StringUtils.h"
#include "dialogs/ColorButton.h"
#include "dialogs/CustomColorDlg.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {
constexpr int kColumns = 8;
wxString Wx(const std::string& s) { return wxString::FromUTF8(s); }

wxArrayString SortTabNames() {
  wxArrayString names;
  std::string list = LoadResString(kStringNumberNameColumns);
  for (int i = 0; i < 3; ++i) {
    std::string part = GetSubString(list, i);
    if (part.empty()) break;
    names.Add(Wx(part));
  }
  return names;
}
}  // namespace

CColorDlg::CColorDlg(wxWindow* parent)
    : wxDialog(parent, 136, Wx(LoadResString(kStringSelectColorTitle)), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE, "ColorDlg") {
  auto* top = new wxBoxSizer(wxVERTICAL);
  m_sortTabs = new wxRadioBox(this, kSortTabs, wxEmptyString, wxDefaultPosition, wxDefaultSize, SortTabNames(), 0,
                              wxRA_SPECIFY_COLS);
  top->Add(m_sortTabs, 0, wxLEFT | wxRIGHT | wxTOP, 8);

  auto* page = new wxBoxSizer(wxHORIZONTAL);
  auto* grid = new wxGridSizer(kColumns, wxSize(4, 4));
  for (int i = 0; i < kColorPageSize; ++i) {
    m_swatches[i] = new CColorButton(this, kFirstSwatch + i, wxSize(30, 30), wxString::Format("Swatch_%d", i));
    grid->Add(m_swatches[i]);
    Bind(wxEVT_BUTTON, [this, i](wxCommandEvent&) { SelectSwatch(i); }, kFirstSwatch + i);
  }
  page->Add(grid, 0, wxALL, 4);
  m_slider = new wxSlider(this, kPageSlider, 0, 0, kColorPages - 1, wxDefaultPosition, wxSize(-1, 136),
                          wxSL_VERTICAL);
  m_slider->SetPageSize(1);
  page->Add(m_slider, 0, wxALL, 4);
  top->Add(page, 0, wxLEFT | wxRIGHT, 4);

  auto* selection = new wxFlexGridSizer(3, wxSize(6, 4));
  m_selected = new CColorButton(this, kSelected, wxSize(40, 40), "Selected");
  selection->Add(m_selected, 0, wxALIGN_CENTER_VERTICAL);
  m_name = new wxTextCtrl(this, kNameEdit, wxEmptyString, wxDefaultPosition, wxSize(180, -1), wxTE_READONLY);
  selection->Add(m_name, 0, wxALIGN_CENTER_VERTICAL);
  m_transparent = new wxCheckBox(this, kTransparent, "Transparent");
  m_transparent->Disable();
  selection->Add(m_transparent, 0, wxALIGN_CENTER_VERTICAL);
  selection->Add(new wxStaticText(this, wxID_ANY, "Color number"), 0, wxALIGN_CENTER_VERTICAL);
  m_number = new wxTextCtrl(this, kNumberEdit, wxEmptyString, wxDefaultPosition, wxSize(120, -1));
  selection->Add(m_number, 0, wxALIGN_CENTER_VERTICAL);
  top->Add(selection, 0, wxALL, 8);

  auto* tables = new wxGridSizer(2, wxSize(4, 4));
  tables->Add(new wxButton(this, kSaveDefault, "Save as default colors"), 0, wxEXPAND);
  tables->Add(new wxButton(this, kLoadDefault, "Load default colors"), 0, wxEXPAND);
  tables->Add(new wxButton(this, kLDConfigDefault, "LDConfig as default"), 0, wxEXPAND);
  tables->Add(new wxButton(this, kLoadLDConfig, "Load LDConfig colors"), 0, wxEXPAND);
  top->Add(tables, 0, wxLEFT | wxRIGHT | wxEXPAND, 8);

  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  buttons->Add(new wxButton(this, wxID_OK), 0, wxRIGHT, 4);
  buttons->Add(new wxButton(this, kCustom, "Custom..."), 0, wxRIGHT, 4);
  buttons->Add(new wxButton(this, kDefine, "Define..."), 0, wxRIGHT, 4);
  buttons->Add(new wxButton(this, wxID_CANCEL));
  top->Add(buttons, 0, wxALL | wxALIGN_RIGHT, 8);
  SetSizerAndFit(top);

  Bind(wxEVT_INIT_DIALOG, &CColorDlg::OnInit, this);
  m_slider->Bind(wxEVT_SLIDER, [this](wxCommandEvent&) { ShowPage(); });
  m_sortTabs->Bind(wxEVT_RADIOBOX, [this](wxCommandEvent& e) { OnSortTabChanged(e.GetInt()); });
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCustom(); }, kCustom);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnDefine(); }, kDefine);
  for (int id : {kSaveDefault, kLoadDefault, kLDConfigDefault, kLoadLDConfig})
    Bind(wxEVT_BUTTON, [this, id](wxCommandEvent&) { OnTableButton(id); }, id);
  m_number->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
    event.Skip();
    if (IsShown()) CallAfter([this] {
      if (IsShown()) OnNumberEdit();
    });
  });
}

void CColorDlg::OnInit(wxInitDialogEvent&) {
  m_baseTitle = GetTitle().utf8_string();
  state.Init(GetActiveTableEntries());
  m_sortTabs->SetSelection(std::min<int>(state.sortMode, static_cast<int>(m_sortTabs->GetCount()) - 1));
  // Restricted, the number sort's first page holds exactly the colours that may be chosen.
  m_sortTabs->Enable(!state.restricted);
  m_slider->Enable(!state.restricted);
  FindWindow(kCustom)->Enable(state.CustomEnabled());
  for (int id : {kSaveDefault, kLoadDefault, kLoadLDConfig}) FindWindow(id)->Enable(state.TableButtonsEnabled());
  // The sort shows page 0 of its order, wherever the colour lies.
  m_slider->SetValue(0);
  ShowPage();
  ShowSelection();
}

void CColorDlg::ShowPage() {
  state.page = m_slider->GetValue();
  const ColorEntry* entries = GetActiveTableEntries();
  for (int i = 0; i < kColorPageSize; ++i) {
    m_swatches[i]->SetColor(state.SwatchColor(i));
    m_swatches[i]->SetToolTip(Wx(state.SwatchTip(entries, i)));
  }
  SetTitle(Wx(state.PageCaption(m_baseTitle, entries)));
}

void CColorDlg::ShowSelection() {
  const ColorEntry* entries = GetActiveTableEntries();
  m_name->ChangeValue(Wx(state.NameText(entries)));
  m_number->ChangeValue(Wx(state.NumberText()));
  m_selected->SetColor(state.colour);
  m_transparent->SetValue(state.Transparent(entries));
  FindWindow(kDefine)->Enable(state.DefineEnabled());
}

void CColorDlg::SelectSwatch(int position) {
  if (!state.SelectSwatch(position)) {
    ThePrompt().Beep();
    return;
  }
  ShowSelection();
}

void CColorDlg::OnNumberEdit() {
  if (m_number->GetValue().utf8_string() == state.NumberText()) return;
  if (!state.TypeNumber(m_number->GetValue().utf8_string())) ThePrompt().Beep();
  ShowSelection();
}

bool CColorDlg::TransferDataFromWindow() {
  std::string text = m_number->GetValue().utf8_string();
  if (text == state.NumberText()) return true;
  if (state.TypeNumber(text)) return true;
  ThePrompt().Beep();
  ShowSelection();
  return false;
}

void CColorDlg::OnSortTabChanged(int tab) {
  if (tab < 0 || tab > 2) {
    tab = 0;
    m_sortTabs->SetSelection(0);
  }
  ColorDlgSortTab = tab;
  state.Sort(GetActiveTableEntries(), tab);
  m_slider->SetValue(0);
  ShowPage();
}

void CColorDlg::OnCustom() {
  CCustomColorDlg dialog(this);
  dialog.state.customMode = 1;
  dialog.state.colour = state.colour;
  if (dialog.ShowModal() != wxID_OK) return;
  state.colour = dialog.state.colour;
  ShowSelection();
}

void CColorDlg::OnDefine() {
  if (!state.DefineEnabled()) return;
  CCustomColorDlg dialog(this);
  dialog.state.customMode = 0;
  dialog.state.colour = state.colour;
  if (dialog.ShowModal() != wxID_OK || !dialog.Defined()) return;
  state.paletteChanged = 1;
  ShowPage();
  ShowSelection();
}

void CColorDlg::OnTableButton(int id) {
  struct Ask {
    int id;
    unsigned text;
    PromptIcon icon;
  };
  const Ask asks[] = {{kSaveDefault, kStringSaveDefaultColorsAsk, PromptIcon::None},
                      {kLDConfigDefault, kStringLDConfigAsDefaultAsk, PromptIcon::Question},
                      {kLoadDefault, kStringLoadDefaultColorsAsk, PromptIcon::Question},
                      {kLoadLDConfig, kStringLoadLDConfigColorsAsk, PromptIcon::Question}};
  for (const Ask& a : asks) {
    if (a.id != id) continue;
    PromptAnswer answer = ShowMessage(LoadResString(a.text), PromptButtons::YesNo, a.icon);
    if (answer != PromptAnswer::Yes && answer != PromptAnswer::Ok) return;
  }
  switch (id) {
    case kSaveDefault: CColorDlgState::SaveAsDefault(GetActiveTableEntries()); return;
    case kLDConfigDefault: CColorDlgState::LDConfigAsDefault(); return;
    case kLoadDefault: state.LoadDefaultColors(GetActiveColorTable()); break;
    case kLoadLDConfig: state.LoadLDConfigColors(GetActiveColorTable()); break;
    default: return;
  }
  ShowPage();
  ShowSelection();
}
