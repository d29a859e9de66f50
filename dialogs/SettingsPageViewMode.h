#pragma once
// Settings page 6, "View Mode": the left mouse button in the 3-D views, the fast step count and
// how added parts show.
#include <wx/panel.h>

#include "config/SettingsSheet.h"

class CMyPropertyPage6 : public wxPanel {
 public:
  explicit CMyPropertyPage6(wxWindow* parent);

  ViewModePageValues m_values;
};
