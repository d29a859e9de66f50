#pragma once
// "Save Parts List Options": the parts list of the active model or of every model, with or without
// colours and steps, in a list sortable by column, saved as text or (".csv") tab-separated.
#include <wx/dialog.h>

#include "document/PartsReport.h"

class CMpdFile;
class IDocumentHost;
class wxCheckBox;
class wxListCtrl;
class wxTextCtrl;
class wxButton;
struct ColorEntry;

class CRepPiecesDlg : public wxDialog {
 public:
  // The host asks for the file name when the list is saved.
  CRepPiecesDlg(wxWindow* parent, const CMpdFile& project, const ColorEntry* colors, IDocumentHost& host);

  // Counts again with the check boxes' values and shows the rows.
  void FillList();
  // Sorts the rows by the column at this position of the list.
  void SortByListColumn(int position);
  // Asks for the file and writes it; false when cancelled or not written (the user was told).
  bool SaveList();

  const CPartsReport& Report() const { return m_report; }

 private:
  void ShowRows();

  const CMpdFile& m_project;
  const ColorEntry* m_colors;
  IDocumentHost& m_host;
  CPartsReport m_report;
  wxListCtrl* m_list;
  wxTextCtrl* m_total;
  wxCheckBox* m_perStep;
  wxCheckBox* m_ignoreColors;
  wxCheckBox* m_submodels;
  wxButton* m_save;
};
