#pragma once
// The program's help: every request (Help Topics, F1, a click in context-help mode, F1 in a dialog)
// ends in WinHelp, which makes the one help window on first use and shows the page asked for.
#include <cstdint>
#include <string>
#include <vector>

class CCommandMap;
class wxEvent;
class wxPoint;
class wxWindow;

// The application's help operation: creates the help window (parent: the main window) on first
// use, shows it and hands it the request (see CHelpDialog::ShowHelp). modal: the request comes
// from a modal dialog, and the window runs modal on top of it until Exit.
void WinHelp(uint32_t helpId, int command, bool modal = false);

// Help Topics, F1 (help on the current window) and Shift+F1 (context help: the next click names
// the window or tool whose page is shown) in the application's link of the command chain.
void BindHelpCommands(CCommandMap& commands);

// Offered every event of the program first (wxApp::FilterEvent): takes the click that ends the
// context-help mode, and F1 in a dialog. True when the event was taken.
bool FilterHelpEvent(wxEvent& event);

// The help id of a window, or of the tool at the screen point when the window is a tool bar: a
// command's help id for a tool or a button that runs a command, the dialog's (or the settings
// sheet page's) help id inside a dialog, else the page of the main window's current mode.
uint32_t HelpIdOfWindow(wxWindow* window, const wxPoint& screenPoint);

// Whether the next click asks for help (Shift+F1 was given and no click or Escape followed yet).
bool InContextHelpMode();

// Where the help folder is looked for; empty (the default) means the program folder, then the
// installed data folder.
void SetHelpRoots(std::vector<std::string> roots);

// The help window while it exists (for tests); null before the first request.
class CHelpDialog;
CHelpDialog* GetHelpWindow();
