#include "dialogs/EditCheckCtrl.h"

#include <cfloat>
#include <cmath>

#include "platform/Numbers.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {
const wxColour kValid(255, 255, 255);
const wxColour kInvalid(255, 0, 0);
}  // namespace

CEditCheckCtrl::CEditCheckCtrl(wxWindow* parent, wxWindowID id, NumberFieldType type, const wxSize& size,
                               const wxString& name)
    : wxTextCtrl(parent, id, wxEmptyString, wxDefaultPosition, size, 0, wxDefaultValidator, name), m_type(type) {
  // The text colour is set too, so a dark theme cannot put light text on the white field.
  SetForegroundColour(*wxBLACK);
  SetBackgroundColour(kValid);
  Bind(wxEVT_TEXT, [this](wxCommandEvent& e) {
    UpdateValid();
    e.Skip();
  });
}

bool CEditCheckCtrl::CheckText() const { return IsWellFormedNumber(GetUtf8(), m_type); }

void CEditCheckCtrl::SetCondition(bool condition) {
  m_condition = condition;
  UpdateValid();
}

void CEditCheckCtrl::UpdateValid() {
  bool invalid = !(CheckText() && m_condition);
  if (invalid == m_invalid) return;
  m_invalid = invalid;
  ApplyColour();
}

bool CEditCheckCtrl::Enable(bool enable) {
  const bool changed = wxTextCtrl::Enable(enable);
  ApplyColour();
  return changed;
}

void CEditCheckCtrl::ApplyColour() {
  if (!IsThisEnabled()) {
    SetBackgroundColour(wxNullColour);
    SetForegroundColour(wxNullColour);
  } else {
    SetForegroundColour(*wxBLACK);
    SetBackgroundColour(m_invalid ? kInvalid : kValid);
  }
  Refresh();
}

void CEditCheckCtrl::SetReal(double value) {
  ChangeValue(wxString::FromUTF8(FormatFieldReal(value)));
  UpdateValid();
}

void CEditCheckCtrl::SetFloat(float value) {
  ChangeValue(wxString::FromUTF8(FormatReal(value)));
  UpdateValid();
}

void CEditCheckCtrl::SetInt(int32_t value) {
  ChangeValue(std::to_string(value));
  UpdateValid();
}

void CEditCheckCtrl::Refuse(const std::string& text) {
  ShowMessage(text, PromptButtons::Ok, PromptIcon::Exclamation);
  SetFocus();
  SelectAll();
}

bool CEditCheckCtrl::ReadReal(double& out, double min, double max) {
  double v = 0;
  if (!StrictDouble(GetUtf8(), v) || v < min || v > max) {
    Refuse(min <= -1e300 ? LoadResString(kStringNumberExpected) : NumberRangeText(min, max));
    return false;
  }
  out = v;
  return true;
}

bool CEditCheckCtrl::ReadFloat(float& out) {
  double v = 0;
  if (!ReadReal(v, -FLT_MAX, FLT_MAX)) return false;
  out = static_cast<float>(v);
  return true;
}

bool CEditCheckCtrl::ReadInt(int32_t& out, int32_t min, int32_t max) {
  int32_t v = 0;
  if (!StrictInt(GetUtf8(), v) || v < min || v > max) {
    Refuse(NumberRangeText(min, max));
    return false;
  }
  out = v;
  return true;
}

std::string NumberRangeText(double min, double max) {
  return FillTextArgs(LoadResString(kStringNumberRange), {FormatG(min), FormatG(max)});
}

std::string NumberRangeText(int32_t min, int32_t max) {
  return FillTextArgs(LoadResString(kStringNumberRange), {std::to_string(min), std::to_string(max)});
}
