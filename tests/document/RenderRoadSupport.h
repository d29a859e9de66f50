#pragma once
// Shared pieces of the render road tests: a document holding a small model read from text, a
// renderer that counts what it is asked to draw, and the frame comparison.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <string>

#include "DocTestAccess.h"
#include "config/ColorTable.h"
#include "config/Settings.h"
#include "document/QuorvelDoc.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"
#include "render/C3DStub.h"
#include "tests/support/SettingsSnapshot.h"

// A view turned 30 degrees about x after 45 about y, so that flat test shapes have depth on screen.
inline constexpr double kSlantedView[9] = {
    0.7071067811865476,  0,   0.7071067811865476, 0.3535533905932738, 0.8660254037844387, -0.3535533905932738,
    -0.6123724356957945, 0.5, 0.6123724356957945};
inline constexpr double kFrontView[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
inline constexpr int kNoOffset[2] = {0, 0};

// Replaces the active model's elements with the text's.
inline void LoadModel(CQuorvelDoc& doc, const std::string& text) {
  CQvFile* model = doc.GetActiveModel();
  ASSERT_NE(model, nullptr);
  model->RemoveAll();
  std::string copy = text;
  FILE* f = fmemopen(copy.data(), copy.size(), "r");
  ASSERT_NE(f, nullptr);
  CFileTextHandler in(f);
  ASSERT_EQ(model->ReadFrom(in, "road.ldr", 0), 1);
  std::fclose(f);
  model->ResolveGroups();
}

// Counts the primitives it is asked to draw and draws them.
class CCountingStub : public C3DStub {
 public:
  void DrawTriangle(uint32_t c, const CVector3& a, const CVector3& b, const CVector3& d, PickId id) override {
    ++primitives;
    C3DStub::DrawTriangle(c, a, b, d, id);
  }
  void DrawQuad(uint32_t c, const CVector3& a, const CVector3& b, const CVector3& d, const CVector3& e,
                PickId id) override {
    ++primitives;
    C3DStub::DrawQuad(c, a, b, d, e, id);
  }
  void DrawLine(uint32_t c, const CVector3& a, const CVector3& b, PickId id) override {
    ++primitives;
    C3DStub::DrawLine(c, a, b, id);
  }
  int primitives = 0;
};

// A request as the panes make it (no pan offset).
inline RenderRequest MakeRequest(int w, int h, const double* view, int reRender, double zoom, int rotating,
                                 int perspective) {
  RenderRequest q;
  q.width = w;
  q.height = h;
  std::copy(view, view + 9, q.viewMatrix);
  q.reRender = reRender != 0;
  q.zoom = zoom;
  q.rotating = rotating != 0;
  q.perspective = perspective != 0;
  return q;
}

// One drawing of a renderer without a kept frame to draw over.
inline int DrawOnce(CQuorvelDoc& doc, C3DStub& r, int w, int h, const double* view, int reRender, double zoom,
                    int rotating, int perspective) {
  std::optional<EditBaseRecord> base;
  return doc.Create3DStub(r, base, MakeRequest(w, h, view, reRender, zoom, rotating, perspective));
}

// Every pixel's colour, depth and pick id.
inline ::testing::AssertionResult SameFrame(const C3DStub& a, const C3DStub& b) {
  if (!a.IsInitialised() || !b.IsInitialised())
    return ::testing::AssertionFailure() << "a renderer is not initialised";
  if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight())
    return ::testing::AssertionFailure() << "sizes differ: " << a.GetWidth() << "x" << a.GetHeight()
                                         << " and " << b.GetWidth() << "x" << b.GetHeight();
  int colour = 0, depth = 0, pick = 0, drawn = 0;
  std::string first;
  for (int y = 0; y < static_cast<int>(a.GetHeight()); ++y) {
    const uint8_t* ra = a.GetImage().GetRow(y);
    const uint8_t* rb = b.GetImage().GetRow(y);
    for (int x = 0; x < static_cast<int>(a.GetWidth()); ++x) {
      const bool c =
          ra[3 * x] != rb[3 * x] || ra[3 * x + 1] != rb[3 * x + 1] || ra[3 * x + 2] != rb[3 * x + 2];
      const bool d = a.GetDepth(x, y) != b.GetDepth(x, y);
      const bool p = a.GetPickId(x, y) != b.GetPickId(x, y);
      colour += c;
      depth += d;
      pick += p;
      drawn += a.GetDepth(x, y) != C3DStub::kEmptyDepth;
      if ((c || d || p) && first.empty())
        first = "first at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
    }
  }
  if (colour || depth || pick)
    return ::testing::AssertionFailure()
           << colour << " colours, " << depth << " depths, " << pick << " pick ids differ; " << first;
  if (drawn == 0) return ::testing::AssertionFailure() << "both frames are empty";
  return ::testing::AssertionSuccess();
}

// Keeps the settings the road reads and puts them back afterwards.
class CRoadSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The shared table is empty in the tests; the built-in colours for one test, restored after it.
    std::memcpy(colors, theDefaultColors, sizeof colors);
    BuildColorTable(BuiltinColors.data(), theDefaultColors, kColorCount);
    theSettings.APVT = 0;
    theSettings.DrawToSelection = 0;
    theSettings.LineWidth = 1;
    theSettings.Shading = 1;
    doc.OnNewDocument();
  }
  void TearDown() override {
    std::memcpy(theDefaultColors, colors, sizeof colors);
  }
  // One renderer drawn by the road, edit-mode style; each renderer keeps its edit-base record here.
  int Edit(C3DStub& r, int reRender, const double* view = kSlantedView, int w = 200, int h = 148,
           double zoom = 1.5) {
    return doc.Create3DStub(r, bases[&r], MakeRequest(w, h, view, reRender, zoom, 0, 0));
  }
  int Edit(ScenePicture& p, int reRender, const double* view = kSlantedView) {
    return doc.Create3DStub(p, MakeRequest(200, 148, view, reRender, 1.5, 0, 0));
  }
  int View(C3DStub& r, int reRender, int perspective = 0, const double* view = kSlantedView,
           int rotating = 0) {
    return doc.Create3DStub(r, bases[&r], MakeRequest(200, 148, view, reRender, 1, rotating, perspective));
  }

  SettingsSnapshot settings;
  CQuorvelDoc doc;
  std::map<const C3DStub*, std::optional<EditBaseRecord>> bases;
  ColorEntry colors[kColorCount];
};
