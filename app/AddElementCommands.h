#pragma once
// Edit > Add: the lines that are not parts (step, comment, rotation step and its end, background,
// clear, buffer exchange, BFC, line, triangle, quadrilateral, conditional line). Those with data
// open their element's dialog first; Cancel adds nothing.
class CCommandMap;
class CQuorvelDoc;

void BindAddElementCommands(CCommandMap& commands, CQuorvelDoc& doc);
