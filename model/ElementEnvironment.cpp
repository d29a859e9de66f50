#include "model/ElementEnvironment.h"

namespace {
ActiveColorsSource theColorsSource = nullptr;
GridStepSource theGridSource = nullptr;
}  // namespace

const ColorEntry* GetActiveColorEntries() {
  const ColorEntry* entries = theColorsSource ? theColorsSource() : nullptr;
  return entries ? entries : theDefaultColors;
}

CVector3 GetCurrentGridStep() { return theGridSource ? theGridSource() : CVector3(16, 16, 16); }

ActiveColorsSource SetActiveColorsSource(ActiveColorsSource source) {
  ActiveColorsSource old = theColorsSource;
  theColorsSource = source;
  return old;
}

GridStepSource SetGridStepSource(GridStepSource source) {
  GridStepSource old = theGridSource;
  theGridSource = source;
  return old;
}
