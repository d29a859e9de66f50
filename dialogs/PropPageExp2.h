#pragma once
// Export page 2, "Post Processor Configurations": three programs run on each exported file. Post
// processor 2 can be enabled only while 1 is, 3 only while 2 is; an enabled one needs a program
// that exists.
#include <wx/panel.h>

#include <array>

#include "document/ExportOptions.h"

class wxButton;
class wxCheckBox;
class wxTextCtrl;

class CPropPageExp2 : public wxPanel {
 public:
  explicit CPropPageExp2(wxWindow* parent);

  void SetValues(const ExportOptions& options);
  // Takes the fields (with the chain rule); false, focus on the path, when an enabled post
  // processor names no program.
  bool ReadFields(ExportOptions& options);

 private:
  struct Controls {
    wxCheckBox* enabled;
    wxCheckBox* commandLine;
    wxTextCtrl* path;
    wxButton* browse;
    wxTextCtrl* parameters;
  };
  void UpdateEnables();
  void OnBrowse(size_t k);

  std::array<Controls, 3> m_pp{};
  ExportOptions m_values;
};
