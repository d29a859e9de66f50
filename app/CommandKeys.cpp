#include "app/CommandKeys.h"

#include <wx/accel.h>
#include <wx/event.h>

#include <cstdlib>
#include <map>
#include <vector>

#include "app/CommandTable.h"

namespace {
struct KeyBinding {
  int code;
  int modifiers;  // wxMOD_CONTROL, wxMOD_SHIFT, wxMOD_ALT
  int id;
};

int ModifiersOf(const ParsedAccelerator& key) {
  return (key.ctrl ? wxMOD_CONTROL : 0) | (key.shift ? wxMOD_SHIFT : 0) | (key.alt ? wxMOD_ALT : 0);
}

const std::vector<KeyBinding>& Bindings() {
  static const std::vector<KeyBinding> bindings = [] {
    std::vector<KeyBinding> out;
    for (const AcceleratorInfo& a : AcceleratorTable()) {
      ParsedAccelerator key;
      if (!ParseAccelerator(a.key, key)) continue;
      if (int code = KeyCodeOf(key.key)) out.push_back({code, ModifiersOf(key), a.id});
    }
    return out;
  }();
  return bindings;
}

// The keypad's navigation keys (Num Lock off) run what the main block's do.
int MainBlockKey(int code) {
  switch (code) {
    case WXK_NUMPAD_LEFT: return WXK_LEFT;
    case WXK_NUMPAD_RIGHT: return WXK_RIGHT;
    case WXK_NUMPAD_UP: return WXK_UP;
    case WXK_NUMPAD_DOWN: return WXK_DOWN;
    case WXK_NUMPAD_HOME: return WXK_HOME;
    case WXK_NUMPAD_END: return WXK_END;
    case WXK_NUMPAD_PAGEUP: return WXK_PAGEUP;
    case WXK_NUMPAD_PAGEDOWN: return WXK_PAGEDOWN;
    case WXK_NUMPAD_DELETE: return WXK_DELETE;
    case WXK_NUMPAD_INSERT: return WXK_INSERT;
    default: return code >= 'a' && code <= 'z' ? code - 'a' + 'A' : code;
  }
}

int ModifiersOf(const wxKeyEvent& event) {
  return (event.ControlDown() ? wxMOD_CONTROL : 0) | (event.ShiftDown() ? wxMOD_SHIFT : 0) |
         (event.AltDown() ? wxMOD_ALT : 0);
}
}  // namespace

int KeyCodeOf(const std::string& name) {
  if (name.size() == 1) {
    unsigned char c = static_cast<unsigned char>(name[0]);
    return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
  }
  static const std::map<std::string, int> kKeys = {
      {"Left", WXK_LEFT},     {"Right", WXK_RIGHT},       {"Up", WXK_UP},
      {"Down", WXK_DOWN},     {"Home", WXK_HOME},         {"End", WXK_END},
      {"PageUp", WXK_PAGEUP}, {"PageDown", WXK_PAGEDOWN}, {"Delete", WXK_DELETE},
      {"Insert", WXK_INSERT}, {"Back", WXK_BACK},         {"NumPlus", WXK_NUMPAD_ADD},
      {"NumMinus", WXK_NUMPAD_SUBTRACT}};
  if (auto it = kKeys.find(name); it != kKeys.end()) return it->second;
  if (name.size() >= 2 && name[0] == 'F') {
    int n = std::atoi(name.c_str() + 1);
    if (n >= 1 && n <= 24) return WXK_F1 + n - 1;
  }
  return 0;
}

bool MakeAcceleratorEntry(const std::string& text, int commandId, wxAcceleratorEntry& entry) {
  ParsedAccelerator key;
  if (!ParseAccelerator(text, key)) return false;
  int code = KeyCodeOf(key.key);
  if (!code) return false;
  int flags = (key.ctrl ? wxACCEL_CTRL : 0) | (key.shift ? wxACCEL_SHIFT : 0) | (key.alt ? wxACCEL_ALT : 0);
  entry.Set(flags, code, ToWxId(commandId));
  return true;
}

int CommandOfKey(const wxKeyEvent& event) {
  const int code = MainBlockKey(event.GetKeyCode());
  const int modifiers = ModifiersOf(event);
  for (const KeyBinding& b : Bindings())
    if (b.code == code && b.modifiers == modifiers) return b.id;
  return 0;
}

bool TextFieldKeepsKey(const wxKeyEvent& event) {
  const int code = MainBlockKey(event.GetKeyCode());
  if (code >= WXK_F1 && code <= WXK_F24) return false;
  const int modifiers = ModifiersOf(event);
  // Typed characters and the cursor keys, with or without Shift.
  if ((modifiers & ~wxMOD_SHIFT) == 0) return true;
  if (modifiers == wxMOD_ALT) return code == WXK_BACK;
  if ((modifiers & ~wxMOD_SHIFT) != wxMOD_CONTROL) return false;
  // Ctrl: the clipboard, undo, select all and moving by words.
  static const int kCtrlKeys[] = {'A', 'C', 'V', 'X', 'Z', 'Y', WXK_INSERT, WXK_DELETE, WXK_BACK,
                                  WXK_LEFT, WXK_RIGHT, WXK_HOME, WXK_END};
  for (int k : kCtrlKeys)
    if (code == k) return true;
  return false;
}
