#pragma once
// "Define Custom Color": builds a direct or dithered colour number (custom mode) or redefines one
// slot of the active colour table (define mode). The fields and their rules are
// CCustomColorState's; this is the window around them.
#include <wx/dialog.h>

#include <array>

#include "config/CustomColorState.h"

class wxChoice;
class wxTextCtrl;
class CColorButton;
class CHSVBox;
class CHSVSlider;

class CCustomColorDlg : public wxDialog {
 public:
  // Control ids: main field and slider, edge field and slider, the edits H S V R G B of each
  // colour, the mode list, the preview and the name.
  enum {
    kMainField = 1208, kMainSlider = 1209, kEdgeField = 1211, kEdgeSlider = 1212,
    kMainH = 1210, kMainS = 1213, kMainV = 1214, kMainR = 1215, kMainG = 1216, kMainB = 1217,
    kEdgeH = 1218, kEdgeS = 1219, kEdgeV = 1220, kEdgeR = 1221, kEdgeG = 1222, kEdgeB = 1223,
    kModeList = 1224, kPreview = 1121, kNameEdit = 1136
  };

  explicit CCustomColorDlg(wxWindow* parent);

  // In: colour (or the slot) and customMode; out: the colour built, or the slot.
  CCustomColorState state;
  // Out, define mode: the slot was written (only slots 64-255 are).
  bool Defined() const { return m_defined; }

  bool TransferDataToWindow() override;
  // Reads the fields; in define mode writes the slot. False (with the range message) when a
  // component is not a number 0-255.
  bool TransferDataFromWindow() override;

 private:
  struct Group {
    CHSVBox* field = nullptr;
    CHSVSlider* slider = nullptr;
    std::array<wxTextCtrl*, 6> edits{};  // H S V R G B
  };
  void MakeGroup(wxWindow* parent, wxSizer* sizer, bool edge);
  // Reads every edit into the state; false with the message when one is out of range.
  bool ReadFields();
  void WriteFields();
  void OnInit(wxInitDialogEvent& event);
  void OnFieldReleased(bool edge);
  void OnSliderReleased(bool edge);
  void OnEditLeft(wxWindowID id);

  Group m_main, m_edge;
  wxChoice* m_mode = nullptr;
  CColorButton* m_preview = nullptr;
  wxTextCtrl* m_name = nullptr;
  bool m_defined = false;
};
