#pragma once
// Settings page 5, "Step, Grid, Snap": the step units and rotation angle of the coarse, medium and
// fine grids.
#include <wx/panel.h>

#include "config/SettingsSheet.h"

class CMyPropertyPage5 : public wxPanel {
 public:
  explicit CMyPropertyPage5(wxWindow* parent);

  GridPageValues m_values;
};
