#pragma once
// Settings > General > Change...: the settings sheet, then what the windows must learn of the new
// settings.
class CMainFrame;

// Makes the settings sheet the one CSettings::EditSettings runs and binds the command, and
// Settings > General > Default.
void RegisterSettingsCommand(CMainFrame& frame);
