#pragma once
// The zoom dialog through which a 3-D view takes a typed zoom. The view's zoom is a factor
// (screen pixels per model unit); the dialog shows and takes it in per cent, as the zoom bar
// names its presets: factor 1.0 is 100%.
#include <wx/dialog.h>

#include <string>

class wxTextCtrl;

// The zooms the dialog accepts, in per cent. Beyond 500% a pane shows a few model units across,
// usually the inside of one part; below 1% a large model shrinks to a dot.
constexpr double kMinZoomPercent = 1.0;
constexpr double kMaxZoomPercent = 500.0;
// Reads a typed zoom in per cent ("C" locale, an optional trailing '%'); false for text that is
// not a number or lies outside the range. On success factor = percent / 100.
bool ParseZoomPercent(const std::string& text, double& factor);
// The text the field shows for a zoom factor: the per cent rounded to two decimals, brought into
// the accepted range so that an unchanged field is always accepted.
std::string FormatZoomPercent(double factor);

class CZoomFactDlg : public wxDialog {
 public:
  explicit CZoomFactDlg(wxWindow* parent);

  // The zoom factor: set by the caller before ShowModal, read back after OK; 0 until set.
  double m_zoomFactor = 0.0;

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

 private:
  wxTextCtrl* m_edit;
};
