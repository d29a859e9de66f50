#pragma once
// "Select Part": the part or model a part reference should use, from one list of every library
// part, library model and model of the document (sortable by number or by name), or a custom file
// chosen with a file dialog. The selected entry is shown in a preview that the mouse turns.
#include <wx/dialog.h>

#include <optional>
#include <string>

#include "dialogs/PartChoiceList.h"
#include "model/LibraryContext.h"

class CModelPreview;
class CQvFile;
class wxButton;
class wxCheckBox;
class wxListCtrl;
class wxTextCtrl;

class CSelectPartDlg : public wxDialog {
 public:
  static constexpr int kListId = 1069;
  static constexpr int kCustomId = 1144;
  static constexpr int kCustomFileId = 1145;
  static constexpr int kBrowseId = 1146;

  // handle: the entry to select at the start (0 for none). The rows are the entries of the
  // library's part list; the preview shows them when that list is the one the library's file cache
  // serves (the program's).
  CSelectPartDlg(wxWindow* parent, PartHandle handle, const CLibraryContext& library = ProgramLibrary());
  ~CSelectPartDlg() override;

  // After OK: the chosen entry, or nothing (custom file, or no row selected).
  std::optional<PartHandle> GetChosen() const { return m_chosen; }
  bool IsCustom() const { return m_custom; }
  const std::string& GetCustomFile() const { return m_customFile; }
  void SetCustom(bool custom, const std::string& file);

  const CPartChoiceList& Rows() const { return m_rows; }
  long GetSelectedRow() const;
  void SelectRow(long row);
  // A click on the list column at this position.
  void SortByColumn(int column);
  // The OK button: reads the controls and ends the dialog with wxID_OK.
  void Accept();

 private:
  void EnableCustom();
  void Browse();
  void ShowInPreview(long row);

  CLibraryContext m_library;
  CPartChoiceList m_rows;
  bool m_programList;  // the files of the rows can be had from the file cache
  std::optional<PartHandle> m_chosen;
  bool m_custom = false;
  std::string m_customFile;
  wxListCtrl* m_list;
  wxCheckBox* m_customBox;
  wxTextCtrl* m_customEdit;
  wxButton* m_browse;
  CModelPreview* m_preview;
  PartHandle m_previewHandle = 0;  // the entry whose file the preview holds a use of
};

// Runs the chooser modally over the parent. On OK the handle is the chosen entry; a custom file
// becomes an entry of the part list's extra files. False when cancelled or nothing was chosen.
bool RunPartChooser(wxWindow* parent, PartHandle& handle, const CLibraryContext& library = ProgramLibrary());
