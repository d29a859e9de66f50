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

// Saves the settings the views read and write, and puts them back.
class CViewSettingsScope {
 public:
  CViewSettingsScope()
      : m_views{theSettings.ViewLT, theSettings.ViewRT, theSettings.ViewLB, theSettings.ViewRB},
        m_background(theSettings.BackgroundColor),
        m_perspective(theSettings.Perspective),
        m_apvt(theSettings.APVT),
        m_screenSelection(theSettings.ScreenSelection),
        m_grid(theSettings.GridType),
        m_coords(theSettings.ShowViewCoords) {
    std::copy(std::begin(theSettings.ScrollBars), std::end(theSettings.ScrollBars), m_scrollBars.begin());
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
  ~CViewSettingsScope() {
    theSettings.ViewLT = m_views[0], theSettings.ViewRT = m_views[1];
    theSettings.ViewLB = m_views[2], theSettings.ViewRB = m_views[3];
    std::copy(m_scrollBars.begin(), m_scrollBars.end(), std::begin(theSettings.ScrollBars));
    theSettings.BackgroundColor = m_background;
    theSettings.Perspective = m_perspective;
    theSettings.APVT = m_apvt;
    theSettings.ScreenSelection = m_screenSelection;
    theSettings.GridType = m_grid;
    theSettings.ShowViewCoords = m_coords;
  }
  CViewSettingsScope(const CViewSettingsScope&) = delete;
  CViewSettingsScope& operator=(const CViewSettingsScope&) = delete;

 private:
  std::array<int, 4> m_views;
  std::array<uint8_t, 8> m_scrollBars{};
  uint32_t m_background;
  int m_perspective, m_apvt, m_screenSelection, m_grid, m_coords;
};
