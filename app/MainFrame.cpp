#include "app/MainFrame.h"

#include <wx/accel.h>
#include <wx/aui/auibar.h>
#include <wx/display.h>
#include <wx/menu.h>
#include <wx/splitter.h>
#include <wx/statusbr.h>
#include <wx/textentry.h>
#include <wx/utils.h>

#include "app/BarTable.h"
#include "app/ColorBar.h"
#include "app/BaseFolderChange.h"
#include "app/CommandIcons.h"
#include "app/CommandKeys.h"
#include "app/CommandTable.h"
#include "app/DocumentCommands.h"
#include "app/DocumentHost.h"
#include "app/LineListView.h"
#include "app/PaneGrid.h"
#include "app/PartTreeCommands.h"
#include "app/PartTreeView.h"
#include "app/PanePlaceholder.h"
#include "app/PartFormView.h"
#include "app/PrivateEvents.h"
#include "app/QuorvelView.h"
#include "app/RecentFileHistory.h"
#include "app/SettingsCommand.h"
#include "app/SizeableCtrlBar.h"
#include "app/SplashWnd.h"
#include "app/StartUpDialogs.h"
#include "config/PartList.h"
#include "config/ScanOrder.h"
#include "config/Settings.h"
#include "config/Tracer.h"
#include "document/QuorvelDoc.h"
#include "platform/Profile.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

CMainFrame* theMainFrame = nullptr;

namespace {
constexpr int kColorBarId = 116;
// The colour bar's least length along a dock row: room for its sixteen colour slots.
constexpr int kColorBarLength = 300;
constexpr const char* kBarStateKey = "BarState";
constexpr int kDefaultSettings = 32870;
constexpr int kDefaultGroups = 32975;

const char* SectionOf(int mode) { return mode ? CMainFrame::kEditSection : CMainFrame::kViewSection; }

// The menu text with its accelerator. The keys that a text field needs (letters, arrows, Page keys,
// Delete) are not shown: GTK would make a shown accelerator act even in a text field. The frame's
// key hook runs every key of the table, shown or not.
wxString MenuLabel(const CommandInfo& c) {
  wxString label = wxString::FromUTF8(c.text);
  ParsedAccelerator key;
  wxAcceleratorEntry entry;
  if (*c.accel && ParseAccelerator(c.accel, key) && !IsViewOnlyAccelerator(key) &&
      MakeAcceleratorEntry(c.accel, c.id, entry))
    label += "\t" + entry.ToString();
  return label;
}

wxString StripMnemonic(const char* text) { return wxMenuItem::GetLabelText(wxString::FromUTF8(text)); }
}  // namespace

CMainFrame::CMainFrame(CRecentFileHistory* history, const CLibraryContext& library)
    : wxFrame(nullptr, wxID_ANY, wxString::FromUTF8(LoadResString(kStringAppTitle)), wxDefaultPosition,
              wxSize(1024, 768),
              wxDEFAULT_FRAME_STYLE, "MainFrame"),
      m_history(history),
      m_library(library),
      m_keyTimer(this) {
  theMainFrame = this;
  m_aui.SetManagedWindow(this);
  CreateClientArea();
  CreateBars();
  wxStatusBar* status = CreateStatusBar(4);
  const int widths[4] = {-1, 45, 45, 45};
  status->SetStatusWidths(4, widths);
  SetStatusText(wxString::FromUTF8(LoadResString(kStringReady)));
  CreateMenus();
  RegisterCommands();
  CSplashWnd::ShowSplashScreen(this);
  m_aui.Update();
  m_defaultPerspective = m_aui.SavePerspective();
  m_normalRect = {GetPosition().x, GetPosition().y, GetPosition().x + GetSize().x,
                  GetPosition().y + GetSize().y};
  LoadLayout(m_editMode);

  Bind(wxEVT_MENU, &CMainFrame::OnCommand, this);
  Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateUI, this);
  Bind(wxEVT_CHAR_HOOK, &CMainFrame::OnCharHook, this);
  Bind(wxEVT_CHILD_FOCUS, &CMainFrame::OnChildFocus, this);
  Bind(EVT_PLANDOR_VIEW_ACTIVATED, &CMainFrame::OnViewActivated, this);
  Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnClose, this);
  Bind(wxEVT_CONTEXT_MENU, &CMainFrame::OnContextMenu, this);
  Bind(wxEVT_SIZE, &CMainFrame::OnSizeOrMove, this);
  Bind(wxEVT_MOVE, &CMainFrame::OnSizeOrMove, this);
  Bind(wxEVT_TIMER, &CMainFrame::OnKeyStateTimer, this);
  Bind(wxEVT_DROP_FILES, &CMainFrame::OnDropFiles, this);
  m_keyTimer.Start(300);
}

CMainFrame::~CMainFrame() {
  m_keyTimer.Stop();
  // The history outlives the frame: it must forget the menu that goes with it.
  if (m_history) m_history->ForgetMenu();
  m_aui.UnInit();
  if (theMainFrame == this) theMainFrame = nullptr;
}

void CMainFrame::CreateClientArea() {
  const long style = wxSP_LIVE_UPDATE | wxSP_3D;
  m_main = new wxSplitterWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, style, "MainSplitter");
  m_left = new wxSplitterWindow(m_main, wxID_ANY, wxDefaultPosition, wxDefaultSize, style, "LeftSplitter");
  m_right = new wxSplitterWindow(m_main, wxID_ANY, wxDefaultPosition, wxDefaultSize, style, "RightSplitter");
  for (wxSplitterWindow* s : {m_main, m_left, m_right}) s->SetMinimumPaneSize(CPaneGrid::kMinPane);
  // The views of the part library, the model's lines and the 3-D panes replace these placeholders.
  m_partTree = new CPartTreeView(m_left, "PartTree", m_library);
  m_partTree->SetSize(100, 200);
  m_partBrowser = new CPartFormView(m_left, m_library);
  static_cast<CPartTreeView*>(m_partTree)->SetBrowser(m_partBrowser);
  m_lineList = new CLineListView(m_right, "LineList");
  m_grid = new CPaneGrid(m_right);
  for (int i = 0; i < 4; ++i) {
    m_views[i] = new CQuorvelView(m_grid, i, wxString::Format("View3D_%d", i));
    m_grid->SetPane(i / 2, i % 2, m_views[i]);
    m_views[i]->SetDrawGroup(&m_drawGroup);
    m_drawGroup.Add(&m_views[i]->State());
  }
  // The windows that hear the frame's broadcasts (models, settings, part list, Find).
  for (wxWindow* w : {m_partTree, m_partBrowser}) AddEventView(w);
  for (CQuorvelView* view : m_views) AddEventView(view);
  // The panes are the first links of the command chain; pane 0 until another is used.
  m_router.SetDefaultView(m_views[0]);
  m_router.SetFrameTarget(&m_frameCommands);
  m_left->SplitHorizontally(m_partTree, m_partBrowser, 200);
  m_right->SplitHorizontally(m_lineList, m_grid, 150);
  m_main->SplitVertically(m_left, m_right, 200);
  m_aui.AddPane(m_main, wxAuiPaneInfo().Name("Client").CenterPane().PaneBorder(false));
}

void CMainFrame::CreateBars() {
  const auto& bars = BarTable();
  std::vector<wxAuiPaneInfo> panes;
  std::vector<int> lengths;
  size_t colorIndex = bars.size();
  for (size_t i = 0; i < bars.size(); ++i) {
    const BarInfo& bar = bars[i];
    wxString caption = wxString::FromUTF8(BarCaption(i));
    if (bar.id == kColorBarId) {
      auto* colorBar = new CColorBar();
      m_colorBar = colorBar;
      if (!colorBar->Create(this, kColorBarId, "ColorBar", BarSize{46, 189}, true)) {
        theTracer.Printf("Failed to create color-bar!\n");
        continue;
      }
      AddEventView(m_colorBar);
      colorIndex = m_bars.size();
      m_bars.push_back(m_colorBar);
      panes.push_back(m_colorBar->MakePaneInfo(bar.logName, caption));
      lengths.push_back(kColorBarLength);
      continue;
    }
    auto* tb = new wxAuiToolBar(this, bar.id, wxDefaultPosition, wxDefaultSize,
                                wxAUI_TB_DEFAULT_STYLE | wxAUI_TB_GRIPPER);
    tb->SetName(bar.logName);
    tb->SetToolBitmapSize(wxSize(16, 16));
    // Close-set buttons: the nine bars fit two rows of the default window.
    tb->SetToolBorderPadding(2);
    tb->SetToolPacking(1);
    for (int id : bar.buttons) {
      if (id == 0) {
        tb->AddSeparator();
        continue;
      }
      const CommandInfo* c = FindCommand(id);
      wxString text = c ? StripMnemonic(c->text) : wxString::Format("%d", id);
      wxString help = c ? wxString::FromUTF8(c->status) : wxString();
      wxItemKind kind = c && c->kind == CommandKind::Check ? wxITEM_CHECK : wxITEM_NORMAL;
      tb->AddTool(ToWxId(id), text, GetCommandBitmap(id), wxNullBitmap, kind, text, help, nullptr);
    }
    tb->Realize();
    m_bars.push_back(tb);
    panes.push_back(wxAuiPaneInfo()
                        .Name(bar.logName)
                        .Caption(caption)
                        .ToolbarPane()
                        .Top()
                        .LeftDockable(true)
                        .RightDockable(true));
    lengths.push_back(tb->GetBestSize().x);
  }
  // The bars fill the rows at the top; the colour bar stretches over what a row has left.
  BarRows plan = PlanBarRows(lengths, colorIndex, GetClientSize().x, kColorBarLength);
  for (size_t i = 0; i < m_bars.size(); ++i) {
    panes[i].Row(plan.places[i].row).Position(plan.places[i].position);
    if (i == colorIndex) {
      m_colorBar->SetHorzSize(BarSize{plan.sizeableLength, 32});
      m_colorBar->AddToManager(m_aui, panes[i].BestSize(plan.sizeableLength, 32));
    } else {
      m_aui.AddPane(m_bars[i], panes[i]);
    }
  }
}

wxMenu* CMainFrame::MakeBarsMenu() const {
  auto* menu = new wxMenu;
  for (const CommandInfo& c : CommandTable()) {
    if (std::string(c.menuPath) != "&View|&Toolbars") continue;
    if (c.id == 0)
      menu->AppendSeparator();
    else
      menu->AppendCheckItem(ToWxId(c.id), wxString::FromUTF8(c.text), wxString::FromUTF8(c.status));
  }
  return menu;
}

void CMainFrame::CreateMenus() {
  auto* bar = new wxMenuBar;
  std::map<std::string, wxMenu*> menus;
  wxMenu* recentMenu = nullptr;
  size_t recentAt = 0;
  // The menu of a path, made (and hung into its parent) on first use.
  std::function<wxMenu*(const std::string&)> menuOf = [&](const std::string& path) -> wxMenu* {
    if (auto it = menus.find(path); it != menus.end()) return it->second;
    auto* menu = new wxMenu;
    menus[path] = menu;
    size_t bar_ = path.rfind('|');
    if (bar_ == std::string::npos)
      bar->Append(menu, wxString::FromUTF8(path));
    else
      menuOf(path.substr(0, bar_))->AppendSubMenu(menu, wxString::FromUTF8(path.substr(bar_ + 1)));
    return menu;
  };
  for (const CommandInfo& c : CommandTable()) {
    if (!*c.menuPath) continue;
    wxMenu* menu = menuOf(c.menuPath);
    if (c.id == 0) {
      menu->AppendSeparator();
    } else if (c.id == cmd::kFileMru) {
      // The recent files go here, before the item that follows (the separator above Exit).
      recentMenu = menu;
      recentAt = menu->GetMenuItemCount();
    } else {
      menu->Append(ToWxId(c.id), MenuLabel(c), wxString::FromUTF8(c.status),
                   c.kind == CommandKind::Check ? wxITEM_CHECK : wxITEM_NORMAL);
    }
  }
  SetMenuBar(bar);
  if (m_history && recentMenu)
    m_history->ShowInMenu(recentMenu, recentAt < recentMenu->GetMenuItemCount()
                                          ? recentMenu->FindItemByPosition(recentAt)
                                          : nullptr);
}

void CMainFrame::RegisterCommand(int id, CCommandMap::Handler handler, CCommandMap::Rule rule) {
  m_frameCommands.Set(id, std::move(handler), std::move(rule));
}

void CMainFrame::RegisterCommands() {
  auto always = CCommandMap::Always;
  // Find and Find Again belong to the part tree, whichever pane has the focus.
  RegisterCommand(cmd::kFind, [this] { m_broadcast.SendCommand(cmd::kFind); }, always);
  RegisterCommand(cmd::kFindAgain, [this] { m_broadcast.SendCommand(cmd::kFindAgain); }, always);
  InstallSettingsSheet(*this);
  RegisterCommand(cmd::kSettings, [this] { RunSettingsCommand(*this); }, always);
  RegisterCommand(kDefaultSettings, [this] { RestoreDefaultSettings(); }, always);
  RegisterCommand(kDefaultGroups, [this] { RestoreDefaultGroups(); }, always);
  BindPartTreeCommands(*this);

  const auto& bars = BarTable();
  for (size_t i = 0; i < bars.size() && i < m_bars.size(); ++i) {
    wxString name = bars[i].logName;
    RegisterCommand(
        bars[i].toggleId,
        [this, name] {
          wxAuiPaneInfo& pane = m_aui.GetPane(name);
          if (!pane.IsOk()) return;
          pane.Show(!pane.IsShown());
          m_aui.Update();
        },
        [this, name] {
          wxAuiPaneInfo& pane = m_aui.GetPane(name);
          return CommandState{pane.IsOk(), pane.IsOk() && pane.IsShown()};
        });
  }
  RegisterCommand(
      cmd::kStatusBar,
      [this] {
        if (wxStatusBar* s = GetStatusBar()) {
          s->Show(!s->IsShown());
          SendSizeEvent();
        }
      },
      [this] { return CommandState{true, GetStatusBar() && GetStatusBar()->IsShown()}; });

  // The zoom presets go to the four 3-D panes as 0x8002; only edit mode zooms.
  for (int id = cmd::kZoomFirst; id <= cmd::kZoomLast; ++id) {
    long percent = ZoomPresetPercent(id);
    RegisterCommand(
        id,
        [this, percent] {
          for (wxWindow* view : m_views) {
            auto* event = new CPrivateMessageEvent(MakePrivateEvent(msg::kSetZoom, 0, percent));
            wxQueueEvent(view->GetEventHandler(), event);
          }
        },
        [this] { return CommandState{m_editMode == 1, false}; });
  }
  // The recent files cannot be opened before the document exists: they show disabled (no rule).
}

void CMainFrame::OnCommand(wxCommandEvent& event) {
  // A command of the table stops here even when it is disabled right now (a tool bar or a menu
  // that was not updated yet); others (a dialog's buttons) go on.
  int id = FromWxId(event.GetId());
  if (m_router.Run(id) == CCommandRouter::Outcome::NotHandled && !FindCommand(id)) event.Skip();
}

void CMainFrame::OnUpdateUI(wxUpdateUIEvent& event) {
  int id = FromWxId(event.GetId());
  ICommandTarget* target = m_router.FindTarget(id);
  const CommandInfo* c = FindCommand(id);
  // Commands of the table that nothing handles yet show disabled.
  if (!target && !c) {
    event.Skip();
    return;
  }
  CommandState state = target ? target->QueryCommand(id) : CommandState{};
  event.Enable(state.enabled);
  if ((c && c->kind == CommandKind::Check) || event.IsCheckable()) event.Check(state.checked);
}

// Every key of the command table runs its command through the chain, whichever window of the
// frame has the focus: a 3-D pane, the line list, the part tree, a bar. A text field keeps the
// keys it needs for typing. A disabled command's key stops here too.
void CMainFrame::OnCharHook(wxKeyEvent& event) {
  int id = CommandOfKey(event);
  wxWindow* focus = FindFocus();
  if (!id || (dynamic_cast<wxTextEntry*>(focus) && TextFieldKeepsKey(event))) {
    event.Skip();
    return;
  }
  m_router.Run(id);
}

void CMainFrame::OnChildFocus(wxChildFocusEvent& event) {
  // The focused window or the nearest view around it becomes the active view.
  for (wxWindow* w = event.GetWindow(); w && w != this; w = w->GetParent())
    if (dynamic_cast<ICommandTarget*>(w)) {
      m_router.SetActiveView(w);
      break;
    }
  event.Skip();
}

void CMainFrame::OnViewActivated(wxCommandEvent& event) {
  m_router.SetActiveView(dynamic_cast<wxWindow*>(event.GetEventObject()));
}

void CMainFrame::OnClose(wxCloseEvent& event) {
  // Cancel in the save question keeps the program running.
  if (event.CanVeto() && !QueryDiscardDocument(m_document)) {
    event.Veto();
    return;
  }
  SaveLayout(m_editMode);
  event.Skip();
}

void CMainFrame::OnContextMenu(wxContextMenuEvent& event) {
  std::unique_ptr<wxMenu> menu(MakeBarsMenu());
  wxPoint p = event.GetPosition();
  // A request from the keyboard opens the menu near the client area's corner.
  p = p == wxDefaultPosition ? wxPoint(5, 5) : ScreenToClient(p);
  PopupMenu(menu.get(), p);
}

void CMainFrame::OnSizeOrMove(wxEvent& event) {
  // The placement to restore is the normal one, never the maximised or minimised rectangle.
  if (IsShown() && !IsMaximized() && !IsIconized() && !IsFullScreen()) {
    wxRect r = GetRect();
    m_normalRect = {r.x, r.y, r.x + r.width, r.y + r.height};
  }
  event.Skip();
}

void CMainFrame::OnKeyStateTimer(wxTimerEvent&) {
  wxStatusBar* status = GetStatusBar();
  if (!status) return;
  const std::pair<wxKeyCode, const char*> keys[3] = {
      {WXK_CAPITAL, "CAP"}, {WXK_NUMLOCK, "NUM"}, {WXK_SCROLL, "SCRL"}};
  for (int i = 0; i < 3; ++i) {
    wxString text = wxGetKeyState(keys[i].first) ? keys[i].second : "";
    if (status->GetStatusText(i + 1) != text) status->SetStatusText(text, i + 1);
  }
}

void CMainFrame::OnDropFiles(wxDropFilesEvent& event) {
  // One document at a time: the first file is opened, after the save question.
  if (event.GetNumberOfFiles() < 1) return;
  OpenDocumentFile(m_document, event.GetFiles()[0].utf8_string(), true);
}

void CMainFrame::AddEventView(wxWindow* window) { m_broadcast.Add(window); }

void CMainFrame::RestoreDefaultSettings() {
  if (ShowMessageId(kStringRestoreDefaults, PromptButtons::YesNo, PromptIcon::Question) != PromptAnswer::Yes) return;
  theSettings.SetDefaults(1);
  TheProfile().Flush();
  NotifyViews(false, msg::kSettingsChanged, 0, 0);
  if (m_document) m_document->UpdateAllViews(HINT_SETTINGS);
}

void CMainFrame::RestoreDefaultGroups() {
  m_library.partList.ResetGroups();
  NotifyViews(true, msg::kGroupsChanged, 0, 0);
}

long CMainFrame::NotifyViews(bool post, unsigned message, long wParam, long lParam) {
  if (post) {
    m_broadcast.Post(message, wParam, lParam);
    return 0;
  }
  return m_broadcast.Send(message, wParam, lParam);
}

void CMainFrame::SetEditMode(int mode) {
  if (mode == m_editMode) return;
  // The views keep still while the splitters move.
  if (m_document) m_document->UpdateAllViews(HINT_SUSPEND);
  SaveLayout(m_editMode);
  LoadLayout(mode);
  m_editMode = mode;
}

wxWindow* CMainFrame::GetViewPane(int row, int column) const { return m_views[row * 2 + column]; }

void CMainFrame::AttachDocument(CQuorvelDoc* doc) {
  m_document = doc;
  if (auto* bar = dynamic_cast<CColorBar*>(m_colorBar)) bar->SetDocument(doc);
  for (CQuorvelView* view : m_views) view->SetDocument(doc);
  // After the panes: the group draws what an update left them to draw once they all took it.
  m_drawGroup.SetDocument(doc);
  m_drawGroup.DrawPending();
  static_cast<CLineListView*>(m_lineList)->SetDocument(doc);
}

wxWindow* CMainFrame::GetColorBar() const { return m_colorBar; }

SplitterSizes CMainFrame::GetSplitterSizes() const {
  wxSize main = m_main->GetClientSize(), left = m_left->GetClientSize(), right = m_right->GetClientSize();
  return {m_main->GetSashPosition(), main.y, left.x, m_left->GetSashPosition(),
          right.x,                   m_right->GetSashPosition(), m_grid->GetPane(0, 0)->GetSize().x,
          m_grid->GetPane(0, 0)->GetSize().y};
}

std::vector<LayoutRect> CMainFrame::ScreenWorkAreas() {
  std::vector<LayoutRect> areas;
  for (unsigned i = 0; i < wxDisplay::GetCount(); ++i) {
    wxRect r = wxDisplay(i).GetClientArea();
    areas.push_back({r.x, r.y, r.x + r.width, r.y + r.height});
  }
  return areas;
}

void CMainFrame::SaveLayout(int mode) {
  CProfile& profile = TheProfile();
  const char* section = SectionOf(mode);
  profile.WriteProfileString(section, kBarStateKey, m_aui.SavePerspective().utf8_string());
  WindowPlacement p;
  p.flags = IsMaximized() ? WindowPlacement::kRestoreToMaximized : 0;
  p.showCmd = IsIconized() ? WindowPlacement::kShowMinimized
                           : IsMaximized() ? WindowPlacement::kShowMaximized : WindowPlacement::kShowNormal;
  p.normal = m_normalRect;
  profile.WriteProfileString(section, "WindowPos", FormatWindowPos(p));
  profile.WriteProfileString(section, "SplitterPos", FormatSplitterPos(GetSplitterSizes()));
  profile.Flush();
}

void CMainFrame::ApplyDefaultSplit() {
  // First start: four equal panes, and a tree about 100 pixels shorter than the 3-D area.
  m_grid->SetColumnWidth(-1);
  m_grid->SetRowHeight(-1);
  int area = m_grid->GetSize().y;
  m_left->SetSashPosition(std::max(20, area - 100));
}

void CMainFrame::LoadLayout(int mode) {
  CProfile& profile = TheProfile();
  const char* section = SectionOf(mode);
  Freeze();
  if (auto p = ParseWindowPos(profile.GetProfileString(section, "WindowPos", ""));
      p && !IsMinimizedShowCmd(p->showCmd)) {
    // A placement saved on a screen that is gone is pulled back onto one that is there.
    LayoutRect r = ClampRectToScreens(p->normal, ScreenWorkAreas());
    if (IsMaximized()) Maximize(false);
    SetSize(r.left, r.top, r.Width(), r.Height());
    m_normalRect = r;
    if (p->showCmd == WindowPlacement::kShowMaximized || (p->flags & WindowPlacement::kRestoreToMaximized))
      Maximize(true);
  }
  m_aui.Update();
  if (auto s = ParseSplitterPos(profile.GetProfileString(section, "SplitterPos", ""))) {
    const SplitterSizes& v = *s;
    m_main->SetSashPosition(v[0]);
    m_left->SetSashPosition(v[3]);
    m_right->SetSashPosition(v[5]);
    m_grid->SetColumnWidth(v[6]);
    m_grid->SetRowHeight(v[7]);
    m_firstLayout = false;
  } else if (m_firstLayout) {
    m_firstLayout = false;
    ApplyDefaultSplit();
  }
  std::string bars = profile.GetProfileString(section, kBarStateKey, "");
  if (bars.empty() || !m_aui.LoadPerspective(wxString::FromUTF8(bars), false))
    m_aui.LoadPerspective(m_defaultPerspective, false);
  m_aui.Update();
  Thaw();
  Refresh();
}

void CMainFrame::OnSettingsApplied(int result, const std::string& oldBase, const std::string& oldSavePath,
                                   std::function<bool()> saveModified) {
  if (result == 1) {
    if (m_document) m_document->UpdateAllViews(HINT_SETTINGS);
    NotifyViews(false, msg::kSettingsChanged, 0, 0);
    return;
  }
  if (result != 2) return;
  CStartUpProgressDlg progress;
  BaseFolderChangeHooks hooks;
  hooks.send = [this](unsigned message) { NotifyViews(false, message, 0, 0); };
  hooks.saveModified = saveModified ? std::move(saveModified) : std::function<bool()>([doc = m_document] { return QueryDiscardDocument(doc); });
  if (CQuorvelDoc* doc = m_document) {
    hooks.updateViews = [doc](long hint) { doc->UpdateAllViews(static_cast<uint32_t>(hint)); };
    hooks.newDocument = [doc] { doc->OnNewDocument(); };
  }
  hooks.progress = &progress;
  ApplyBaseFolderChange(oldBase, oldSavePath, theSettings, m_library, hooks);
}
