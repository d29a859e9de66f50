#pragma once
// The keys of the command table as wx sees them. The main frame looks every key up here before
// any window gets it, whichever pane has the focus, and runs the command through its chain; only
// a text field keeps the keys that typing needs.
#include <string>

class wxAcceleratorEntry;
class wxKeyEvent;

// The wx key code of an accelerator's key name ("PageDown", "F6", "A"); 0 when unknown.
int KeyCodeOf(const std::string& name);
// The entry of an accelerator text ("Ctrl+Shift+G") for a command; false when it cannot be one.
bool MakeAcceleratorEntry(const std::string& text, int commandId, wxAcceleratorEntry& entry);
// The command a key press runs (its modifiers exactly as in the table); 0 for none.
int CommandOfKey(const wxKeyEvent& event);
// Keys a focused text field needs for itself: typing, moving the cursor and the clipboard.
bool TextFieldKeepsKey(const wxKeyEvent& event);
