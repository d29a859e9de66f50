#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "ModelText.h"
#include "config/PartList.h"
#include "config/Settings.h"
#include "model/QvFile.h"
#include "model/QvRotateCmd.h"
#include "render/C3DStub.h"
#include "support/LogCapture.h"
#include "support/SettingsSnapshot.h"

namespace {

// Three 10x10 squares side by side, one per step: x 0-9 colour 1, 10-19 colour 2, 20-29 colour 4.
const char* kThreeSteps =
    "4 1 0 0 0 10 0 0 10 10 0 0 10 0\n"
    "0 STEP\n"
    "4 2 10 0 0 20 0 0 20 10 0 10 10 0\n"
    "0 STEP\n"
    "4 4 20 0 0 30 0 0 30 10 0 20 10 0\n";

// Model coordinates are pixels: identity view.
struct Frame {
  C3DStub r;
  Frame() {
    r.EnablePickBuffer(1);
    r.Reset(32, 12, 0);
    r.SetView(0, 0, 1);
    r.BeginFrame(32, 12);
  }
  // One character per 10-pixel column block sampled at row 5: '.' nothing, else the pick id.
  std::string Mask() const {
    std::string s;
    for (int x : {5, 15, 25}) {
      PickId id = r.GetPickId(x, 5);
      s += id == kNoPickId ? '.' : static_cast<char>('0' + id);
    }
    return s;
  }
};

// The shared colour table is empty in the tests: opaque colours for one test, restored after it.
class ModelDraw : public CLogCaptureTest {
 protected:
  void SetUp() override {
    CLogCaptureTest::SetUp();
    std::memcpy(m_keep, theDefaultColors, sizeof(m_keep));
    for (int i = 0; i < kColorCount; ++i) {
      ColorEntry& e = theDefaultColors[i];
      e.red = static_cast<uint8_t>(i * 37);
      e.green = static_cast<uint8_t>(i * 11);
      e.blue = static_cast<uint8_t>(255 - i);
      e.alpha = 255;
      e.edgeColor = 0;
    }
  }
  void TearDown() override {
    std::memcpy(theDefaultColors, m_keep, sizeof(m_keep));
    CLogCaptureTest::TearDown();
  }

 private:
  ColorEntry m_keep[kColorCount];
};

int32_t Draw(CQvFile& file, C3DStub& r, int32_t last, int32_t first, int highlight, int whole) {
  return file.DrawTo3DStub(r, CVector3(), CMatrix3::Identity(), 16, last, first, highlight, whole);
}

TEST(ModelSteps, CountStepsCountsEmptyStepsAndIgnoresLeadingBoundaries) {
  const char* quad = "4 1 0 0 0 1 0 0 1 1 0 0 1 0\n";
  struct Case {
    std::string text;
    int32_t steps;
  } cases[] = {
      {std::string(quad) + "0 STEP\n0 STEP\n" + quad, 3},
      {std::string("0 STEP\n") + quad, 1},
      {quad, 1},
      {std::string(quad) + "0 STEP\n", 1},
      {"", 0},
      {"0 STEP\n0 STEP\n", 0},
  };
  for (const Case& c : cases) {
    auto f = LoadText(c.text);
    EXPECT_EQ(f->CountSteps(), c.steps) << c.text;
  }
}

TEST_F(ModelDraw, ViewModeDrawsOnlyTheRequestedSteps) {
  auto f = LoadText(kThreeSteps);
  ASSERT_EQ(f->CountSteps(), 3);
  struct Case {
    int32_t last, first;
    const char* mask;
  } cases[] = {
      {-1, 0, "024"}, {1, 0, "0.."}, {2, 0, "02."}, {2, 1, ".2."}, {3, 2, "..4"}, {-1, 1, ".24"},
  };
  for (const Case& c : cases) {
    Frame fr;
    Draw(*f, fr.r, c.last, c.first, 0, 0);
    EXPECT_EQ(fr.Mask(), c.mask) << c.first << ".." << c.last;
  }
}

TEST_F(ModelDraw, StepDrawingReportsWhereItStopped) {
  auto f = LoadText(std::string(kThreeSteps) + "0 STEP\n1 4 0 0 0 1 0 0 0 1 0 0 0 1 nosuch.dat\n");
  Frame fr;
  // A part-like element follows the stop: the step number; none follows: -1.
  EXPECT_EQ(Draw(*f, fr.r, 1, 0, 0, 0), 1);
  auto g = LoadText(kThreeSteps);
  EXPECT_EQ(Draw(*g, fr.r, 1, 0, 0, 0), -1);
  EXPECT_EQ(Draw(*g, fr.r, -1, 0, 0, 0), -1);
}

TEST_F(ModelDraw, EditModeDrawsEverythingWithListIndicesAsPickIds) {
  auto f = LoadText(kThreeSteps);
  Frame fr;
  EXPECT_EQ(Draw(*f, fr.r, -1, 0, 0, 1), -1);
  EXPECT_EQ(fr.Mask(), "024");
  EXPECT_EQ(f->GetPickElement(2), f->GetAt(2));
  EXPECT_EQ(f->GetPickElement(kNoPickId), nullptr);
  EXPECT_EQ(f->GetPickElement(99), nullptr);
  // The colour of each square proves the whole model was drawn with its own colours.
  EXPECT_EQ(fr.r.GetImage().GetRow(5)[5 * 3 + 2], theDefaultColors[1].red);
}

TEST_F(ModelDraw, HighlightDrawsTheSelectionOverTheSavedFrame) {
  auto f = LoadText(kThreeSteps);
  f->Select(2);
  SettingsSnapshot settings;
  theSettings.DrawToSelection = 0;
  Frame fr;
  Draw(*f, fr.r, -1, 0, 1, 1);
  EXPECT_EQ(fr.Mask(), "024");
  ASSERT_TRUE(fr.r.HasSavedState());
  // The saved frame holds everything but the selection.
  fr.r.BeginFrame(32, 12);
  fr.r.RestoreState();
  EXPECT_EQ(fr.Mask(), "0.4");
  // With DrawToSelection the elements after the first selected one are left out.
  theSettings.DrawToSelection = 1;
  Frame fr2;
  Draw(*f, fr2.r, -1, 0, 1, 1);
  EXPECT_EQ(fr2.Mask(), "02.");
}

TEST_F(ModelDraw, ClearInsideTheDrawnStepsEmptiesTheFrameThere) {
  auto f = LoadText(
      "4 1 0 0 0 10 0 0 10 10 0 0 10 0\n0 STEP\n"
      "4 2 10 0 0 20 0 0 20 10 0 10 10 0\n0 CLEAR\n4 4 20 0 0 30 0 0 30 10 0 20 10 0\n");
  Frame fr;
  Draw(*f, fr.r, -1, 0, 0, 0);
  EXPECT_EQ(fr.Mask(), "..4");
  // In edit mode CLEAR draws nothing.
  Frame fr2;
  Draw(*f, fr2.r, -1, 0, 0, 1);
  EXPECT_EQ(fr2.Mask(), "024");
}

TEST_F(ModelDraw, HiddenFrameCommandsDoNothingInStepDrawing) {
  // Squares 0, 2 and 4 (list indices) around two frame commands.
  const std::string a = "4 1 0 0 0 10 0 0 10 10 0 0 10 0\n";
  const std::string b = "4 2 10 0 0 20 0 0 20 10 0 10 10 0\n";
  const std::string c = "4 4 20 0 0 30 0 0 30 10 0 20 10 0\n";
  const std::string hide = "0 TOLVO HIDE ";
  struct Case {
    const char* what;
    std::string text;
    const char* mask;
    bool failureLogged;
  } cases[] = {
      {"clear", a + "0 STEP\n" + b + "0 CLEAR\n" + c, "..4", false},
      {"hidden clear", a + "0 STEP\n" + b + hide + "0 CLEAR\n" + c, "024", false},
      {"store and retrieve", a + "0 BUFEXCHG A STORE\n" + b + "0 BUFEXCHG A RETRIEVE\n" + c, "0.4", false},
      {"hidden retrieve", a + "0 BUFEXCHG A STORE\n" + b + hide + "0 BUFEXCHG A RETRIEVE\n" + c, "024", false},
      // Nothing was stored under A: the retrieve fails, the frame stays, the log says so.
      {"hidden store", a + hide + "0 BUFEXCHG A STORE\n" + b + "0 BUFEXCHG A RETRIEVE\n" + c, "024", true},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    auto f = LoadText(k.text);
    ASSERT_EQ(f->GetCount(), 5u);
    const bool hidden = k.text.find(hide) != std::string::npos;
    EXPECT_EQ(f->GetAt(1)->hidden || f->GetAt(3)->hidden, hidden);
    Frame fr;
    Draw(*f, fr.r, -1, 0, 0, 0);
    EXPECT_EQ(fr.Mask(), k.mask);
    EXPECT_EQ(Log().find("BUFEXCHG: Operation failed!\n") != std::string::npos, k.failureLogged);
  }
}

TEST_F(ModelDraw, StudReplacementComesWithEachDrawingCall) {
  auto stud = LoadText("4 1 0 0 0 10 0 0 10 10 0 0 10 0\n");
  stud->studFile = true;
  SettingsSnapshot settings;
  theSettings.StudMode = 0;
  DrawContext ctx;
  ctx.studReplacement = true;
  Frame a;
  stud->DrawParts(a.r, 0, ctx);
  EXPECT_EQ(a.Mask(), "...");
  // A later preview-like call with a fresh context draws the stud itself.
  Frame b;
  stud->DrawParts(b.r, 0, DrawContext{});
  EXPECT_EQ(b.Mask(), "0..");
}

TEST(ModelSteps, RotationStepAfterLinePrimitivesEndsTheSameStepAsCounting) {
  // The first step holds only a line primitive; the rotation step ending it must count.
  auto f = LoadText(
      "2 24 0 0 0 1 0 0\n0 ROTSTEP 90 0 0 ABS\n4 1 0 0 0 10 0 0 10 10 0 0 10 0\n"
      "0 ROTSTEP 0 90 0 ABS\n4 1 0 0 0 10 0 0 10 10 0 0 10 0\n");
  ASSERT_EQ(f->CountSteps(), 3);
  auto* first = dynamic_cast<CQvRotateCmd*>(f->GetAt(1));
  auto* second = dynamic_cast<CQvRotateCmd*>(f->GetAt(3));
  ASSERT_TRUE(first && second);
  const CMatrix3 start = CMatrix3::Identity();
  CMatrix3 m = start;
  f->GetRotStepMatrix(m, 1);
  EXPECT_EQ(m.m, first->ApplyTo(start, start).m);
  m = start;
  f->GetRotStepMatrix(m, 2);
  EXPECT_EQ(m.m, second->ApplyTo(start, first->ApplyTo(start, start)).m);
}

TEST(ModelSteps, RotStepEndRestoresTheGivenMatrix) {
  auto f = LoadText("4 1 0 0 0 1 0 0 1 1 0 0 1 0\n0 ROTSTEP 30 20 10 ABS\n4 1 0 0 0 1 0 0 1 1 0 0 1 0\n"
                    "0 ROTSTEP END\n4 1 0 0 0 1 0 0 1 1 0 0 1 0\n");
  CMatrix3 m;
  m.SetEuler(23, 45, 0);
  const CMatrix3 given = m;
  f->GetRotStepMatrix(m, -1);
  EXPECT_EQ(m.m, given.m);
}

TEST(ModelSteps, ExportOfAnEmptyRangeFails) {
  auto f = LoadText(kThreeSteps);
  CArrayTextHandler out;
  ExportContext ctx;
  ctx.output = &out;
  EXPECT_EQ(f->ExportSteps(ctx, CVector3(), CMatrix3::Identity(), 16, 1, 1), 0);
  EXPECT_EQ(f->ExportSteps(ctx, CVector3(), CMatrix3::Identity(), 16, 2, 1), 1);
  // Only the second step's square, no boundary.
  ASSERT_EQ(out.GetLines().size(), 1u);
  EXPECT_EQ(out.GetLines()[0].substr(0, 4), "4 2 ");
}

}  // namespace

namespace {

// Sums the counters per colour; parts not in the part list share one row.
std::map<uint32_t, uint32_t> UsageByColour() {
  std::map<uint32_t, uint32_t> sums;
  uint32_t it = 0, count = 0, colour = 0;
  PartHandle h = 0;
  while (thePartList.NextUsage(it, h, count, colour)) sums[colour] += count;
  return sums;
}

TEST(ModelSteps, PartUsageCountsTheChosenStepsWithoutGhosts) {
  auto f = LoadText(
      "1 4 0 0 0 1 0 0 0 1 0 0 0 1 nosuch-a.dat\n"
      "1 4 0 0 0 1 0 0 0 1 0 0 0 1 nosuch-b.dat\n"
      "0 GHOST 1 4 0 0 0 1 0 0 0 1 0 0 0 1 nosuch-a.dat\n"
      "0 STEP\n"
      "1 2 0 0 0 1 0 0 0 1 0 0 0 1 nosuch-c.dat\n");
  f->CollectPartUsage(-1, 0, 0);
  EXPECT_EQ(UsageByColour(), (std::map<uint32_t, uint32_t>{{2, 1}, {4, 2}}));
  f->CollectPartUsage(-1, 0, 1);
  EXPECT_EQ(UsageByColour(), (std::map<uint32_t, uint32_t>{{0, 3}}));
  f->CollectPartUsage(1, 0, 0);
  EXPECT_EQ(UsageByColour(), (std::map<uint32_t, uint32_t>{{4, 2}}));
  f->CollectPartUsage(-1, 1, 0);
  EXPECT_EQ(UsageByColour(), (std::map<uint32_t, uint32_t>{{2, 1}}));
  thePartList.ResetUsage();
}

}  // namespace
