#pragma once
// A numeric text field that shows, while the user types, whether its text is one well-formed
// number of its type: the background turns red while it is not, or while the dialog has declared
// the value unacceptable (the condition), and white again as soon as both hold.
#include <wx/textctrl.h>

#include <cstdint>
#include <string>

#include "platform/NumberField.h"

class CEditCheckCtrl : public wxTextCtrl {
 public:
  CEditCheckCtrl(wxWindow* parent, wxWindowID id, NumberFieldType type, const wxSize& size = wxSize(80, -1),
                 const wxString& name = "NumberField");

  NumberFieldType GetType() const { return m_type; }
  std::string GetUtf8() const { return GetValue().utf8_string(); }
  // Whether the text is well formed for the type (the condition aside).
  bool CheckText() const;
  // The dialog's own verdict on the value; the field is red while it is false.
  void SetCondition(bool condition);
  bool GetCondition() const { return m_condition; }
  bool IsShownInvalid() const { return m_invalid; }
  // Recomputes the colour from the text and the condition.
  void UpdateValid();
  // A disabled field takes the theme's disabled look, whatever its text.
  bool Enable(bool enable = true) override;
  // For fields filled by a validator.
  CEditCheckCtrl* WithValidator(const wxValidator& validator) {
    SetValidator(validator);
    return this;
  }

  // Filling the field does not count as typing.
  void SetReal(double value);
  void SetFloat(float value);
  void SetInt(int32_t value);

  // The numeric prefix of the text, never an error.
  double LenientReal() const { return LenientDouble(GetUtf8()); }
  int32_t LenientInteger() const { return LenientInt(GetUtf8()); }

  // OK's reading: a well-formed number within [min, max], else the program's message and the
  // field takes the focus.
  bool ReadReal(double& out, double min = -1e300, double max = 1e300);
  bool ReadFloat(float& out);
  bool ReadInt(int32_t& out, int32_t min = INT32_MIN, int32_t max = INT32_MAX);

 private:
  void Refuse(const std::string& text);
  void ApplyColour();

  NumberFieldType m_type;
  bool m_invalid = false;
  bool m_condition = true;
};

// The message of a number that is missing or out of range; FillTextArgs formats the table text.
std::string NumberRangeText(double min, double max);
std::string NumberRangeText(int32_t min, int32_t max);
