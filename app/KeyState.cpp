#include "app/KeyState.h"

#include <wx/utils.h>

namespace {
bool g_tabDown = false;
}

void SetTabKeyDown(bool down) { g_tabDown = down; }
bool IsTabKeyDown() { return g_tabDown; }

SelectKeys CurrentSelectKeys() {
  SelectKeys keys;
  keys.ctrlOrShift = wxGetKeyState(WXK_CONTROL) || wxGetKeyState(WXK_SHIFT);
  keys.tab = g_tabDown;
  return keys;
}
