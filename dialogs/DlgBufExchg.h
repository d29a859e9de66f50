#pragma once
// "Buffer Exchange": one of the 26 buffers A to Z, stored to or retrieved from.
#include <wx/dialog.h>

#include <string>

#include "model/ElementEditor.h"

class wxCheckBox;
class wxChoice;

// "A" for 0 ... "Z" for 25.
std::string BufferLetter(int index);

class CDlgBufExchg : public wxDialog {
 public:
  CDlgBufExchg(wxWindow* parent, const BufExchgEdit& data);

  BufExchgEdit m_data;

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

 private:
  wxChoice* m_buffer;
  wxCheckBox* m_retrieve;
};
