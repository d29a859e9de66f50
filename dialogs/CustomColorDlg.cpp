#include "dialogs/CustomColorDlg.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "config/ColorSource.h"
#include "config/StringUtils.h"
#include "dialogs/ColorButton.h"
#include "dialogs/HSVBox.h"
#include "dialogs/HSVSlider.h"
#include "platform/Numbers.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {
constexpr int kMainIds[6] = {CCustomColorDlg::kMainH, CCustomColorDlg::kMainS, CCustomColorDlg::kMainV,
                             CCustomColorDlg::kMainR, CCustomColorDlg::kMainG, CCustomColorDlg::kMainB};
constexpr int kEdgeIds[6] = {CCustomColorDlg::kEdgeH, CCustomColorDlg::kEdgeS, CCustomColorDlg::kEdgeV,
                             CCustomColorDlg::kEdgeR, CCustomColorDlg::kEdgeG, CCustomColorDlg::kEdgeB};
const char* const kLabels[6] = {"H", "S", "V", "R", "G", "B"};
constexpr int kFieldSize = 130;

// A component edit: a whole number 0-255.
bool ReadComponent(wxTextCtrl* edit, int& value) {
  int32_t v = 0;
  if (!ParseInt32(edit->GetValue().utf8_string(), v) || v < 0 || v > 255) return false;
  value = v;
  return true;
}
}  // namespace

CCustomColorDlg::CCustomColorDlg(wxWindow* parent)
    : wxDialog(parent, 180, wxString::FromUTF8(LoadResString(kStringCustomColorTitle)), wxDefaultPosition,
               wxDefaultSize, wxDEFAULT_DIALOG_STYLE, "CustomColorDlg") {
  auto* top = new wxBoxSizer(wxVERTICAL);
  auto* groups = new wxBoxSizer(wxHORIZONTAL);
  MakeGroup(this, groups, false);
  MakeGroup(this, groups, true);
  top->Add(groups, 0, wxALL, 6);

  auto* row = new wxBoxSizer(wxHORIZONTAL);
  wxArrayString modes;
  std::string list = LoadResString(kStringCustomColorModes);
  for (int i = 0; i < 4; ++i) modes.Add(wxString::FromUTF8(GetSubString(list, i)));
  m_mode = new wxChoice(this, kModeList, wxDefaultPosition, wxDefaultSize, modes);
  row->Add(m_mode, 0, wxALIGN_CENTER_VERTICAL | wxALL, 4);
  row->Add(new wxStaticText(this, wxID_ANY, "Preview"), 0, wxALIGN_CENTER_VERTICAL | wxALL, 4);
  m_preview = new CColorButton(this, kPreview, wxSize(32, 32), "Preview");
  row->Add(m_preview, 0, wxALIGN_CENTER_VERTICAL | wxALL, 4);
  row->Add(new wxStaticText(this, wxID_ANY, "Name:"), 0, wxALIGN_CENTER_VERTICAL | wxALL, 4);
  m_name = new wxTextCtrl(this, kNameEdit, wxEmptyString, wxDefaultPosition, wxSize(180, -1));
  m_name->SetMaxLength(CCustomColorState::kMaxName);
  row->Add(m_name, 1, wxALIGN_CENTER_VERTICAL | wxALL, 4);
  top->Add(row, 0, wxEXPAND | wxLEFT | wxRIGHT, 6);

  auto* buttons = new wxStdDialogButtonSizer;
  buttons->AddButton(new wxButton(this, wxID_OK));
  buttons->AddButton(new wxButton(this, wxID_CANCEL));
  buttons->Realize();
  top->Add(buttons, 0, wxALL | wxALIGN_RIGHT, 8);
  SetSizerAndFit(top);

  Bind(wxEVT_INIT_DIALOG, &CCustomColorDlg::OnInit, this);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnFieldReleased(false); }, kMainField);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnFieldReleased(true); }, kEdgeField);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnSliderReleased(false); }, kMainSlider);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnSliderReleased(true); }, kEdgeSlider);
  m_mode->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
    if (!ReadFields()) return;
    state.BuildColor();
    WriteFields();
  });
  for (Group* g : {&m_main, &m_edge})
    for (wxTextCtrl* edit : g->edits)
      edit->Bind(wxEVT_KILL_FOCUS, [this, edit](wxFocusEvent& event) {
        event.Skip();
        // After the dialog's end the edits lose the focus too: nothing to apply then.
        if (IsShown()) CallAfter([this, id = edit->GetId()] {
          if (IsShown()) OnEditLeft(id);
        });
      });
}

void CCustomColorDlg::MakeGroup(wxWindow* parent, wxSizer* sizer, bool edge) {
  Group& g = edge ? m_edge : m_main;
  auto* box = new wxStaticBoxSizer(wxHORIZONTAL, parent, edge ? "Edge color" : "Main color");
  wxWindow* owner = box->GetStaticBox();
  g.field = new CHSVBox(owner, edge ? kEdgeField : kMainField, wxSize(kFieldSize, kFieldSize));
  g.slider = new CHSVSlider(owner, edge ? kEdgeSlider : kMainSlider, wxSize(20, kFieldSize));
  box->Add(g.field, 0, wxALL, 4);
  box->Add(g.slider, 0, wxALL, 4);
  auto* grid = new wxFlexGridSizer(2, wxSize(4, 2));
  for (int i = 0; i < 6; ++i) {
    grid->Add(new wxStaticText(owner, wxID_ANY, kLabels[i]), 0, wxALIGN_CENTER_VERTICAL);
    g.edits[i] = new wxTextCtrl(owner, (edge ? kEdgeIds : kMainIds)[i], wxEmptyString, wxDefaultPosition,
                                wxSize(56, -1));
    grid->Add(g.edits[i]);
  }
  box->Add(grid, 0, wxALL, 4);
  sizer->Add(box, 0, wxALL, 4);
}

bool CCustomColorDlg::ReadFields() {
  for (bool edge : {false, true}) {
    Group& g = edge ? m_edge : m_main;
    CCustomColorState::Component& c = edge ? state.edge : state.main;
    int* values[6] = {&c.hsv.hue, &c.hsv.saturation, &c.hsv.value, &c.rgb.red, &c.rgb.green, &c.rgb.blue};
    for (int i = 0; i < 6; ++i) {
      if (!g.edits[i]->IsEnabled()) continue;
      if (!ReadComponent(g.edits[i], *values[i])) {
        ShowMessage(FillTextArgs(LoadResString(kStringNumberRange), {"0", "255"}), PromptButtons::Ok,
                    PromptIcon::Exclamation);
        g.edits[i]->SetFocus();
        return false;
      }
    }
  }
  int mode = m_mode->GetSelection();
  if (mode >= 0 && mode <= 3) state.mode = static_cast<CustomColorMode>(mode);
  state.name = CutEntryName(m_name->GetValue().utf8_string());
  return true;
}

void CCustomColorDlg::WriteFields() {
  for (bool edge : {false, true}) {
    Group& g = edge ? m_edge : m_main;
    const CCustomColorState::Component& c = edge ? state.edge : state.main;
    int values[6] = {c.hsv.hue, c.hsv.saturation, c.hsv.value, c.rgb.red, c.rgb.green, c.rgb.blue};
    for (int i = 0; i < 6; ++i) {
      g.edits[i]->ChangeValue(wxString::Format("%d", values[i]));
      g.edits[i]->Enable(!edge || state.EdgeEnabled());
    }
    g.field->SetHueSaturation(c.hsv.hue, c.hsv.saturation);
    g.slider->SetHsv(c.hsv.hue, c.hsv.saturation, c.hsv.value);
    g.field->Enable(!edge || state.EdgeEnabled());
    g.slider->Enable(!edge || state.EdgeEnabled());
  }
  m_mode->SetSelection(static_cast<int>(state.mode));
  m_name->ChangeValue(wxString::FromUTF8(state.name));
  m_preview->SetColor(state.colour);
}

void CCustomColorDlg::OnInit(wxInitDialogEvent& event) {
  m_name->Enable(!state.customMode);
  state.Open(GetActiveTableEntries());
  // Custom mode has no slot: the name stays empty.
  if (state.customMode) state.name.clear();
  m_defined = false;
  WriteFields();
  event.Skip(false);
}

bool CCustomColorDlg::TransferDataToWindow() {
  WriteFields();
  return true;
}

void CCustomColorDlg::OnFieldReleased(bool edge) {
  if (!ReadFields()) return;
  CHSVBox* field = (edge ? m_edge : m_main).field;
  const CCustomColorState::Component& c = edge ? state.edge : state.main;
  state.SetFromHsv(edge, field->GetHue(), field->GetSaturation(), c.hsv.value);
  WriteFields();
}

void CCustomColorDlg::OnSliderReleased(bool edge) {
  if (!ReadFields()) return;
  CHSVSlider* slider = (edge ? m_edge : m_main).slider;
  const CCustomColorState::Component& c = edge ? state.edge : state.main;
  state.SetFromHsv(edge, c.hsv.hue, c.hsv.saturation, slider->GetValue());
  WriteFields();
}

void CCustomColorDlg::OnEditLeft(wxWindowID id) {
  bool edge = id >= kEdgeH;
  bool rgb = (id >= kMainR && id <= kMainB) || (id >= kEdgeR && id <= kEdgeB);
  if (!ReadFields()) return;
  const CCustomColorState::Component& c = edge ? state.edge : state.main;
  if (rgb)
    state.SetFromRgb(edge, c.rgb.red, c.rgb.green, c.rgb.blue);
  else
    state.SetFromHsv(edge, c.hsv.hue, c.hsv.saturation, c.hsv.value);
  WriteFields();
}

bool CCustomColorDlg::TransferDataFromWindow() {
  if (!ReadFields()) return false;
  // Enter goes straight to OK without the focused edit losing the focus: apply it here.
  wxWindow* focus = FindFocus();
  for (Group* g : {&m_main, &m_edge})
    for (wxTextCtrl* edit : g->edits)
      if (edit == focus) {
        bool edge = g == &m_edge;
        int id = edit->GetId();
        const CCustomColorState::Component& c = edge ? state.edge : state.main;
        if ((id >= kMainR && id <= kMainB) || (id >= kEdgeR && id <= kEdgeB))
          state.SetFromRgb(edge, c.rgb.red, c.rgb.green, c.rgb.blue);
        else
          state.SetFromHsv(edge, c.hsv.hue, c.hsv.saturation, c.hsv.value);
      }
  state.BuildColor();
  if (!state.customMode) {
    m_defined = state.ApplyDefinition(GetActiveColorTable());
    state.colour = static_cast<uint32_t>(state.slot);
  }
  return true;
}
