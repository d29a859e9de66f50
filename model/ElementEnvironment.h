#pragma once
// What an element reads from the program around it: the colour table of the active document (for
// colour names), which the document installs, and the grid step of the current grid type (for moves
// by grid), which comes from the settings.
#include "config/ColorEntry.h"
#include "config/Geometry.h"

using ActiveColorsSource = const ColorEntry* (*)();

// The 512 entries of the active document's table; theDefaultColors when no source is installed or
// the source has no document.
const ColorEntry* GetActiveColorEntries();
// The settings' step vector of the current grid type: DefStep, MidStep or OffStep by GridType 0, 1, 2.
CVector3 GetCurrentGridStep();

// Install a source (null restores the default); returns the previous one.
ActiveColorsSource SetActiveColorsSource(ActiveColorsSource source);
