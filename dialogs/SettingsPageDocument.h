#pragma once
// Settings page 4, "Document": the default view angles and how new objects are placed, turned
// and coloured.
#include <wx/panel.h>

#include "config/SettingsSheet.h"

class CMyPropertyPage4 : public wxPanel {
 public:
  explicit CMyPropertyPage4(wxWindow* parent);

  DocumentPageValues m_values;
};
