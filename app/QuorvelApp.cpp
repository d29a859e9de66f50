#include "app/QuorvelApp.h"

#include <wx/image.h>

#include <csignal>
#include <cstdio>

#include "app/AppCommands.h"
#include "app/ColorBar.h"
#include "app/CommandMap.h"
#include "app/PartDragData.h"
#include "app/PrintCommands.h"
#include "app/DocumentCommands.h"
#include "app/DocumentHost.h"
#include "app/FileTypes.h"
#include "app/HelpCommands.h"
#include "app/KeyState.h"
#include "app/MainFrame.h"
#include "app/RecentFileHistory.h"
#include "app/RecentFiles.h"
#include "app/SplashWnd.h"
#include "app/StartUp.h"
#include "app/StartUpDialogs.h"
#include "app/SystemInfo.h"
#include "app/ToolkitEnvironment.h"
#include "app/WxDocumentPorts.h"
#include "app/WxElementEditor.h"
#include "app/WxPrompt.h"
#include "config/ColorSource.h"
#include "config/PartList.h"
#include "config/Settings.h"
#include "config/Tracer.h"
#include "dialogs/WxModelDialogs.h"
#include "model/ElementEditor.h"
#include "document/QuorvelDoc.h"
#include "model/ModelShutdown.h"
#include "platform/Numbers.h"
#include "platform/Profile.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

#ifndef PLANDOR_VERSION
#define PLANDOR_VERSION "??.??"
#endif

namespace {

std::vector<std::string> Arguments(int argc, wxChar** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(wxString(argv[i]).utf8_string());
  return args;
}

void LogCommandLine(const CCommandLineInfo& info) {
  theTracer.Printf("\nCommand line: %s", ShellCommandName(info.shellCommand));
  if (!info.fileName.empty()) theTracer.Printf(" \"%s\"", info.fileName.c_str());
  theTracer.Printf("\n");
  for (const std::string& flag : info.unknownFlags)
    theTracer.Printf("WARNING: Unknown command-line flag ignored: %s\n", flag.c_str());
  for (const std::string& arg : info.extraArguments)
    theTracer.Printf("WARNING: Extra command-line argument ignored: %s\n", arg.c_str());
  if (!info.error.empty()) theTracer.Printf("WARNING: %s\n", info.error.c_str());
}
}  // namespace

wxString MakeVersionTitle() { return wxString("Plandor Version ") + PLANDOR_VERSION; }

int theStartUpExitCode = -1;

CQuorvelApp::CQuorvelApp() = default;
CQuorvelApp::~CQuorvelApp() {
  // A start-up that ended after the document was made never reaches OnExit.
  CloseDocument();
}

bool CQuorvelApp::OnInit() {
  // The toolkit has opened the display: what it was started with is no longer needed.
  RestoreToolkitEnvironment();
  // 1-2. Version title and the log.
  m_versionTitle = MakeVersionTitle();
  SetAppName("Plandor");
  SetVendorName("Zebor");
  theTracer.Open("Plandor");
  theTracer.Printf("%s\n\n", m_versionTitle.utf8_str().data());
  // 3. System information.
  LogSystemInfo();
  // 4. The built-in colours, until the library's colour files replace them.
  m_prompt = std::make_unique<CWxPrompt>();
  SetPrompt(m_prompt.get());
  StartUpOptions options;
  options.partList = &m_library.partList;
  options.scanOrder = &m_library.scanOrder;
  options.chooseBasePath = AskForBasePath;
  options.fileTypes = CFileTypeRegistration::DefaultPlaces();
  m_progress = std::make_unique<CStartUpProgressDlg>();
  options.progress = m_progress.get();
  m_startUp = std::make_unique<CStartUp>(std::move(options));
  m_startUp->FillDefaultColors();
  // 5-8. Image handlers stand in for the platform's picture services; the first command-line
  // parse only decides on the splash window.
  wxInitAllImageHandlers();
  std::vector<std::string> args = Arguments(argc, argv);
  CSplashWnd::EnableSplashScreen(ParseCommandLine(args).showSplash);
  CSplashWnd::SetVersionTitle(m_versionTitle);
  // 9. The private drag-and-drop format.
  m_clipboardFormat = PartDragFormat();
  // 10. The profile and the recent-file list of 10.
  CProfile& profile = TheProfile();
  m_history = std::make_unique<CRecentFileHistory>(kRecentFileCount);
  std::vector<std::string> recent = LoadRecentFiles(profile);
  for (auto it = recent.rbegin(); it != recent.rend(); ++it) m_history->AddFileToHistory(wxString::FromUTF8(*it));
  // 11. The settings: language packs, the library base folder (asked for when unusable), colours.
  if (!m_startUp->LoadSettings()) return EndStartUp(m_startUp->ExitCode());
  // 12. The cache of pre-rendered part images.
  m_startUp->CreateCacheHeap();
  // 13. The scan order of library folders from Plandor.ini.
  m_startUp->LoadScanOrder();
  // 14. The one document of the run; its file and model dialogs are the desktop's.
  m_document = std::make_unique<CQuorvelDoc>(m_library);
  // The colour dialogs and the colour bar show the document's table (the application's, not a
  // command map's: those can outlive a test's document).
  SetColorTableSource([this] { return m_document ? m_document->GetColorTable() : nullptr; });
  m_host = std::make_unique<CWxDocumentHost>(*m_document, m_history.get());
  m_document->SetHost(m_host.get());
  m_ports = std::make_unique<CWxDocumentPorts>();
  m_ports->SetColorTableChanged([this] {
    if (CMainFrame* frame = Frame())
      if (auto* bar = dynamic_cast<CColorBar*>(frame->GetColorBar())) bar->RefreshButtons();
  });
  m_document->SetPorts(m_ports.get());
  // The element dialogs that Modify, Group and the adding commands open.
  m_elementEditor = std::make_unique<CWxElementEditor>([this]() -> wxWindow* { return Frame(); }, m_library);
  SetElementEditor(m_elementEditor.get());
  m_modelDialogs = std::make_unique<CWxModelDialogs>([this]() -> wxWindow* { return Frame(); }, m_library);
  SetModelDialogs(m_modelDialogs.get());
  // 15. The desktop's file types, when RegFileTypes is on (not in a run that is only to register
  // or unregister them).
  CCommandLineInfo::Shell shell = ParseCommandLine(args).shellCommand;
  if (shell != CCommandLineInfo::Shell::Register && shell != CCommandLineInfo::Shell::Unregister)
    m_startUp->CheckFileTypes();
  // 16. The command line proper.
  m_commandLine = ParseCommandLine(args);
  LogCommandLine(m_commandLine);
  // Registering and unregistering the file types is all such a run does.
  if (m_commandLine.shellCommand == CCommandLineInfo::Shell::Register ||
      m_commandLine.shellCommand == CCommandLineInfo::Shell::Unregister)
    return EndStartUp(RegisterFromCommandLine(m_commandLine.shellCommand) ? 0 : 1);
  // 17. Parts.lst, or the offer to build it, then the shown folders of the scan order.
  if (!m_startUp->LoadPartList()) return EndStartUp(m_startUp->ExitCode());
  theTracer.Printf("Part list: %u parts, %u models\n", m_library.partList.GetCount(kLibraryParts),
                   m_library.partList.GetCount(kLibraryModels));
  // 18. The main window and File New, shown before the command line's request is carried out.
  auto* frame = new CMainFrame(m_history.get(), m_library);
  m_frame = frame;
  m_host->SetFrame(frame);
  SetTopWindow(frame);
  m_documentCommands = MakeDocumentCommands(*m_document, m_history.get());
  m_appCommands = MakeApplicationCommands(m_versionTitle);
  frame->Router().SetDocumentTarget(m_documentCommands.get());
  frame->Router().SetApplicationTarget(m_appCommands.get());
  frame->AttachDocument(m_document.get());
  m_document->OnNewDocument();
  // The views' first update, as for every new document the frame shows.
  m_document->UpdateAllViews(HINT_FULL);
  m_host->UpdateFrameTitle();
  frame->Show();
  // The first pane has the focus, so the keys work before anything was clicked.
  frame->GetViewPane(0, 0)->SetFocus();
  // The splash window came up while the frame was made; keep it above the frame just shown.
  if (CSplashWnd* splash = CSplashWnd::Current()) splash->Raise();
  frame->Update();
  if (!ProcessShellCommand(m_commandLine)) return EndStartUp(1);
  if (m_endAfterShellCommand) return EndStartUp(0);
  // 19. Files dropped from the desktop.
  frame->DragAcceptFiles(true);
  // A session that ends (or a terminal's interrupt) closes the window the normal way, so the
  // layout and the profile are saved and the log is closed.
  // A signal handler carries no state: it reaches the window through the frame's own pointer.
  auto closeMainWindow = [](int) {
    if (theMainFrame) theMainFrame->Close();
  };
  SetSignalHandler(SIGTERM, closeMainWindow);
  SetSignalHandler(SIGINT, closeMainWindow);
  return true;
}

bool CQuorvelApp::ProcessShellCommand(const CCommandLineInfo& info) {
  using Shell = CCommandLineInfo::Shell;
  switch (info.shellCommand) {
    case Shell::New:
      return true;
    case Shell::Open:
      switch (OpenDocumentFile(m_document.get(), info.fileName, true)) {
        case OpenResult::Opened:
        case OpenResult::Cancelled:
          return true;
        case OpenResult::Failed:
          // The document has told why; as for any failed shell command, the start-up ends.
          return false;
      }
      return true;
    case Shell::Register:
    case Shell::Unregister:
      return RegisterFromCommandLine(info.shellCommand);
    case Shell::Print:
    case Shell::PrintTo: {
      // Print and end: the file is opened without the save question (nothing is open yet), printed
      // without the print dialog, and the run ends with the outcome as its exit status.
      m_endAfterShellCommand = true;
      if (OpenDocumentFile(m_document.get(), info.fileName, false) != OpenResult::Opened) return false;
      const std::string printer = info.shellCommand == Shell::PrintTo ? info.printerName : std::string();
      return PrintWithoutDialog(*m_document, printer);
    }
    case Shell::Dde:
      // Accepted; the features behind them come with printing and the file-type registration.
      theTracer.Printf("INFO: Command-line request '%s' is not available yet.\n",
                       ShellCommandName(info.shellCommand));
      return true;
  }
  return true;
}

bool CQuorvelApp::RegisterFromCommandLine(CCommandLineInfo::Shell shell) {
  CFileTypeRegistration registration(CFileTypeRegistration::DefaultPlaces());
  bool registering = shell == CCommandLineInfo::Shell::Register;
  theTracer.Printf("\nFile types: %s\n", registering ? "registering" : "unregistering");
  bool ok = registering ? registration.Register() : registration.Unregister();
  // Such a run has no window: the failure goes to the log, the error output and the exit status.
  if (!ok) {
    std::string text = registering ? LoadResString(kStringFileTypesFailed) : "Cannot unregister file types!";
    theTracer.Printf("%s\n", text.c_str());
    std::fprintf(stderr, "Plandor: %s\n", text.c_str());
  }
  return ok;
}

bool CQuorvelApp::EndStartUp(int exitCode) {
  theTracer.Printf("\nStart-up ended (exit status %d).\n", exitCode);
  // The main window may exist already (a command-line request failed): it goes without asking.
  if (CMainFrame* frame = Frame()) frame->Destroy();
  theTracer.Close();
  SetPrompt(nullptr);
  theStartUpExitCode = exitCode;
  return false;
}

void CQuorvelApp::LogSystemInfo() {
  theTracer.Printf("%s", FormatOsInfo(QueryOsInfo()).c_str());
  theTracer.Printf("%s", FormatMemoryInfo(QueryMemoryInfo()).c_str());
  theTracer.Printf("%s", FormatDesktopInfo(QueryDesktopInfo()).c_str());
}

CMainFrame* CQuorvelApp::Frame() const { return static_cast<CMainFrame*>(m_frame.get()); }

void CQuorvelApp::CloseDocument() {
  if (!m_document) return;
  // Views and commands that outlive the document must not reach it any more.
  if (CMainFrame* frame = Frame()) {
    frame->AttachDocument(nullptr);
    frame->Router().SetDocumentTarget(nullptr);
  }
  SetModelDialogs(nullptr);
  SetElementEditor(nullptr);
  SetColorTableSource(nullptr);
  ShutdownModelState([this] {
    m_document->SetPorts(nullptr);
    m_document->SetHost(nullptr);
    m_host.reset();
    m_document.reset();
  });
  m_modelDialogs.reset();
  m_elementEditor.reset();
  m_ports.reset();
}

int CQuorvelApp::OnExit() {
  // The frame saved its layout when it closed; the recent files and the profile follow here.
  if (m_history) {
    std::vector<std::string> files;
    for (size_t i = 0; i < m_history->GetCount(); ++i) files.push_back(m_history->GetHistoryFile(i).utf8_string());
    SaveRecentFiles(TheProfile(), files);
  }
  // Saved here, while the profile is certain to exist, rather than by a destructor at process end.
  theSettings.Save();
  TheProfile().Flush();
  CloseDocument();
  theTracer.Printf("\nPlandor ends.\n");
  theTracer.Close();
  SetPrompt(nullptr);
  return wxApp::OnExit();
}

int CQuorvelApp::FilterEvent(wxEvent& event) {
  wxEventType type = event.GetEventType();
  if ((type == wxEVT_KEY_DOWN || type == wxEVT_KEY_UP) &&
      static_cast<wxKeyEvent&>(event).GetKeyCode() == WXK_TAB)
    SetTabKeyDown(type == wxEVT_KEY_DOWN);
  if (CSplashWnd::PreTranslateAppMessage(event)) return Event_Processed;
  if (FilterHelpEvent(event)) return Event_Processed;
  return wxApp::FilterEvent(event);
}
