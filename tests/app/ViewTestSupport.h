#pragma once
// Shared by the 3-D view tests: a document holding a small model of plain primitives (no part
// library needed), and the settings the views read, put back after each test.
#include <array>
#include <set>
#include <string>
#include <vector>

#include "config/ColorTable.h"
#include "config/Settings.h"
#include "document/DocTestAccess.h"
#include "document/QuorvelDoc.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"
#include "support/SettingsSnapshot.h"


// Replaces the active model's text with these lines.
inline bool LoadModelText(CQuorvelDoc& doc, const std::vector<std::string>& lines) {
  CArrayTextHandler text;
  // Text held in memory starts with the index of the current model, as an undo snapshot does.
  text.WriteString("0\n");
  for (const std::string& line : lines) text.WriteString(line + "\n");
  text.Rewind();
  // As the document's load does: an empty project with one empty model that the text fills.
  doc.GetProject().RemoveAll(1);
  doc.GetProject().AddModel(nullptr, nullptr);
  const int ok = doc.GetProject().Transfer(text, 1, "test.ldr");
  doc.RefreshActiveModel();
  return ok != 0;
}

// The indices of the model's selected elements.
inline std::set<int> SelectedIndices(const CQvFile& model) {
  std::set<int> out;
  for (size_t i = 0; i < model.GetSelectedCount(); ++i)
    out.insert(model.GetSelectedIndex(static_cast<int32_t>(i)));
  return out;
}

// The quadrilateral lines of the model as it writes itself, without line ends: the written header
// (colours, rotation points) is not the matter of the tests that read them.
inline std::vector<std::string> WrittenQuadLines(CQvFile& model) {
  CArrayTextHandler text;
  model.WriteTo(text);
  text.Rewind();
  std::vector<std::string> lines;
  std::string line;
  while (text.ReadLine(line)) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    if (line.rfind("4 ", 0) == 0) lines.push_back(line);
  }
  return lines;
}

// A red cube of side 40 round the origin with black edges: seen from every direction.
inline std::vector<std::string> CubeModel() {
  return {
      "0 Cube",
      "4 4 -20 -20 -20 20 -20 -20 20 -20 20 -20 -20 20",
      "4 4 -20 20 -20 20 20 -20 20 20 20 -20 20 20",
      "4 4 -20 -20 -20 20 -20 -20 20 20 -20 -20 20 -20",
      "4 4 -20 -20 20 20 -20 20 20 20 20 -20 20 20",
      "4 4 -20 -20 -20 -20 -20 20 -20 20 20 -20 20 -20",
      "4 4 20 -20 -20 20 -20 20 20 20 20 20 20 -20",
      "2 0 -20 -20 -20 20 -20 -20",
      "2 0 -20 20 -20 20 20 -20",
      "2 0 -20 -20 20 20 -20 20",
      "2 0 -20 20 20 20 20 20",
      "2 0 -20 -20 -20 -20 20 -20",
      "2 0 20 -20 -20 20 20 -20",
      "2 0 -20 -20 20 -20 20 20",
      "2 0 20 -20 20 20 20 20",
      "2 0 -20 -20 -20 -20 -20 20",
      "2 0 20 -20 -20 20 -20 20",
      "2 0 -20 20 -20 -20 20 20",
      "2 0 20 20 -20 20 20 20",
  };
}

// Sets the settings the views read and write for a test, and puts every setting back at the end.
class CViewSettingsScope {
 public:
  CViewSettingsScope() {
    BuildColorTable(BuiltinColors.data(), theDefaultColors, kColorCount);
    theSettings.ViewLT = 4, theSettings.ViewRT = 2, theSettings.ViewLB = 0, theSettings.ViewRB = 6;
    std::fill(std::begin(theSettings.ScrollBars), std::end(theSettings.ScrollBars), 0);
    theSettings.BackgroundColor = 15;
    theSettings.Perspective = 0;
    theSettings.APVT = 1;
    theSettings.ScreenSelection = 1;
    theSettings.GridType = 0;
    theSettings.ShowViewCoords = 1;
  }

 private:
  SettingsSnapshot m_snapshot;
};
