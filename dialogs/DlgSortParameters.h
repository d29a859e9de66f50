#pragma once
// "Sorting Parameters": the key (colour, position or part number), the order, and whether only
// the selected part references are sorted (offered only when some are selected).
#include <wx/dialog.h>

class wxCheckBox;
class wxRadioButton;

class CDlgSortParameters : public wxDialog {
 public:
  static constexpr int kByColor = 0;
  static constexpr int kByPosition = 1;
  static constexpr int kByPartNumber = 2;

  explicit CDlgSortParameters(wxWindow* parent);

  // Filled by the caller before ShowModal, read back after OK.
  bool m_hasSelection = false;
  bool m_ascending = true;
  bool m_selectedOnly = false;
  int m_sortKey = kByPosition;

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

 private:
  wxRadioButton* m_keys[3];
  wxCheckBox* m_ascendingBox;
  wxCheckBox* m_selectedOnlyBox;
};
