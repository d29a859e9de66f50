#pragma once
// "Position & Orientation" (Keyboard Entry): moves the selection to or by a typed position and
// turns it by a typed matrix or by an angle about a rotation vector. With one part reference
// selected the values start as that part's and are absolute; otherwise they are relative.
#include <wx/dialog.h>

#include <string>

#include "config/Geometry.h"

class CEditCheckCtrl;
class wxButton;
class wxCheckBox;
class wxTextCtrl;

// "%g" nine times, row after row ("C" locale).
std::string FormatMatrixText(const CMatrix3& matrix);
// Exactly nine finite numbers separated by blanks; false (matrix untouched) otherwise.
bool ParseMatrixText(const std::string& text, CMatrix3& matrix);
// The rotation by the angle (degrees) about the vector, each entry rounded half away from zero to
// six decimals, so that quarter turns come out as exact 0, 1 and -1.
CMatrix3 RoundedAxisAngle(const CVector3& axis, double degrees);

class CDlgEnterPosMat : public wxDialog {
 public:
  explicit CDlgEnterPosMat(wxWindow* parent);

  // Set by the caller: 1 when no single element with a position is selected (then the position
  // and matrix start as origin and identity and are relative), else 0 with its values.
  int m_noElement = 1;
  CVector3 m_position;
  CMatrix3 m_matrix = CMatrix3::Identity();
  // Read back after OK.
  bool m_relative = true;
  bool m_usePosition = true;
  bool m_useMatrix = false;
  bool m_useVector = false;
  CVector3 m_vector{0, 0, 1};
  double m_angle = 0;

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

 private:
  void StartValues();
  void ApplyEnableRules();
  void OnReset();
  void OnClear();

  CVector3 m_startPosition;
  CMatrix3 m_startMatrix;
  int m_startNoElement = 1;

  CEditCheckCtrl* m_pos[3];
  CEditCheckCtrl* m_vec[3];
  CEditCheckCtrl* m_angleField;
  wxTextCtrl* m_matrixText;
  wxCheckBox* m_absolute;
  wxCheckBox* m_usePositionBox;
  wxCheckBox* m_useVectorBox;
  wxCheckBox* m_useMatrixBox;
};
