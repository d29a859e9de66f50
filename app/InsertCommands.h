#pragma once
// The Insert commands of the document's link of the command chain: steps, comments, rotation
// steps, backgrounds, clear, buffer exchange, BFC and the four primitives, and the part generators
// of the Extras menu.
class CCommandMap;
class CQuorvelDoc;

void BindInsertCommands(CCommandMap& commands, CQuorvelDoc& doc);
