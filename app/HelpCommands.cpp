#include "app/HelpCommands.h"

#include <wx/app.h>
#include <wx/aui/auibar.h>
#include <wx/bookctrl.h>
#include <wx/cursor.h>
#include <wx/propdlg.h>
#include <wx/toolbar.h>
#include <wx/utils.h>
#include <wx/weakref.h>

#include "app/CommandMap.h"
#include "app/CommandTable.h"
#include "app/MainFrame.h"
#include "config/HelpPages.h"
#include "config/HelpTopics.h"
#include "config/Settings.h"
#include "dialogs/HelpDialog.h"

namespace {

constexpr int kContextHelp = 57669;
constexpr int kHelpF1 = 57670;

wxWeakRef<CHelpDialog> theHelpWindow;
bool theContextMode = false;
std::vector<std::string> theHelpRoots;

CHelpPages CurrentHelpPages() {
  return CHelpPages(theHelpRoots.empty() ? DefaultHelpRoots() : theHelpRoots,
                    GetHelpLanguage(theSettings.LanguageList, theSettings.LanguageIndex));
}

// The page of the main window: the mode it is in.
uint32_t MainWindowHelpId() {
  int mode = theMainFrame ? theMainFrame->GetEditMode() : 1;
  return kHelpIdCommand + static_cast<uint32_t>(mode == 0 ? cmd::kViewMode : cmd::kEditMode);
}

void EndContextMode() {
  theContextMode = false;
  wxSetCursor(wxNullCursor);
}

}  // namespace

void SetHelpRoots(std::vector<std::string> roots) { theHelpRoots = std::move(roots); }

CHelpDialog* GetHelpWindow() { return theHelpWindow.get(); }

bool InContextHelpMode() { return theContextMode; }

void WinHelp(uint32_t helpId, int command, bool modal) {
  if (!theHelpWindow) {
    if (command == kHelpQuit) return;
    wxWindow* parent = theMainFrame ? static_cast<wxWindow*>(theMainFrame)
                       : wxTheApp   ? wxTheApp->GetTopWindow()
                                    : nullptr;
    theHelpWindow = new CHelpDialog(parent, CurrentHelpPages());
  } else {
    // The language may have changed since the window was made.
    CHelpPages pages = CurrentHelpPages();
    if (pages.GetFolder() != theHelpWindow->GetPages().GetFolder()) theHelpWindow->SetPages(std::move(pages));
  }
  if (modal)
    theHelpWindow->ShowHelpModal(helpId, command);
  else
    theHelpWindow->ShowHelp(helpId, command);
}

uint32_t HelpIdOfWindow(wxWindow* window, const wxPoint& screenPoint) {
  // Inside a dialog: the dialog's page (its controls' ids are its own, not commands).
  wxWindow* top = window ? wxGetTopLevelParent(window) : nullptr;
  if (auto* sheet = dynamic_cast<wxPropertySheetDialog*>(top))
    if (wxWindow* page = sheet->GetBookCtrl() ? sheet->GetBookCtrl()->GetCurrentPage() : nullptr)
      return kHelpIdDialog + static_cast<uint32_t>(page->GetId());
  if (dynamic_cast<wxDialog*>(top)) return kHelpIdDialog + static_cast<uint32_t>(top->GetId());
  for (wxWindow* w = window; w && !w->IsTopLevel(); w = w->GetParent()) {
    if (auto* aui = dynamic_cast<wxAuiToolBar*>(w)) {
      wxPoint p = aui->ScreenToClient(screenPoint);
      if (wxAuiToolBarItem* tool = aui->FindToolByPosition(p.x, p.y))
        if (tool->GetId() > 0) return kHelpIdCommand + static_cast<uint32_t>(FromWxId(tool->GetId()));
    }
    if (auto* bar = dynamic_cast<wxToolBar*>(w)) {
      wxPoint p = bar->ScreenToClient(screenPoint);
      if (wxToolBarToolBase* tool = bar->FindToolForPosition(p.x, p.y))
        if (tool->GetId() > 0) return kHelpIdCommand + static_cast<uint32_t>(FromWxId(tool->GetId()));
    }
    // A button or slot of the main window that runs a command (the colour bar's slots).
    int id = w->GetId();
    if (id > 0 && FindHelpTopic(kHelpIdCommand + static_cast<uint32_t>(FromWxId(id))))
      return kHelpIdCommand + static_cast<uint32_t>(FromWxId(id));
  }
  return MainWindowHelpId();
}

void BindHelpCommands(CCommandMap& commands) {
  commands.Set(
      cmd::kHelpTopics, [] { WinHelp(0, kHelpContents); }, CCommandMap::Always);
  commands.Set(
      kHelpF1,
      [] {
        wxWindow* focus = wxWindow::FindFocus();
        WinHelp(focus ? HelpIdOfWindow(focus, wxGetMousePosition()) : MainWindowHelpId(), kHelpContext);
      },
      CCommandMap::Always);
  commands.Set(
      kContextHelp,
      [] {
        theContextMode = true;
        wxSetCursor(wxCursor(wxCURSOR_QUESTION_ARROW));
      },
      CCommandMap::Always);
}

bool FilterHelpEvent(wxEvent& event) {
  wxEventType type = event.GetEventType();
  if (theContextMode) {
    if (type == wxEVT_LEFT_DOWN || type == wxEVT_RIGHT_DOWN || type == wxEVT_MIDDLE_DOWN) {
      auto* window = dynamic_cast<wxWindow*>(event.GetEventObject());
      EndContextMode();
      // A click in the help window itself asks for nothing.
      if (type != wxEVT_LEFT_DOWN || !window || wxGetTopLevelParent(window) == theHelpWindow.get())
        return true;
      auto& mouse = static_cast<wxMouseEvent&>(event);
      WinHelp(HelpIdOfWindow(window, window->ClientToScreen(mouse.GetPosition())), kHelpContext);
      return true;
    }
    if (type == wxEVT_CHAR_HOOK && static_cast<wxKeyEvent&>(event).GetKeyCode() == WXK_ESCAPE) {
      EndContextMode();
      return true;
    }
    if (type == wxEVT_LEFT_UP || type == wxEVT_RIGHT_UP || type == wxEVT_MIDDLE_UP) return false;
  }
  // F1 in a dialog: the dialog's page (the main window's F1 is a command of its own).
  if (type == wxEVT_CHAR_HOOK) {
    auto& key = static_cast<wxKeyEvent&>(event);
    if (key.GetKeyCode() != WXK_F1 || key.HasAnyModifiers()) return false;
    auto* window = dynamic_cast<wxWindow*>(event.GetEventObject());
    wxWindow* top = window ? wxGetTopLevelParent(window) : nullptr;
    auto* dialog = dynamic_cast<wxDialog*>(top);
    if (!dialog || top == theHelpWindow.get()) return false;
    WinHelp(HelpIdOfWindow(window, wxGetMousePosition()), kHelpContext, dialog->IsModal());
    return true;
  }
  return false;
}
