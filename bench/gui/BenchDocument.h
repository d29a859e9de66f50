#pragma once
// What the GUI benchmarks share: their wx application and the loading of a model file into a
// document the way opening it does.
#include <wx/app.h>

#include <string>

class CQuorvelDoc;
class CQuorvelView;

class CBenchApp : public wxApp {
 public:
  bool OnInit() override { return true; }
};

// Starts the toolkit (false, said on stderr, without a display) and sets up what every GUI
// benchmark reads: a scratch profile of that name, the built-in colours and the benchmark library.
bool StartBenchApp(char** argv, const char* profileName);

// Lets queued events, idle handlers and paints run until nothing is left to do.
void PumpBenchEvents();

// Pumps events until every pane painted its image more often than `before` says; false when
// that takes longer than the limit.
bool WaitForPaints(CQuorvelView* const (&views)[4], const int (&before)[4], int limitSeconds);

// Replaces the document's project with the file's models; false when it cannot be read.
bool LoadBenchModel(CQuorvelDoc& doc, const std::string& path);
