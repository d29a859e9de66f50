#pragma once
// Extras > Reports: Comments... and Dimensions... of the active model.
class CCommandMap;
class CQuorvelDoc;

void BindModelReportCommands(CCommandMap& commands, CQuorvelDoc& doc);
