#pragma once
// "Select Model": the choice of one of the project's models. Resizable; the rectangle is kept
// under "DLGSELMODEL".
#include <wx/dialog.h>

#include <string>
#include <vector>

class wxListCtrl;

class CDlgSelModel : public wxDialog {
 public:
  CDlgSelModel(wxWindow* parent, const std::vector<std::string>& models);
  ~CDlgSelModel() override;

  // 1-based; 0 none. Set by the caller to the active model, read back after OK.
  int m_chosenModel = 0;

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

 private:
  wxListCtrl* m_list;
};
