#pragma once
// Every command of the program in one table: its id (the numbers the resources and the language
// packs know), where it sits in the main menu, its menu text, its status-line prompt and its
// accelerator. Menus, tool bars and the accelerator table are all built from here.
#include <string>
#include <vector>

enum class CommandKind { Normal, Check };

struct CommandInfo {
  int id;                // 0 marks a menu separator
  const char* menuPath;  // "File", "Edit|Add|Primitive"; empty: not in the main menu
  const char* text;      // menu text, '&' before the mnemonic
  const char* status;    // prompt shown in the status line
  const char* accel;     // the accelerator shown in the menu ("Ctrl+S"), empty for none
  CommandKind kind;
};

// The main menu in order: one row per item (a command shown in two menus has two rows); the
// commands that only a key or a button runs come last, with an empty menu path.
const std::vector<CommandInfo>& CommandTable();
// The first row of a command; nullptr when the id is unknown.
const CommandInfo* FindCommand(int id);

// Every key that runs a command (several keys may run one command).
struct AcceleratorInfo {
  const char* key;
  int id;
};
const std::vector<AcceleratorInfo>& AcceleratorTable();

// A key of the accelerator table, split into modifiers and the key name ("Ctrl+Shift+F6").
struct ParsedAccelerator {
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
  std::string key;  // "F6", "A", "Left", "NumPlus", "Back"...
};
bool ParseAccelerator(const std::string& text, ParsedAccelerator& out);

// Keys without Ctrl or Alt (letters, arrows, Home, End, Delete, Page keys) would take the key away
// from text fields, the tree and the list when the frame owns them; the 3-D view handles those
// itself, so the frame's table leaves them out. Function keys and modified keys stay global.
bool IsViewOnlyAccelerator(const ParsedAccelerator& key);

// The zoom presets of the Settings > Zoom menu and the zoom bar: per cent, 0 = fit; -1 for any
// other command id.
int ZoomPresetPercent(int commandId);

// wx accepts menu and tool ids only below 0x7FFF, while the program's command ids lie at 0x8000 and
// above. At the wx boundary (menus, tool bars, accelerators, command events) a command id
// 0x8000..0xEFFF becomes 0x1000..0x7FFF; everything inside the program uses the command ids.
constexpr int kWxCommandBase = 0x1000;
constexpr int ToWxId(int commandId) {
  return commandId >= 0x8000 && commandId < 0xF000 ? commandId - 0x8000 + kWxCommandBase : commandId;
}
// wx's own ids (4999..5999: the recent files, stock items) map to no command id.
constexpr int kWxOwnIdFirst = 4999, kWxOwnIdLast = 5999;
// The command id of a wx id; wx's own ids and ids outside the mapped range come back unchanged.
constexpr int FromWxId(int wxId) {
  if (wxId >= kWxOwnIdFirst && wxId <= kWxOwnIdLast) return wxId;
  return wxId >= kWxCommandBase && wxId < kWxCommandBase + 0x7000 ? wxId - kWxCommandBase + 0x8000 : wxId;
}

// Command ids the program refers to by name.
namespace cmd {
constexpr int kFileNew = 57600;
constexpr int kFileOpen = 57601;
constexpr int kFileSave = 57603;
constexpr int kFileMru = 57616;
constexpr int kAppExit = 57665;
constexpr int kAppAbout = 57664;
constexpr int kHelpTopics = 57667;
constexpr int kFind = 32846;
constexpr int kFindAgain = 32849;
constexpr int kStatusBar = 59393;
constexpr int kSettings = 32807;
constexpr int kSettingsDefault = 32870;
constexpr int kPaneCoordinates = 33007;
constexpr int kZoomFirst = 32885;
constexpr int kZoomLast = 32894;
constexpr int kViewMode = 32808;
constexpr int kEditMode = 32922;
}  // namespace cmd
