#pragma once
// Settings page 2, "Rendering": shading, perspective, optimisation and BFC, lines, studs, the
// background and preview colours.
#include <wx/panel.h>

#include "config/SettingsSheet.h"

class wxCheckBox;
class wxChoice;

class CMyPropertyPage2 : public wxPanel {
 public:
  explicit CMyPropertyPage2(wxWindow* parent);
  bool TransferDataToWindow() override;

  RenderingPageValues m_values;

 private:
  void OnOptimization();
  void OnColor(unsigned& color, unsigned max);
  wxCheckBox* m_bfc;
  wxChoice* m_optimization;
};
