#pragma once
// What an element reads from the program around it without depending on the document or the
// settings object: the colour table of the active document (for colour names) and the grid step of
// the current grid type (for moves by grid). The document and the settings install their sources;
// until then the defaults below apply, which keeps the model layer testable on its own.
#include "config/ColorEntry.h"
#include "config/Geometry.h"

using ActiveColorsSource = const ColorEntry* (*)();
using GridStepSource = CVector3 (*)();

// The 512 entries of the active document's table; theDefaultColors when no source is installed or
// the source has no document.
const ColorEntry* GetActiveColorEntries();
// The step vector of the current grid type; (16, 16, 16), the coarse default, without a source.
CVector3 GetCurrentGridStep();

// Install a source (null restores the default); returns the previous one.
ActiveColorsSource SetActiveColorsSource(ActiveColorsSource source);
GridStepSource SetGridStepSource(GridStepSource source);
