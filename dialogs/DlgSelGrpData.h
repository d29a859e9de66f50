#pragma once
// "Group": the name of a selection group, which must be new among the model's other groups.
#include <wx/dialog.h>

#include <string>
#include <vector>

#include "model/ElementEditor.h"

class wxTextCtrl;

// Whether the name may be given to a group: not empty, and not the name of another group (the
// names are compared as the group lines are read back, exactly).
bool AcceptGroupName(const std::string& name, const std::vector<std::string>& otherNames);

class CDlgSelGrpData : public wxDialog {
 public:
  CDlgSelGrpData(wxWindow* parent, const GroupEdit& data);

  GroupEdit m_data;

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

 private:
  wxTextCtrl* m_name;
};
