#pragma once
// The document's link of the command chain: File (New, Open, Save, Save As, Revert, the recent
// files), Undo, the Multipart menu, the modes and the step navigation, each with its enable and
// check rule from the document's state. Also the frame's and the application's ways into the
// document: the save question before it is discarded and opening a named file.
#include <memory>
#include <string>

class wxFileHistory;
class CCommandMap;
class CQuorvelDoc;

// The document's commands; the recent files are the history's menu ids (history may be null).
// The document and the history must outlive the map.
std::unique_ptr<CCommandMap> MakeDocumentCommands(CQuorvelDoc& document, wxFileHistory* history);

// The save question before the document's project goes (exit, a dropped file, another library):
// false when the user cancelled. No document: nothing to ask.
bool QueryDiscardDocument(CQuorvelDoc* doc);

enum class OpenResult { Cancelled, Failed, Opened };
// Opens a file through the document (command line, dropped file, recent file), after the save
// question when askToSave. No document: Failed.
OpenResult OpenDocumentFile(CQuorvelDoc* doc, const std::string& path, bool askToSave);
