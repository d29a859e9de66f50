#pragma once
// What the GUI benchmarks share: their wx application and the loading of a model file into a
// document the way opening it does.
#include <wx/app.h>

#include <string>

class CQuorvelDoc;

class CBenchApp : public wxApp {
 public:
  bool OnInit() override { return true; }
};

// Lets queued events, idle handlers and paints run until nothing is left to do.
void PumpBenchEvents();

// Replaces the document's project with the file's models; false when it cannot be read.
bool LoadBenchModel(CQuorvelDoc& doc, const std::string& path);
