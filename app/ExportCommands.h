#pragma once
// Export... (the export sheet and session) and the LSynth menu of the document's link of the
// command chain.
class CCommandMap;
class CQuorvelDoc;

void BindExportCommands(CCommandMap& commands, CQuorvelDoc& doc);
