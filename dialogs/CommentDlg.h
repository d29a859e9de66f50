#pragma once
// "Comments": the comment lines of a model, optionally with the old-style comments and those of
// the part files it references.
#include <wx/dialog.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class wxCheckBox;
class wxListBox;

// Fills the list with the comments under the flags (1 old-style comments too, 2 into parts).
using CommentCollector = std::function<void(std::vector<std::string>& list, uint32_t flags)>;

class CCommentDlg : public wxDialog {
 public:
  // Without a collector the list stays empty.
  CCommentDlg(wxWindow* parent, CommentCollector collect);

  bool TransferDataToWindow() override;

 private:
  void Refill();
  CommentCollector m_collect;
  wxListBox* m_list;
  wxCheckBox* m_partsComments;
  wxCheckBox* m_oldStyle;
};
