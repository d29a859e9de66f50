#pragma once
// Colour... (the colour dialog for the selection) in the document's link of the command chain;
// binding it also makes the document's active colour table the one the colour windows show.
class CCommandMap;
class CQuorvelDoc;

void BindColorCommands(CCommandMap& commands, CQuorvelDoc& doc);
