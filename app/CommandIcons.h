#pragma once
// The tool-bar images: the desktop theme's icons for the standard actions (new, open, save, cut,
// copy, paste, print, help) and small vector pictograms drawn for the program's
// own commands, scaled for the screen.
#include <wx/bmpbndl.h>

// The image of a command's button, 16 x 16 pixels at normal density; never empty.
wxBitmapBundle GetCommandBitmap(int commandId);
// The image drawn by the program itself, also where the theme would have one (for tests).
wxBitmapBundle DrawCommandBitmap(int commandId);
// Whether the program has a pictogram of its own for the command (else a numbered tile).
bool HasOwnPictogram(int commandId);
