#pragma once
// The report and library-maintenance commands of the document's link of the command chain:
// Parts... and Save Parts List... (the parts-list dialog), Scan Parts, and the file cache's Flush
// and Reset.
class CCommandMap;
class CQuorvelDoc;

void BindReportCommands(CCommandMap& commands, CQuorvelDoc& doc);
