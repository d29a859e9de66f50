#pragma once
// "Comment": the text of a comment or meta command line, and whether it is written as an
// old-style comment ("0 text") rather than a "0 WRITE" line.
#include <wx/dialog.h>

#include "model/ElementEditor.h"

class wxCheckBox;
class wxTextCtrl;

class CNewCommentDlg : public wxDialog {
 public:
  CNewCommentDlg(wxWindow* parent, const CommentEdit& data);

  CommentEdit m_data;

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

 private:
  wxTextCtrl* m_text;
  wxCheckBox* m_oldStyle;
};
