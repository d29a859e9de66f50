#pragma once
// Extras > Generators > Minifig...: the minifigure dialog; after OK its parts go into the current
// file, a new submodel or a new file, as the dialog says.
class CCommandMap;
class CQuorvelDoc;

void BindMinifigCommands(CCommandMap& commands, CQuorvelDoc& doc);
