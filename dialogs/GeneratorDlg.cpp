#include "dialogs/GeneratorDlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/spinbutt.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <charconv>
#include <cmath>

#include "dialogs/ModelPreview.h"
#include "platform/Numbers.h"
#include "platform/Prompt.h"

namespace {
constexpr int kOutputIds[4] = {1407, 1408, 1409, 1410};
constexpr int kPreviewId = 1121;

// The number at the start of text (leading blanks skipped), 0 when there is none; whole is set
// when nothing follows it.
template <class T>
T ReadPrefix(const std::string& text, bool& whole) {
  size_t start = text.find_first_not_of(" \t");
  if (start == std::string::npos) start = text.size();
  size_t end = text.find_last_not_of(" \t");
  end = end == std::string::npos ? start : end + 1;
  const char* first = text.data() + start;
  const char* last = text.data() + end;
  if (first < last && *first == '+') ++first;
  T value{};
  const auto [ptr, ec] = std::from_chars(first, last, value);
  whole = ec == std::errc() && ptr == last;
  if (ec != std::errc()) return T{};
  if constexpr (std::is_floating_point_v<T>) {
    if (!std::isfinite(value)) {
      whole = false;
      return T{};
    }
  }
  return value;
}
}  // namespace

CGeneratorDlg::CGeneratorDlg(wxWindow* parent, int dialogId, const wxString& title)
    : wxDialog(parent, dialogId, title, wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE),
      m_grid(new wxFlexGridSizer(3, 6, 8)) {
  m_grid->AddGrowableCol(1);
  m_preview = new CModelPreview(this, kPreviewId, wxSize(240, 240));
}

void CGeneratorDlg::AddField(const wxString& label, Field field) {
  m_grid->Add(new wxStaticText(this, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
  if (field.kind == Kind::Check) {
    auto* box = new wxCheckBox(this, field.id, wxEmptyString);
    m_grid->Add(box, 0, wxALIGN_CENTER_VERTICAL);
    box->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { OnParamChanged(); });
  } else {
    auto* text = new wxTextCtrl(this, field.id, wxEmptyString, wxDefaultPosition, wxSize(110, -1));
    m_grid->Add(text, 1, wxEXPAND);
    text->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { OnParamChanged(); });
  }
  if (field.spinId) {
    auto* spin = new wxSpinButton(this, field.spinId, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL);
    spin->SetRange(-1000000, 1000000);
    m_grid->Add(spin, 0, wxALIGN_CENTER_VERTICAL);
    const size_t index = m_fields.size();
    spin->Bind(wxEVT_SPIN_UP, [this, index](wxSpinEvent&) { OnSpin(m_fields[index], 1); });
    spin->Bind(wxEVT_SPIN_DOWN, [this, index](wxSpinEvent&) { OnSpin(m_fields[index], -1); });
  } else {
    m_grid->AddSpacer(0);
  }
  m_fields.push_back(std::move(field));
}

void CGeneratorDlg::AddReal(const wxString& label, int id, double& value, int spinId, double step, SpinRule rule) {
  AddField(label, Field{Kind::Real, id, &value, nullptr, nullptr, spinId, step, std::move(rule)});
}

void CGeneratorDlg::AddInt(const wxString& label, int id, int32_t& value, int spinId, double step, SpinRule rule) {
  AddField(label, Field{Kind::Int, id, nullptr, &value, nullptr, spinId, step, std::move(rule)});
}

void CGeneratorDlg::AddText(const wxString& label, int id, std::string& value) {
  AddField(label, Field{Kind::Text, id, nullptr, nullptr, &value, 0, 0, {}});
}

void CGeneratorDlg::AddCheck(const wxString& label, int id, int32_t& value) {
  AddField(label, Field{Kind::Check, id, nullptr, &value, nullptr, 0, 0, {}});
}

void CGeneratorDlg::Finish(const wxString& partLabel) {
  auto* top = new wxBoxSizer(wxVERTICAL);
  auto* upper = new wxBoxSizer(wxHORIZONTAL);
  upper->Add(m_grid, 1, wxEXPAND);
  upper->Add(m_preview, 1, wxLEFT | wxEXPAND, 10);
  top->Add(upper, 1, wxALL | wxEXPAND, 10);
  auto* output = new wxStaticBoxSizer(wxVERTICAL, this, "Output");
  const wxString labels[4] = {"Insert into current file", "New submodel", "New file", partLabel};
  for (int i = 0; i < 4; ++i) {
    auto* radio = new wxRadioButton(output->GetStaticBox(), kOutputIds[i], labels[i], wxDefaultPosition,
                                    wxDefaultSize, i == 0 ? long{wxRB_GROUP} : 0L);
    output->Add(radio, 0, wxALL, 2);
  }
  top->Add(output, 0, wxLEFT | wxRIGHT | wxEXPAND, 10);
  top->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxALL | wxEXPAND, 10);
  SetSizerAndFit(top);
  Bind(wxEVT_BUTTON, &CGeneratorDlg::OnOk, this, wxID_OK);
  CentreOnParent();
}

void CGeneratorDlg::WriteField(const Field& f) {
  wxWindow* window = FindWindow(f.id);
  if (f.kind == Kind::Check) {
    if (auto* box = dynamic_cast<wxCheckBox*>(window)) box->SetValue(*f.integer != 0);
    return;
  }
  auto* text = dynamic_cast<wxTextCtrl*>(window);
  if (!text) return;
  std::string value = f.kind == Kind::Real  ? FormatReal(*f.real)
                      : f.kind == Kind::Int ? std::to_string(*f.integer)
                                            : *f.text;
  text->ChangeValue(wxString::FromUTF8(value));
  text->SetBackgroundColour(wxNullColour);
}

bool CGeneratorDlg::TransferDataToWindow() {
  m_initialised = false;
  for (const Field& f : m_fields) WriteField(f);
  for (int i = 0; i < 4; ++i)
    if (auto* radio = dynamic_cast<wxRadioButton*>(FindWindow(kOutputIds[i]))) {
      radio->SetValue(i == std::min(std::max(m_output, 0), 3));
      radio->Enable(m_outputEnabled != 0);
    }
  ReadFields(false);
  Rebuild();
  m_preview->SetModel(&m_file);
  m_preview->SetMouseRotation(true);
  m_preview->SetAngles(0, 0, 0);
  m_preview->SetView(m_previewView, m_previewView);
  m_initialised = true;
  return true;
}

bool CGeneratorDlg::ReadFields(bool strict) {
  bool allWhole = true;
  for (const Field& f : m_fields) {
    wxWindow* window = FindWindow(f.id);
    if (f.kind == Kind::Check) {
      if (auto* box = dynamic_cast<wxCheckBox*>(window)) *f.integer = box->GetValue() ? 1 : 0;
      continue;
    }
    auto* text = dynamic_cast<wxTextCtrl*>(window);
    if (!text) continue;
    const std::string typed = text->GetValue().utf8_string();
    if (f.kind == Kind::Text) {
      *f.text = typed;
      continue;
    }
    bool whole = false;
    if (f.kind == Kind::Real) {
      const double v = ReadPrefix<double>(typed, whole);
      if (whole || !strict) *f.real = v;
    } else {
      const int32_t v = ReadPrefix<int32_t>(typed, whole);
      if (whole || !strict) *f.integer = v;
    }
    text->SetBackgroundColour(whole ? wxNullColour : wxColour(255, 160, 160));
    text->Refresh();
    allWhole = allWhole && whole;
  }
  for (int i = 0; i < 4; ++i)
    if (auto* radio = dynamic_cast<wxRadioButton*>(FindWindow(kOutputIds[i])); radio && radio->GetValue())
      m_output = i;
  return allWhole;
}

bool CGeneratorDlg::TransferDataFromWindow() { return ReadFields(true) && ParamsValid(); }

void CGeneratorDlg::Rebuild() {
  m_file.RemoveAll();
  // Builders refuse a set outside their bounds on their own; the check here keeps the grid off
  // an empty file as well.
  if (!ParamsValid()) return;
  Build(m_file);
  m_file.AddBoundingGrid();
  // Before the first view is set this only clears the picture.
  if (m_initialised) m_preview->RefreshPreview();
}

void CGeneratorDlg::OnParamChanged() {
  if (!m_initialised) return;
  ReadFields(false);
  Rebuild();
}

void CGeneratorDlg::OnSpin(const Field& f, int direction) {
  if (!m_initialised || (f.kind != Kind::Real && f.kind != Kind::Int)) return;
  ReadFields(false);
  const double old = f.kind == Kind::Real ? *f.real : *f.integer;
  double value = old + direction * f.step;
  if (f.rule) value = f.rule(value, old);
  if (f.kind == Kind::Real)
    *f.real = value;
  else
    *f.integer = static_cast<int32_t>(std::lround(std::clamp(value, -2147483647.0, 2147483647.0)));
  WriteField(f);
  Rebuild();
}

void CGeneratorDlg::OnOk(wxCommandEvent&) {
  if (!TransferDataFromWindow()) {
    ThePrompt().Beep();
    return;
  }
  m_file.RemoveAll();
  Build(m_file);
  Accepted();
  EndModal(wxID_OK);
}
