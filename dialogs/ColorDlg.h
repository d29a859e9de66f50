#pragma once
// "Select Color:": the one colour picker. The 512 entries of the active colour table as 16 pages
// of 32 swatches in a chosen sort, a number field for any colour number, the custom colour dialog
// for direct, dithered and redefined colours, and four buttons that replace the active or the
// default table. The rules are CColorDlgState's; this is the window around them.
#include <wx/dialog.h>

#include <array>
#include <string>

#include "config/ColorDlgState.h"

class wxCheckBox;
class wxRadioBox;
class wxSlider;
class wxTextCtrl;
class CColorButton;

class CColorDlg : public wxDialog {
 public:
  enum {
    kSortTabs = 1434, kFirstSwatch = 1064, kPageSlider = 1199, kSelected = 1096, kNameEdit = 1225,
    kTransparent = 1008, kNumberEdit = 1207, kSaveDefault = 1230, kLoadDefault = 1231,
    kLDConfigDefault = 1435, kLoadLDConfig = 1433, kCustom = 1198, kDefine = 1206
  };

  explicit CColorDlg(wxWindow* parent);

  // In: colour, restricted, paletteEditable. Out: colour (OK) and paletteChanged (always).
  CColorDlgState state;

  // Takes the number field; false (a beep, the field restored) when it holds no usable number.
  bool TransferDataFromWindow() override;

  // The handlers, callable without the mouse.
  void SelectSwatch(int position);
  void ShowPage();
  void OnNumberEdit();
  void OnSortTabChanged(int tab);
  void OnCustom();
  void OnDefine();
  void OnTableButton(int id);

 private:
  void OnInit(wxInitDialogEvent& event);
  void ShowSelection();

  std::string m_baseTitle;
  wxRadioBox* m_sortTabs = nullptr;
  std::array<CColorButton*, kColorPageSize> m_swatches{};
  wxSlider* m_slider = nullptr;
  CColorButton* m_selected = nullptr;
  wxTextCtrl* m_name = nullptr;
  wxCheckBox* m_transparent = nullptr;
  wxTextCtrl* m_number = nullptr;
};
