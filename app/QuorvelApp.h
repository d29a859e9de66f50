#pragma once
// The application: brings the process-wide services up in their fixed order, makes the main
// window, carries out the command line, and shuts the services down again at exit.
#include <wx/app.h>
#include <wx/dataobj.h>

#include <memory>
#include <string>

#include "app/CommandLine.h"

class wxFileHistory;

// "Plandor Version " and the program's version.
wxString MakeVersionTitle();

class CQuorvelApp : public wxApp {
 public:
  CQuorvelApp();
  ~CQuorvelApp() override;

  bool OnInit() override;
  int OnExit() override;
  // Offers every event to the splash window first (a press closes it and goes no further).
  int FilterEvent(wxEvent& event) override;

  // The drag-and-drop format of the part tree, the browser, the line list and the 3-D views.
  const wxDataFormat& GetClipboardFormat() const { return m_clipboardFormat; }
  const wxString& GetVersionTitle() const { return m_versionTitle; }
  wxFileHistory* GetFileHistory() const { return m_history.get(); }
  const CCommandLineInfo& GetCommandLine() const { return m_commandLine; }

 private:
  void LogSystemInfo();
  bool ProcessShellCommand(const CCommandLineInfo& info);

  wxString m_versionTitle;
  wxDataFormat m_clipboardFormat;
  std::unique_ptr<wxFileHistory> m_history;
  CCommandLineInfo m_commandLine;
};

wxDECLARE_APP(CQuorvelApp);
