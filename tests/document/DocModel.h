#pragma once
// Documents for the command tests: a project given as text, loaded as a freshly opened file (one
// snapshot, unmodified), and the settings the commands read, put back after each test.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "DocTestHost.h"
#include "config/PartList.h"
#include "config/Settings.h"
#include "document/QuorvelDoc.h"
#include "model/CopyBuffer.h"
#include "model/MpdFile.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"
#include "tests/model/LibraryScope.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/SettingsSnapshot.h"

// Replaces the document's project by the text (one model, or "0 FILE" sections); current is the
// 0-based model that becomes active. The ring then holds exactly the loaded state.
inline void LoadDocument(CQuorvelDoc& doc, const std::string& text, int current = 0) {
  doc.OnNewDocument();
  CArrayTextHandler snapshot;
  snapshot.WriteString(std::to_string(current) + "\n");
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) snapshot.WriteString(line + "\n");
  doc.GetProject().LoadUndo(&snapshot);
  doc.RefreshActiveModel();
  doc.TrimUndoRing(1);
  doc.SetModifiedFlag(1);
  doc.SetModifiedFlag(0);
}

// A model of `steps` building steps, each one line (drawable, and no library needed).
inline std::string SteppedModel(int steps) {
  std::string text = "0 stepped model\n";
  for (int i = 0; i < steps; ++i) {
    text += "2 24 0 " + std::to_string(-8 * i) + " 0 10 " + std::to_string(-8 * i) + " 0\n";
    text += "0 STEP\n";
  }
  return text;
}

// Every setting the document's selection, step and insert commands read, set for the test; all the
// settings come back at the end of the scope.
class CCommandSettings {
 public:
  CCommandSettings() {
    theSettings.DrawToSelection = 0;
    theSettings.APVT = 1;
    theSettings.FastStep = 5;
    theSettings.PrintSteps = 1;
    theSettings.UsePrevPos = 0;
  }

 private:
  SettingsSnapshot m_snapshot;  // taken before the values above are set
};

// A document with a scripted host and a recording observer, on an empty library.
class DocumentTest : public ::testing::Test {
 protected:
  DocumentTest() {
    doc.SetHost(&host);
    doc.AddObserver(&observer);
  }
  ~DocumentTest() override { CCopyBuffer::Clear(); }

  // Forgets what the set-up sent.
  void ClearRecords() {
    observer.hints.clear();
    host.editModes.clear();
    host.messages.clear();
  }
  CQvFile& Model() { return *doc.GetActiveModel(); }

  CLibraryScope library{"", 0};
  CCommandSettings settings;
  CScriptedPrompt prompt;
  CScriptedDocumentHost host;
  CRecordingObserver observer;
  CQuorvelDoc doc;
};
