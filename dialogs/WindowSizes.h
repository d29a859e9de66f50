#pragma once
// The remembered rectangles of the resizable dialogs: profile section "WindowSizes", one key per
// dialog, "left top right bottom" in screen pixels.
#include <string>

#include <wx/gdicmn.h>

// The stored rectangle, or "100 50 460 290" when the key is missing or malformed.
wxRect ReadWindowSize(const std::string& key);
void WriteWindowSize(const std::string& key, const wxRect& rect);
// The rectangle where a dialog can be seen: one stored for a screen that is gone (or far off any
// screen) gives the default rectangle instead.
wxRect VisibleWindowRect(const wxRect& stored);
// Whether the dialog of this key has been sized before (its rectangle is stored).
bool HasWindowSize(const std::string& key);
