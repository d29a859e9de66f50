#include "app/CommandTable.h"

#include <cctype>

namespace {
constexpr CommandKind N = CommandKind::Normal;
constexpr CommandKind C = CommandKind::Check;

// Separators are rows with id 0 in the path they separate.
const std::vector<CommandInfo> kCommands = {
    {57600, "&File", "&New", "Create a new model", "Ctrl+N", N},
    {57601, "&File", "&Open...", "Open an existing model or project", "Ctrl+O", N},
    {57603, "&File", "&Save", "Save the project", "Ctrl+S", N},
    {57604, "&File", "Save &As...", "Save the project under a new name", "", N},
    {0, "&File", "", "", "", N},
    {32919, "&File", "&Export...", "Export the steps to files and run the post processors", "", N},
    {32864, "&File", "Save &Image(s)...", "Save pictures of the model or of each step", "Ctrl+Shift+S", N},
    {32869, "&File", "Save Parts &List...", "Save a report of the parts used", "", N},
    {32978, "&File", "&Revert", "Reload the project from its file", "", N},
    {0, "&File", "", "", "", N},
    {57607, "&File", "&Print...", "Print the building instructions", "Ctrl+P", N},
    {57609, "&File", "Print Pre&view", "Show the printed pages", "", N},
    {57606, "&File", "P&rint Setup...", "Choose the printer and its options", "", N},
    {0, "&File", "", "", "", N},
    {32865, "&File", "Scan &Parts", "Scan the part library again", "", N},
    {0, "&File", "", "", "", N},
    {57616, "&File", "Recent File", "Open this file", "", N},
    {0, "&File", "", "", "", N},
    {57665, "&File", "E&xit", "Quit Plandor", "", N},

    {57643, "&Edit", "&Undo", "Undo the last change", "Ctrl+Z", N},
    {0, "&Edit", "", "", "", N},
    {57635, "&Edit", "Cu&t", "Cut the selection to the copy buffer", "Ctrl+X", N},
    {57634, "&Edit", "&Copy", "Copy the selection to the copy buffer", "Ctrl+C", N},
    {57637, "&Edit", "&Paste", "Insert the copy buffer", "Ctrl+V", N},
    {57632, "&Edit", "&Erase", "Erase the selection", "Delete", N},
    {0, "&Edit", "", "", "", N},
    {32846, "&Edit", "&Find...", "Find a part in the part tree", "Ctrl+F", N},
    {32849, "&Edit", "Find A&gain", "Find the next matching part", "Ctrl+Shift+F", N},
    {0, "&Edit", "", "", "", N},
    {32880, "&Edit", "&Duplicate", "Duplicate the selection", "Ctrl+D", N},
    {32878, "&Edit", "&Modify...", "Edit the selected element", "Ctrl+M", N},
    {32879, "&Edit", "C&olor...", "Give the selection a colour", "C", N},
    {32962, "&Edit", "Snap To G&rid", "Move the selection onto the grid", "Ctrl+Shift+G", N},
    {32986, "&Edit", "So&rt...", "Sort the selected lines", "", N},
    {32783, "&Edit|&Add", "&Part...", "Add a part from the library", "I", N},
    {32784, "&Edit|&Add", "&Step", "Add a step", "", N},
    {32985, "&Edit|&Add", "&Autosteps...", "Divide the model into steps automatically", "", N},
    {32785, "&Edit|&Add", "&Comment...", "Add a comment line", "", N},
    {32786, "&Edit|&Add", "&Rotation Step...", "Add a rotation step", "", N},
    {32787, "&Edit|&Add", "Rotation &End Step", "Add the end of a rotation step", "", N},
    {32927, "&Edit|&Add", "Step &Background...", "Add a step background picture", "", N},
    {32939, "&Edit|&Add", "C&lear Statement", "Add a clear statement", "", N},
    {32943, "&Edit|&Add", "B&uffer Exchange...", "Add a buffer exchange statement", "", N},
    {32929, "&Edit|&Add|Pr&imitive", "&Line...", "Add a line", "", N},
    {32930, "&Edit|&Add|Pr&imitive", "&Triangle...", "Add a triangle", "", N},
    {32931, "&Edit|&Add|Pr&imitive", "&Quadrilateral...", "Add a quadrilateral", "", N},
    {32932, "&Edit|&Add|Pr&imitive", "&Conditional Line...", "Add a conditional line", "", N},
    {32937, "&Edit|&Add|Pr&imitive", "&BFC Statement...", "Add a BFC statement", "", N},
    {32792, "&Edit|Mo&ve", "X ->", "Move the selection along +X", "Right", N},
    {32793, "&Edit|Mo&ve", "<- X", "Move the selection along -X", "Left", N},
    {32794, "&Edit|Mo&ve", "Y ->", "Move the selection along +Y", "Home", N},
    {32795, "&Edit|Mo&ve", "<- Y", "Move the selection along -Y", "End", N},
    {32796, "&Edit|Mo&ve", "Z ->", "Move the selection along +Z", "Up", N},
    {32797, "&Edit|Mo&ve", "<- Z", "Move the selection along -Z", "Down", N},
    {0, "&Edit|Mo&ve", "", "", "", N},
    {32953, "&Edit|Mo&ve", "&Keyboard Entry...", "Move or rotate the selection by typed values", "", N},
    {32816, "&Edit|Ro&tate", "<- X", "Rotate the selection about X", "Ctrl+Up", N},
    {32817, "&Edit|Ro&tate", "X ->", "Rotate the selection back about X", "Ctrl+Down", N},
    {32818, "&Edit|Ro&tate", "<- Y", "Rotate the selection about Y", "Ctrl+Left", N},
    {32819, "&Edit|Ro&tate", "Y ->", "Rotate the selection back about Y", "Ctrl+Right", N},
    {32820, "&Edit|Ro&tate", "<- Z", "Rotate the selection about Z", "Ctrl+Home", N},
    {32821, "&Edit|Ro&tate", "Z ->", "Rotate the selection back about Z", "Ctrl+End", N},
    {0, "&Edit|Ro&tate", "", "", "", N},
    {32953, "&Edit|Ro&tate", "&Keyboard Entry...", "Move or rotate the selection by typed values", "", N},
    {32866, "&Edit|V&isibility", "&Hide", "Hide the selection", "", N},
    {32867, "&Edit|V&isibility", "&Unhide", "Show the selected hidden elements", "", N},
    {32868, "&Edit|V&isibility", "Unhide &All", "Show every hidden element", "", N},
    {32955, "&Edit|V&isibility", "&Ghost", "Draw the selection as a ghost", "", N},
    {32956, "&Edit|V&isibility", "U&nghost", "Draw the selection normally again", "", N},
    {32946, "&Edit|&Group", "&Group...", "Group the selection", "Ctrl+G", N},
    {32947, "&Edit|&Group", "&Ungroup", "Dissolve the selected groups", "", N},
    {32980, "&Edit|&Select", "&All", "Select every element", "", N},
    {32981, "&Edit|&Select", "Same &Type", "Select the elements of the selected types", "", N},
    {32982, "&Edit|&Select", "Same &Color", "Select the elements of the selected colours", "", N},

    {32856, "&Navigate", "&First", "Go to the first step", "Ctrl+PageUp", N},
    {32857, "&Navigate", "&Previous", "Go to the previous step", "PageUp", N},
    {32970, "&Navigate", "Fast &Backward", "Go several steps back", "Shift+PageUp", N},
    {32971, "&Navigate", "Fast F&orward", "Go several steps forward", "Shift+PageDown", N},
    {32858, "&Navigate", "&Next", "Go to the next step", "PageDown", N},
    {32859, "&Navigate", "&Last", "Go to the last step", "Ctrl+PageDown", N},

    {32915, "&View", "&Refresh", "Draw every view again", "Ctrl+R", N},
    {32914, "&View|&Toolbars", "&Colorbar", "Show or hide the colour bar", "", C},
    {59392, "&View|&Toolbars", "&Mainbar", "Show or hide the main bar", "", C},
    {32805, "&View|&Toolbars", "&Transformationbar", "Show or hide the transformation bar", "", C},
    {32804, "&View|&Toolbars", "&Objectbar", "Show or hide the object bar", "", C},
    {32806, "&View|&Toolbars", "Co&ntrolbar", "Show or hide the step control bar", "", C},
    {32884, "&View|&Toolbars", "Mo&debar", "Show or hide the mode bar", "", C},
    {32941, "&View|&Toolbars", "&Expertbar", "Show or hide the expert bar", "", C},
    {32940, "&View|&Toolbars", "&Zoombar", "Show or hide the zoom bar", "", C},
    {32966, "&View|&Toolbars", "&Visibilitybar", "Show or hide the visibility bar", "", C},
    {32989, "&View|&Toolbars", "E&xtrasbar", "Show or hide the extras bar", "", C},
    {0, "&View|&Toolbars", "", "", "", N},
    {59393, "&View|&Toolbars", "&Status Bar", "Show or hide the status bar", "", C},
    {33007, "&View", "&Pane coordinates", "Show the mouse position in model coordinates", "", C},

    {32872, "&Multipart", "&New Model...", "Add a new model to the project", "", N},
    {32873, "&Multipart", "&Activate Model...", "Choose the model to edit", "", N},
    {32877, "&Multipart", "&Change Model Info...", "Change the name and description of the model", "", N},
    {32874, "&Multipart", "&Import Model...", "Import a model file into the project", "", N},
    {32875, "&Multipart", "&Remove Model...", "Remove a model from the project", "", N},
    {32972, "&Multipart", "Model &Sequence...", "Change the order of the project's models", "", N},
    {32876, "&Multipart", "&Export Models...", "Save the project's models as single files", "", N},

    {32831, "E&xtras|&Reports", "&Comments...", "Report the model's comments", "", N},
    {32830, "E&xtras|&Reports", "&Dimensions...", "Report the model's dimensions", "", N},
    {32829, "E&xtras|&Reports", "&Parts...", "Report the parts used", "", N},
    {32996, "E&xtras|&Generators", "&Arrow...", "Generate an arrow", "", N},
    {32992, "E&xtras|&Generators", "&Rubber Belt...", "Generate a rubber belt", "", N},
    {32911, "E&xtras|&Generators", "&Fractal Landscape...", "Generate a random landscape of bricks", "", N},
    {32913, "E&xtras|&Generators", "&Mosaic...", "Generate a mosaic from a picture", "", N},
    {32984, "E&xtras|&Generators", "R&otation Model...", "Generate a solid of revolution from a profile", "", N},
    {32988, "E&xtras|&Generators", "Mini&fig...", "Assemble a minifigure", "", N},
    {32976, "E&xtras|&File Cache", "&Flush", "Release the part files no model uses", "", N},
    {32977, "E&xtras|&File Cache", "&Reset", "Reload every part file", "", N},
    {33003, "E&xtras|&LSynth", "&Add Command...", "Add an LSynth command", "", N},
    {33002, "E&xtras|&LSynth", "&Run LSynth", "Synthesise the flexible parts with LSynth", "", N},
    {32999, "E&xtras|&LSynth", "&Hide All", "Hide LSynth definitions and results", "", N},
    {33000, "E&xtras|&LSynth", "Hide &Definition", "Hide the LSynth definitions", "", N},
    {33001, "E&xtras|&LSynth", "Hide &Synthesized", "Hide the synthesised parts", "", N},
    {33004, "E&xtras|&LSynth", "&Unhide all", "Show every LSynth element again", "", N},

    {32807, "&Settings|&General", "&Change...", "Change the settings", "", N},
    {32870, "&Settings|&General", "&Default", "Restore the default settings", "", N},
    {32881, "&Settings|G&rid", "&Coarse", "Use the coarse grid", "F9", C},
    {32882, "&Settings|G&rid", "&Medium", "Use the medium grid", "F10", C},
    {32883, "&Settings|G&rid", "&Fine", "Use the fine grid", "F11", C},
    {32974, "&Settings|&Parts Tree", "&Tree Configuration...", "Configure the groups of the part tree", "", N},
    {32975, "&Settings|&Parts Tree", "&Default", "Restore the default part groups", "", N},
    {32885, "&Settings|&Zoom", "300%", "Zoom the 3-D views to 300%", "", N},
    {32886, "&Settings|&Zoom", "200%", "Zoom the 3-D views to 200%", "", N},
    {32887, "&Settings|&Zoom", "150%", "Zoom the 3-D views to 150%", "", N},
    {32888, "&Settings|&Zoom", "100%", "Zoom the 3-D views to 100%", "", N},
    {32889, "&Settings|&Zoom", "75%", "Zoom the 3-D views to 75%", "", N},
    {32890, "&Settings|&Zoom", "50%", "Zoom the 3-D views to 50%", "", N},
    {32891, "&Settings|&Zoom", "25%", "Zoom the 3-D views to 25%", "", N},
    {32892, "&Settings|&Zoom", "12%", "Zoom the 3-D views to 12%", "", N},
    {32893, "&Settings|&Zoom", "6%", "Zoom the 3-D views to 6%", "", N},
    {32894, "&Settings|&Zoom", "&Fit", "Fit the model into each 3-D view", "", N},
    {0, "&Settings", "", "", "", N},
    {32963, "&Settings", "R&otation Point...", "Set the rotation point", "Ctrl+Shift+R", N},
    {32979, "&Settings", "Draw &To Selection", "Draw the model only up to the selection", "", C},
    {0, "&Settings", "", "", "", N},
    {32808, "&Settings", "&View Mode", "Show the model step by step", "F2", C},
    {32922, "&Settings", "&Edit Mode", "Edit the model", "F3", C},
    {32916, "&Settings", "P&an Mode", "Drag to move the view", "F4", C},
    {32926, "&Settings", "&Zoom Mode", "Drag to zoom the view", "F5", C},

    {57667, "&Help", "&Help Topics", "Show the help pages", "", N},
    {0, "&Help", "", "", "", N},
    {57664, "&Help", "&About Plandor...", "Show the program's version", "", N},

    // Commands reached by key or button only.
    {57669, "", "What's This?", "Show the help of the item clicked next", "Shift+F1", N},
    {57670, "", "Help", "Show the help of the current window", "F1", N},
    {57680, "", "Next Pane", "Move to the next pane", "F6", N},
    {57681, "", "Previous Pane", "Move to the previous pane", "Shift+F6", N},
    {32896, "", "Zoom In", "Zoom the active 3-D view in", "NumPlus", N},
    {32897, "", "Zoom Out", "Zoom the active 3-D view out", "NumMinus", N},
};

// Keys that run commands without a menu item of their own come last.
const std::vector<AcceleratorInfo> kAccelerators = {
    {"A", 32819},          {"C", 32879},           {"I", 32783},
    {"M", 32878},          {"P", 32878},           {"Ctrl+C", 57634},
    {"Ctrl+D", 32880},     {"Ctrl+F", 32846},      {"Ctrl+Shift+F", 32849},
    {"Ctrl+G", 32946},     {"Ctrl+Shift+G", 32962}, {"Ctrl+M", 32878},
    {"Ctrl+N", 57600},     {"Ctrl+O", 57601},      {"Ctrl+P", 57607},
    {"Ctrl+R", 32915},     {"Ctrl+Shift+R", 32963}, {"Ctrl+S", 57603},
    {"Ctrl+Shift+S", 32864}, {"Ctrl+V", 57637},    {"Ctrl+X", 57635},
    {"Ctrl+Z", 57643},     {"Alt+Back", 57643},    {"Delete", 57632},
    {"Shift+Delete", 57635}, {"Ctrl+Insert", 57634}, {"Shift+Insert", 57637},
    {"NumPlus", 32896},    {"NumMinus", 32897},    {"Left", 32793},
    {"Right", 32792},      {"Home", 32794},        {"End", 32795},
    {"Up", 32796},         {"Down", 32797},        {"Ctrl+Left", 32818},
    {"Ctrl+Right", 32819}, {"Ctrl+Home", 32820},   {"Ctrl+End", 32821},
    {"Ctrl+Up", 32816},    {"Ctrl+Down", 32817},   {"PageUp", 32857},
    {"PageDown", 32858},   {"Ctrl+PageUp", 32856}, {"Ctrl+PageDown", 32859},
    {"Shift+PageUp", 32970}, {"Shift+PageDown", 32971}, {"F1", 57670},
    {"Shift+F1", 57669},   {"F2", 32808},          {"F3", 32922},
    {"F4", 32916},         {"F5", 32926},          {"F6", 57680},
    {"Shift+F6", 57681},   {"F9", 32881},          {"F10", 32882},
    {"F11", 32883},
};
}  // namespace

const std::vector<CommandInfo>& CommandTable() { return kCommands; }

const CommandInfo* FindCommand(int id) {
  if (id == 0) return nullptr;
  for (const CommandInfo& c : kCommands)
    if (c.id == id) return &c;
  return nullptr;
}

const std::vector<AcceleratorInfo>& AcceleratorTable() { return kAccelerators; }

bool ParseAccelerator(const std::string& text, ParsedAccelerator& out) {
  out = ParsedAccelerator();
  std::string rest = text;
  for (;;) {
    size_t plus = rest.find('+');
    if (plus == std::string::npos || plus + 1 == rest.size()) break;
    std::string mod = rest.substr(0, plus);
    if (mod == "Ctrl" && !out.ctrl)
      out.ctrl = true;
    else if (mod == "Shift" && !out.shift)
      out.shift = true;
    else if (mod == "Alt" && !out.alt)
      out.alt = true;
    else
      return false;
    rest = rest.substr(plus + 1);
  }
  out.key = rest;
  // "Ctrl+" and the like lack their key.
  return !out.key.empty() && (out.key == "+" || out.key.find('+') == std::string::npos);
}

bool IsViewOnlyAccelerator(const ParsedAccelerator& key) {
  if (key.ctrl || key.alt) return false;
  const std::string& k = key.key;
  if (k.size() == 1 && std::isalpha(static_cast<unsigned char>(k[0]))) return true;
  static const char* const kNavigation[] = {"Left", "Right", "Up", "Down", "Home", "End",
                                            "PageUp", "PageDown", "Delete", "Insert", "Back"};
  for (const char* n : kNavigation)
    if (k == n) return true;
  return false;
}

int ZoomPresetPercent(int commandId) {
  static const int kPercent[] = {300, 200, 150, 100, 75, 50, 25, 12, 6, 0};
  if (commandId < cmd::kZoomFirst || commandId > cmd::kZoomLast) return -1;
  return kPercent[commandId - cmd::kZoomFirst];
}
