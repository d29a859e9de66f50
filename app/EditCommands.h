#pragma once
// The selection and editing commands of the document's link of the command chain: the clipboard
// commands, Modify, Colour, Snap, Sort, Keyboard Entry, the moves and turns by the grid, hiding,
// ghosting, grouping, selecting similar elements, the grid presets, Rotation Point, Draw To
// Selection, Refresh and Pane coordinates. Installs the desktop clipboard for the document.
class CCommandMap;
class CQuorvelDoc;

void BindEditCommands(CCommandMap& commands, CQuorvelDoc& doc);
