#pragma once
// "Plandor Base Path": asks for the folder of the LDraw part library and shows, while the user
// types or browses, whether the folder is a usable library (config/BasePathCheck). OK closes the
// dialog only for a usable folder; an unusable one is refused with a message that says what a
// library folder holds.
//
// Cancel (also Escape and the close box) always closes with wxID_CANCEL. When the dialog opened
// for an unusable folder (m_mandatory non-zero) the caller ends the program: at start-up that is
// the clean end of the start-up with exit status 0.
#include <wx/dialog.h>

#include <functional>
#include <string>

class wxTextCtrl;

class CDlgBasePath : public wxDialog {
 public:
  explicit CDlgBasePath(wxWindow* parent);

  // The folder: set by the caller before ShowModal, read back (normalised) after OK.
  std::string m_path;
  // The check's result for the folder the dialog opened with; non-zero: opened for an unusable one.
  int m_mandatory = 0;
  // The status text shown.
  std::string m_status;
  // The folder browser: from a starting folder, true with the chosen folder. The desktop's folder
  // dialog unless replaced (tests).
  std::function<bool(const std::string& start, std::string& chosen)> m_chooseFolder;

  // The status of path; on 0 the dialog's path becomes the normalised folder.
  int CheckBasePath(const std::string& path);
  // Sets the status text for a code and shows it.
  void SetStatusText(int code);

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

 private:
  void OnTextChanged();
  void OnBrowse();

  wxTextCtrl* m_edit;
  wxTextCtrl* m_statusCtrl;
};

// The folder the browser starts in: the nearest folder of path that exists ("/" at the latest).
std::string ExistingFolderOf(const std::string& path);
