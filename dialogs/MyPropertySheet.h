#pragma once
// The settings sheet: six pages of plain values, filled by the caller and read back after OK. A
// page whose values do not validate keeps the sheet open on that page.
#include <wx/propdlg.h>

#include "config/SettingsSheet.h"

class CMyPropertyPage1;
class CMyPropertyPage2;
class CMyPropertyPage3;
class CMyPropertyPage4;
class CMyPropertyPage5;
class CMyPropertyPage6;

class CMyPropertySheet : public wxPropertySheetDialog {
 public:
  explicit CMyPropertySheet(wxWindow* parent);

  void SetValues(const SettingsSheetValues& values);
  SettingsSheetValues GetValues() const;
  // What OK does before closing: validates every page (an invalid page is selected, false) and
  // takes the controls' values.
  bool Accept();

  CMyPropertyPage1* m_page1;
  CMyPropertyPage2* m_page2;
  CMyPropertyPage3* m_page3;
  CMyPropertyPage4* m_page4;
  CMyPropertyPage5* m_page5;
  CMyPropertyPage6* m_page6;
};
