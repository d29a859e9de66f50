#pragma once
// "Select Part": the part or model a part reference uses, from every library part, library model
// and model of the document, sorted by part number or by name, or a custom file of the user's.
#include <wx/dialog.h>

#include <cstdint>
#include <string>
#include <vector>

#include "config/PartList.h"

class wxButton;
class wxCheckBox;
class wxListCtrl;
class wxListEvent;
class wxTextCtrl;

// The rows of the chooser: every entry of the parts, library models and document models, in that
// order, then sorted by file name (column 0) or description (column 1) without regard to case.
std::vector<PartHandle> ChooserRows(const CPartList& list, int sortColumn);

class CSelectPartDlg : public wxDialog {
 public:
  explicit CSelectPartDlg(wxWindow* parent);

  // In: the entry to preselect (0 none). Out after OK: the chosen entry, or kNone.
  static constexpr PartHandle kNone = 0xFFFFFFFF;
  PartHandle m_handle = 0;
  bool m_custom = false;
  std::string m_customFile;

  // The sort column kept between uses: 0 part number, 1 part name.
  static int SortColumn();

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

 private:
  class CPartListCtrl;
  void Fill(PartHandle select);
  void EnableCustom();
  void OnBrowse();

  std::vector<PartHandle> m_rows;
  CPartListCtrl* m_list;
  wxCheckBox* m_customBox;
  wxTextCtrl* m_customEdit;
  wxButton* m_browse;
};
