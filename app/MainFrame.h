#pragma once
// The one main window: splitters with the part tree, the part browser, the line list and the four
// 3-D panes; the colour bar and nine tool bars docked through wxAUI; the status bar; the menus and
// accelerators built from the command table. It keeps a window, splitter and bar layout per mode
// (edit and view) in the profile and is the post office of the private messages 0x8000-0x8007.
#include <wx/aui/framemanager.h>
#include <wx/frame.h>
#include <wx/timer.h>

#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/CommandMap.h"
#include "app/CommandRouter.h"
#include "app/LayoutFormat.h"
#include "app/PaneDrawGroup.h"
#include "app/MsgList.h"
#include "model/LibraryContext.h"

class wxSplitterWindow;
class CRecentFileHistory;
class CPaneGrid;
class CQuorvelDoc;
class CQuorvelView;
class CDvSizeableCtrlBar;

class CMainFrame : public wxFrame {
 public:
  // The profile sections of the two modes' layouts.
  static constexpr const char* kEditSection = "EditModeStates";
  static constexpr const char* kViewSection = "ViewModeStates";

  // history (may be null) lists the recent files in the File menu; the part tree, the browser and
  // the frame's own library commands use library.
  explicit CMainFrame(CRecentFileHistory* history, const CLibraryContext& library = ProgramLibrary());
  ~CMainFrame() override;

  // Program-wide operations.
  void AddEventView(wxWindow* window);
  // post false: every registered window handles the message before this returns (the result of
  // the last one is returned); post true: queued for the event loop.
  long NotifyViews(bool post, unsigned message, long wParam, long lParam);
  // After the settings sheet: result 1 applied, 2 applied with a new library base folder (the
  // part list follows the new library, or the old folder returns when saveModified cancels).
  void OnSettingsApplied(int result, const std::string& oldBase, const std::string& oldSavePath,
                         std::function<bool()> saveModified = {});
  // 1 edit mode, 0 view mode: saves the current mode's layout and loads the other's.
  void SetEditMode(int mode);
  int GetEditMode() const { return m_editMode; }

  void SaveLayout(int mode);
  void LoadLayout(int mode);
  SplitterSizes GetSplitterSizes() const;

  // The panes, by the names the real views will keep.
  wxWindow* GetViewPane(int row, int column) const;
  // The four 3-D views show this document (null detaches them; do so before the document goes).
  void AttachDocument(CQuorvelDoc* doc);
  CQuorvelDoc* GetDocument() const { return m_document; }
  const CLibraryContext& Library() const { return m_library; }
  wxWindow* GetLineListPane() const { return m_lineList; }
  wxWindow* GetPartTreePane() const { return m_partTree; }
  wxWindow* GetPartBrowserPane() const { return m_partBrowser; }
  wxWindow* GetColorBar() const;
  wxAuiManager& GetAuiManager() { return m_aui; }

  // The command chain that menus, bars and keys go through: active view, document, frame,
  // application. A command that no link handles shows disabled.
  CCommandRouter& Router() { return m_router; }
  // The frame's own link of the chain.
  CCommandMap& FrameCommands() { return m_frameCommands; }
  // After the question, the settings' defaults, saved and announced.
  void RestoreDefaultSettings();
  // The part list's default groups, saved and announced.
  void RestoreDefaultGroups();

  // The work areas of the screens present now (the placement is pulled back onto one of them).
  static std::vector<LayoutRect> ScreenWorkAreas();

 private:
  void CreateClientArea();
  void CreateBars();
  void CreateMenus();
  void RegisterCommands();
  void RegisterCommand(int id, CCommandMap::Handler handler, CCommandMap::Rule rule);
  wxMenu* MakeBarsMenu() const;
  void ApplyDefaultSplit();

  void OnCommand(wxCommandEvent& event);
  void OnUpdateUI(wxUpdateUIEvent& event);
  void OnCharHook(wxKeyEvent& event);
  void OnChildFocus(wxChildFocusEvent& event);
  void OnViewActivated(wxCommandEvent& event);
  void OnClose(wxCloseEvent& event);
  void OnContextMenu(wxContextMenuEvent& event);
  void OnSizeOrMove(wxEvent& event);
  void OnKeyStateTimer(wxTimerEvent& event);
  void OnDropFiles(wxDropFilesEvent& event);

  CRecentFileHistory* m_history;
  CLibraryContext m_library;
  CQuorvelDoc* m_document = nullptr;  // the attached one
  int m_editMode = 1;
  bool m_firstLayout = true;
  wxAuiManager m_aui;
  wxSplitterWindow* m_main = nullptr;   // column 0: tree and browser; column 1: list and panes
  wxSplitterWindow* m_left = nullptr;
  wxSplitterWindow* m_right = nullptr;
  CPaneGrid* m_grid = nullptr;
  wxWindow* m_partTree = nullptr;
  wxWindow* m_partBrowser = nullptr;
  wxWindow* m_lineList = nullptr;
  std::array<CQuorvelView*, 4> m_views{};
  CPaneDrawGroup m_drawGroup;
  CDvSizeableCtrlBar* m_colorBar = nullptr;
  std::vector<wxWindow*> m_bars;  // the ten bars in bar-table order
  wxString m_defaultPerspective;
  LayoutRect m_normalRect;
  CMsgList m_broadcast;
  CCommandMap m_frameCommands;
  CCommandRouter m_router;
  wxTimer m_keyTimer;
};

// The one main frame while it exists.
extern CMainFrame* theMainFrame;
