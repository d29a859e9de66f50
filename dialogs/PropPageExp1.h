#pragma once
// Export page 1, "Export Configuration": the models and steps to export, the format, the folder
// of the files and the session log. Reading the fields refuses a folder without its final '/', a
// log name outside an existing folder, and a choice without any model or step; the focus then
// goes to the offending field.
#include <wx/panel.h>

#include <string>
#include <vector>

#include "document/ExportOptions.h"

class wxCheckBox;
class wxChoice;
class wxListBox;
class wxRadioButton;
class wxTextCtrl;

class CPropPageExp1 : public wxPanel {
 public:
  CPropPageExp1(wxWindow* parent, const std::vector<std::string>& modelNames, const std::vector<int>& modelSteps);

  void SetValues(const ExportOptions& options);
  // Takes the fields into options and the flags; false (focus set) when they do not do.
  bool ReadFields(ExportOptions& options, std::vector<uint8_t>& modelSelection, std::vector<uint8_t>& stepSelection);
  // The steps of the selected models.
  unsigned long StepCount() const;

 private:
  void UpdateRange();
  void UpdateEnables();
  void OnBrowseFolder();
  void OnBrowseLog();

  std::vector<int> m_modelSteps;
  wxListBox* m_models;
  wxChoice* m_format;
  wxCheckBox* m_ignorePrevious;
  wxCheckBox* m_ignoreRotSteps;
  wxTextCtrl* m_exportPath;
  wxRadioButton* m_all;
  wxRadioButton* m_range;
  wxTextCtrl* m_rangeText;
  wxCheckBox* m_createLog;
  wxTextCtrl* m_logName;
};
