#pragma once
// "Model Information": the name and description of a new sub-model, or of the active one when its
// information changes. A name other than the one it started with must be new to the part list.
#include <wx/dialog.h>

#include <string>

#include "model/LibraryContext.h"

// The name the dialog accepts for typed text: trimmed, ".ldr" added when it has no '.'; "" when
// the name is taken in any category of the list (the unchanged starting name is always taken
// as it is, and so is the starting name in other letter case).
std::string AcceptModelName(const std::string& typed, const std::string& startingName, const CPartList& list);

class CDlgNewModel : public wxDialog {
 public:
  // A new name must be new to the library's part list.
  explicit CDlgNewModel(wxWindow* parent, const CLibraryContext& library = ProgramLibrary());

  // Filled by the caller before ShowModal, read back after OK.
  std::string m_description;
  std::string m_name;

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

 private:
  const CPartList& m_partList;
  std::string m_startingName;
  wxString m_nameText;
  wxString m_descriptionText;
};
