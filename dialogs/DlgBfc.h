#pragma once
// "BFC Statement Data": certification, clipping, winding and INVERTNEXT of a BFC line. The lists
// hold the texts the element writes; an uncertified file has no clipping, winding or INVERTNEXT.
#include <wx/dialog.h>

#include "model/ElementEditor.h"

class wxCheckBox;
class wxChoice;

// Clipping, winding and INVERTNEXT can be chosen unless the certification is "UNCERTIFIED".
bool BfcOptionsEnabled(int certification);

class CDlgBfc : public wxDialog {
 public:
  CDlgBfc(wxWindow* parent, const BfcEdit& data);

  BfcEdit m_data;

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

 private:
  void EnableOptions();
  wxChoice* m_certification;
  wxChoice* m_clipping;
  wxChoice* m_winding;
  wxCheckBox* m_invertNext;
};
