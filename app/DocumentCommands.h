#pragma once
// The document's commands on the main frame: File (New, Open, Save, Save As, Revert, the recent
// files), Undo, the Multipart menu, the modes and the step navigation, each with its enable and
// check rule from the document's state. Also the frame's and the application's ways into the
// document: the save question before it is discarded and opening a named file.
#include <string>

class wxFileHistory;
class CMainFrame;
class CQuorvelDoc;

void BindDocumentCommands(CMainFrame& frame, CQuorvelDoc& document, wxFileHistory* history);

// The save question before the document's project goes (exit, a dropped file, another library):
// false when the user cancelled.
bool QueryDiscardDocument();

enum class OpenResult { Cancelled, Failed, Opened };
// Opens a file through the document (command line, dropped file, recent file), after the save
// question when askToSave.
OpenResult OpenDocumentFile(const std::string& path, bool askToSave);
