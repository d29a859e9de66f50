#pragma once
// The application: brings the process-wide services up in their fixed order, makes the main
// window, carries out the command line, and shuts the services down again at exit.
#include <wx/app.h>
#include <wx/dataobj.h>
#include <wx/frame.h>
#include <wx/weakref.h>

#include <memory>
#include <string>

#include "app/CommandLine.h"
#include "model/LibraryContext.h"

class CCommandMap;
class CMainFrame;
class CQuorvelDoc;
class CRecentFileHistory;
class CStartUp;
class CStartUpProgressDlg;
class CWxDocumentHost;
class CWxDocumentPorts;
class CWxElementEditor;
class CWxModelDialogs;
class CWxPrompt;

// The exit status of a start-up that ended before the main window (-1 while none did).
extern int theStartUpExitCode;

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
  CRecentFileHistory* GetFileHistory() const { return m_history.get(); }
  const CCommandLineInfo& GetCommandLine() const { return m_commandLine; }
  CQuorvelDoc* GetDocument() const { return m_document.get(); }
  // The part library the document, the views and the dialogs are handed.
  const CLibraryContext& Library() const { return m_library; }

 private:
  void LogSystemInfo();
  bool ProcessShellCommand(const CCommandLineInfo& info);
  bool RegisterFromCommandLine(CCommandLineInfo::Shell shell);
  // Closes the log and keeps the exit status of a start-up that cannot go on; returns false.
  bool EndStartUp(int exitCode);
  // Ends the document and the model state behind it in their fixed order.
  void CloseDocument();
  // The main window while it exists.
  CMainFrame* Frame() const;

  wxString m_versionTitle;
  const CLibraryContext m_library = ProgramLibrary();
  wxWeakRef<wxFrame> m_frame;
  wxDataFormat m_clipboardFormat;
  std::unique_ptr<CRecentFileHistory> m_history;
  CCommandLineInfo m_commandLine;
  std::unique_ptr<CWxPrompt> m_prompt;
  std::unique_ptr<CStartUpProgressDlg> m_progress;
  std::unique_ptr<CStartUp> m_startUp;
  std::unique_ptr<CQuorvelDoc> m_document;
  std::unique_ptr<CWxDocumentHost> m_host;
  std::unique_ptr<CWxModelDialogs> m_modelDialogs;
  std::unique_ptr<CWxElementEditor> m_elementEditor;
  // The document's and the application's links of the main frame's command chain.
  std::unique_ptr<CCommandMap> m_documentCommands;
  std::unique_ptr<CCommandMap> m_appCommands;
  std::unique_ptr<CWxDocumentPorts> m_ports;
  // -p and -pt print and end the run.
  bool m_endAfterShellCommand = false;
};

wxDECLARE_APP(CQuorvelApp);
