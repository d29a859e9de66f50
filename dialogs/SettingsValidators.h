#pragma once
// The exchanges of the settings pages that wx has no validator for: std::string text, numbers with
// a range that says so through the program's message box, a radio button standing for one value of
// an index, and a colour button showing a colour number.
#include <wx/validate.h>

#include <string>

class CTextValidator : public wxValidator {
 public:
  explicit CTextValidator(std::string* value) : m_value(value) {}
  wxObject* Clone() const override { return new CTextValidator(m_value); }
  bool Validate(wxWindow*) override { return true; }
  bool TransferToWindow() override;
  bool TransferFromWindow() override;

 private:
  std::string* m_value;
};

// A real or whole number typed into a text field, accepted only within [min, max]; otherwise
// "Please enter a number between min and max." and the field takes the focus.
template <typename T>
class CRangeValidator : public wxValidator {
 public:
  CRangeValidator(T* value, T min, T max) : m_value(value), m_min(min), m_max(max) {}
  wxObject* Clone() const override { return new CRangeValidator(m_value, m_min, m_max); }
  bool Validate(wxWindow* parent) override;
  bool TransferToWindow() override;
  bool TransferFromWindow() override;

 private:
  bool Parse(T& out) const;
  T* m_value;
  T m_min, m_max;
};

// A list's selected item; a stored value outside the list shows no selection (and is read back
// as -1, which the settings conversions treat as "unchanged").
class CChoiceValidator : public wxValidator {
 public:
  explicit CChoiceValidator(int* value) : m_value(value) {}
  wxObject* Clone() const override { return new CChoiceValidator(m_value); }
  bool Validate(wxWindow*) override { return true; }
  bool TransferToWindow() override;
  bool TransferFromWindow() override;

 private:
  int* m_value;
};

class CRadioIndexValidator : public wxValidator {
 public:
  CRadioIndexValidator(int* value, int index) : m_value(value), m_index(index) {}
  wxObject* Clone() const override { return new CRadioIndexValidator(m_value, m_index); }
  bool Validate(wxWindow*) override { return true; }
  bool TransferToWindow() override;
  bool TransferFromWindow() override;

 private:
  int* m_value;
  int m_index;
};

// The button's label and face show the colour number; the number itself is set by the page.
class CColorButtonValidator : public wxValidator {
 public:
  explicit CColorButtonValidator(unsigned* value) : m_value(value) {}
  wxObject* Clone() const override { return new CColorButtonValidator(m_value); }
  bool Validate(wxWindow*) override { return true; }
  bool TransferToWindow() override;
  bool TransferFromWindow() override { return true; }

 private:
  unsigned* m_value;
};

// The colour dialog on the current colour, restricted to 0-31 when max is 31; false when cancelled
// (or the colour chosen lies above max).
bool AskColorNumber(wxWindow* parent, unsigned& color, unsigned max);
