#pragma once
// "Dimensions": the model's width, depth and height in modules (studs), centimetres and inches.
#include <wx/dialog.h>

#include <string>

// The cell of a row for an extent of v LDraw units: row 0 modules (whole studs, a part of one
// counting as one), row 1 centimetres, row 2 inches, both with two decimals.
std::string FormatDimension(int row, double v);

class CDimensionsDlg : public wxDialog {
 public:
  // The model's extents along X, Y and Z in LDraw units.
  CDimensionsDlg(wxWindow* parent, double width, double height, double depth);
};
