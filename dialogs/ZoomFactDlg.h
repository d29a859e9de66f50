#pragma once
// The zoom-factor dialog through which a 3-D view takes a typed zoom factor.
#include <wx/dialog.h>

#include <string>

class wxTextCtrl;

// The factors the dialog accepts: 0.0001 to 1000 inclusive.
constexpr double kMinZoomFactor = 0.0001;
constexpr double kMaxZoomFactor = 1000.0;
// Reads a typed factor ("C" locale); false for text that is not a number or lies outside the range.
bool ParseZoomFactor(const std::string& text, double& factor);

class CZoomFactDlg : public wxDialog {
 public:
  explicit CZoomFactDlg(wxWindow* parent);

  // Set by the caller before ShowModal, read back after OK; 0 until set.
  double m_zoomFactor = 0.0;

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

 private:
  wxTextCtrl* m_edit;
};
