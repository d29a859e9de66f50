#pragma once
// Settings > General > Change...: the settings sheet, then what the windows must learn of the new
// settings.
class CMainFrame;

// Makes the settings sheet, parented to the frame, the one CSettings::EditSettings runs.
void InstallSettingsSheet(CMainFrame& frame);

// Settings > General > Change...: runs the sheet and tells the windows what changed.
void RunSettingsCommand(CMainFrame& frame);
