#include "model/ElementEnvironment.h"

#include "config/Settings.h"

namespace {
ActiveColorsSource theColorsSource = nullptr;
}  // namespace

const ColorEntry* GetActiveColorEntries() {
  const ColorEntry* entries = theColorsSource ? theColorsSource() : nullptr;
  return entries ? entries : theDefaultColors;
}

CVector3 GetCurrentGridStep() {
  switch (theSettings.GridType) {
    case 1:
      return theSettings.MidStep;
    case 2:
      return theSettings.OffStep;
    default:
      return theSettings.DefStep;
  }
}

ActiveColorsSource SetActiveColorsSource(ActiveColorsSource source) {
  ActiveColorsSource old = theColorsSource;
  theColorsSource = source;
  return old;
}
