#include "dialogs/SettingsValidators.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include "config/ColorDlgState.h"
#include "config/ColorTable.h"
#include "dialogs/EditCheckCtrl.h"
#include "dialogs/ColorDlg.h"
#include "platform/Numbers.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {
// Numbers beyond this are direct or dithered colours, chosen elsewhere.
constexpr unsigned kMaxColorNumber = 511;

std::string Text(const wxValidator& v) {
  auto* text = dynamic_cast<wxTextCtrl*>(v.GetWindow());
  return text ? text->GetValue().utf8_string() : std::string();
}
std::string Format(double v) { return FormatG(v); }
std::string Format(int v) { return std::to_string(v); }
}  // namespace

bool CTextValidator::TransferToWindow() {
  if (auto* text = dynamic_cast<wxTextCtrl*>(GetWindow())) text->ChangeValue(wxString::FromUTF8(*m_value));
  return true;
}

bool CTextValidator::TransferFromWindow() {
  if (dynamic_cast<wxTextCtrl*>(GetWindow())) *m_value = Text(*this);
  return true;
}

template <typename T>
bool CRangeValidator<T>::Parse(T& out) const {
  std::string text = Text(*this);
  if constexpr (std::is_same_v<T, int>) {
    int32_t v = 0;
    if (!ParseInt32(text, v)) return false;
    out = v;
  } else {
    if (!ParseDouble(text, out)) return false;
  }
  return out >= m_min && out <= m_max;
}

template <typename T>
bool CRangeValidator<T>::Validate(wxWindow*) {
  T v{};
  if (Parse(v)) return true;
  ShowMessage(FillTextArgs(LoadResString(kStringNumberRange), {Format(m_min), Format(m_max)}), PromptButtons::Ok,
              PromptIcon::Exclamation);
  if (GetWindow()) GetWindow()->SetFocus();
  return false;
}

template <typename T>
bool CRangeValidator<T>::TransferToWindow() {
  if (auto* text = dynamic_cast<wxTextCtrl*>(GetWindow())) text->ChangeValue(wxString::FromUTF8(Format(*m_value)));
  if (auto* field = dynamic_cast<CEditCheckCtrl*>(GetWindow())) field->UpdateValid();
  return true;
}

template <typename T>
bool CRangeValidator<T>::TransferFromWindow() {
  T v{};
  if (!Parse(v)) return false;
  *m_value = v;
  return true;
}

template class CRangeValidator<double>;
template class CRangeValidator<int>;

bool CChoiceValidator::TransferToWindow() {
  if (auto* choice = dynamic_cast<wxChoice*>(GetWindow())) {
    bool inList = *m_value >= 0 && static_cast<unsigned>(*m_value) < choice->GetCount();
    choice->SetSelection(inList ? *m_value : wxNOT_FOUND);
  }
  return true;
}

bool CChoiceValidator::TransferFromWindow() {
  if (auto* choice = dynamic_cast<wxChoice*>(GetWindow())) *m_value = choice->GetSelection();
  return true;
}

bool CRadioIndexValidator::TransferToWindow() {
  if (auto* radio = dynamic_cast<wxRadioButton*>(GetWindow())) radio->SetValue(*m_value == m_index);
  return true;
}

bool CRadioIndexValidator::TransferFromWindow() {
  if (auto* radio = dynamic_cast<wxRadioButton*>(GetWindow()); radio && radio->GetValue()) *m_value = m_index;
  return true;
}

bool CColorButtonValidator::TransferToWindow() {
  auto* button = dynamic_cast<wxButton*>(GetWindow());
  if (!button) return true;
  button->SetLabel(*m_value <= kMaxColorNumber ? wxString::Format("Color %u", *m_value)
                                               : wxString::Format("Color 0x%08X", *m_value));
  {
    ColorRGBA main{}, edge{};
    GetColorRGBA(theDefaultColors, *m_value, main, edge);
    button->SetBackgroundColour(wxColour(main.red, main.green, main.blue));
    int light = main.red * 3 + main.green * 6 + main.blue;
    button->SetForegroundColour(light > 1280 ? *wxBLACK : *wxWHITE);
  }
  return true;
}

bool AskColorNumber(wxWindow* parent, unsigned& color, unsigned max) {
  CColorDlg dialog(parent);
  dialog.state.colour = color;
  dialog.state.restricted = max <= kMaxRestrictedColorNumber ? 1 : 0;
  // A settings value is picked here; the colour tables are changed from Colour... only.
  dialog.state.paletteEditable = 0;
  if (dialog.ShowModal() != wxID_OK || dialog.state.colour > max) return false;
  color = dialog.state.colour;
  return true;
}
