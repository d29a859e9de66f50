#pragma once
// The tool-bar images: the desktop theme's icons for the standard actions (new, open, save, cut,
// copy, paste, print, undo, find, step navigation...) and small pictures drawn here for the
// program's own commands.
#include <wx/bitmap.h>

// The image of a command's button, 16 x 16 pixels; never invalid.
wxBitmap GetCommandBitmap(int commandId);
// The image drawn by the program itself, also where the theme would have one (for tests).
wxBitmap DrawCommandBitmap(int commandId);
