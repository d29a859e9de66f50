// The four panes drawn at the same time give the pictures they give drawn one after another:
// every pixel's colour, depth and pick id, in edit mode and step by step in view mode, with and
// without part images, on small shapes and on the shared models.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/PaneDrawGroup.h"
#include "app/QuorvelViewState.h"
#include "config/ScanOrder.h"
#include "document/RenderRoadSupport.h"
#include "model/FileCache.h"
#include "model/MpdFile.h"
#include "render/C3DStub.h"
#include "support/TestData.h"

namespace {

constexpr uint32_t kStepHint = HINT_PANES_ONLY | HINT_KEEP_IMAGE;

// Four panes of the document in one group drawing on the given number of threads.
struct Panes {
  explicit Panes(int workers) {
    group.SetWorkers(workers);
    for (int i = 0; i < 4; ++i) {
      views.push_back(std::make_unique<CQuorvelViewState>(i));
      group.Add(views.back().get());
    }
  }
  void Open(CQuorvelDoc& doc, int width, int height) {
    for (auto& v : views) {
      v->OnSize(width, height);
      v->SetDeferred(true);
      v->Attach(&doc);
      v->SetDeferred(false);
    }
    group.DrawPending();
  }
  // An update as the frame passes it on: every pane takes it, then the group draws.
  void Update(uint32_t hint) {
    for (auto& v : views) {
      v->SetDeferred(true);
      v->OnUpdate(hint);
      v->SetDeferred(false);
    }
    drawn = group.DrawPending();
  }
  std::vector<std::unique_ptr<CQuorvelViewState>> views;
  CPaneDrawGroup group;
  int drawn = 0;
};

class PaneDrawGroupTest : public CRoadSettingsTest {
 protected:
  void SetUp() override {
    CRoadSettingsTest::SetUp();
    fastRender = theSettings.FastRender;
    apvt = theSettings.APVT;
  }
  void TearDown() override {
    theSettings.FastRender = fastRender;
    theSettings.APVT = apvt;
    CRoadSettingsTest::TearDown();
  }

  // Draws the same story into panes drawn one by one and into panes drawn at the same time,
  // comparing them after each drawing.
  void CompareStory(int width, int height) {
    Panes serial(1), parallel(4);
    serial.Open(doc, width, height);
    parallel.Open(doc, width, height);
    EXPECT_EQ(parallel.group.GetLastWorkers(), 4);
    ExpectSame(serial, parallel, "opened");
    CQvFile* model = doc.GetActiveModel();
    const int32_t count = static_cast<int32_t>(model->GetCount());
    for (const auto& [what, hint] : std::vector<std::pair<std::string, uint32_t>>{
             {"refit", HINT_REFIT}, {"selection drawn over the frame", HINT_KEEP_IMAGE}}) {
      model->SelectOnly(what == "refit" ? -1 : count / 2);
      serial.Update(hint);
      parallel.Update(hint);
      EXPECT_EQ(parallel.drawn, 4) << what;
      ExpectSame(serial, parallel, what);
    }
    model->SelectOnly(-1);
    // View mode: the first steps, a step drawn over the kept image, the last step.
    CDocTestAccess::SetEditMode(doc, 0);
    const int steps = doc.GetStepCount(1);
    CDocTestAccess::ShowStep(doc, 0, std::min(2, steps));
    serial.Update(HINT_MODE_CHANGED);
    parallel.Update(HINT_MODE_CHANGED);
    ExpectSame(serial, parallel, "view mode");
    if (steps > 2) {
      CDocTestAccess::ShowStep(doc, 2, 3);
      serial.Update(kStepHint);
      parallel.Update(kStepHint);
      ExpectSame(serial, parallel, "next step");
    }
    CDocTestAccess::ShowStep(doc, 0, steps);
    serial.Update(HINT_PANES_ONLY);
    parallel.Update(HINT_PANES_ONLY);
    ExpectSame(serial, parallel, "last step");
    CDocTestAccess::SetEditMode(doc, 1);
  }

  static void ExpectSame(Panes& a, Panes& b, const std::string& when) {
    for (int i = 0; i < 4; ++i) {
      SCOPED_TRACE(when + ", pane " + std::to_string(i));
      EXPECT_TRUE(SameFrame(*a.views[static_cast<size_t>(i)]->GetRenderer(),
                            *b.views[static_cast<size_t>(i)]->GetRenderer()));
    }
  }

  int fastRender = 2, apvt = 0;
};

// Overlapping shapes in three steps.
const char kStepsAndSubmodel[] =
    "4 4 -40 -40 0 40 -40 0 40 40 0 -40 40 0\n"
    "3 2 -60 0 7 0 -60 7 30 50 7\n"
    "0 STEP\n"
    "4 1 -20 -50 -12 50 -50 -12 50 20 -12 -20 20 -12\n"
    "2 0 -60 -60 -20 60 55 -20\n"
    "0 STEP\n"
    "4 14 0 0 -5 45 0 -5 45 45 -5 0 45 -5\n"
    "3 5 -50 30 -15 -10 10 -15 -30 55 -15\n"
    "2 16 -55 45 3 50 -45 3\n";

TEST_F(PaneDrawGroupTest, PanesDrawnTogetherEqualPanesDrawnInTurn) {
  for (int apvtSetting : {0, 1}) {
    SCOPED_TRACE("APVT " + std::to_string(apvtSetting));
    theSettings.APVT = apvtSetting;
    LoadModel(doc, kStepsAndSubmodel);
    CompareStory(160, 120);
  }
}

TEST_F(PaneDrawGroupTest, OneWorkerDrawsInTurnAndNothingPendingDrawsNothing) {
  LoadModel(doc, kStepsAndSubmodel);
  Panes one(1);
  one.Open(doc, 80, 60);
  EXPECT_EQ(one.group.GetLastWorkers(), 1);
  EXPECT_EQ(one.group.DrawPending(), 0);
  // A selection change keeps the picture: nothing to draw.
  one.Update(HINT_SELECTION);
  EXPECT_EQ(one.drawn, 0);
  for (auto& v : one.views) EXPECT_EQ(v->GetRenderCount(), 1);
}

// Panes drawn together share the processors; a pane then drawn alone has all of them again, or
// the count its renderer was given, and the picture stays the same.
TEST_F(PaneDrawGroupTest, APaneDrawnAloneGetsItsOwnThreadsBack) {
  const int before = C3DStub::GetDefaultThreads();
  C3DStub::SetDefaultThreads(8);
  LoadModel(doc, kStepsAndSubmodel);
  Panes serial(1), parallel(4);
  serial.Open(doc, 160, 120);
  for (auto& v : parallel.views) {
    v->OnSize(160, 120);
    v->SetDeferred(true);
    v->Attach(&doc);
    v->SetDeferred(false);
  }
  parallel.views[1]->GetRenderer()->SetThreads(3);
  EXPECT_EQ(parallel.group.DrawPending(), 4);
  for (auto& v : parallel.views) EXPECT_EQ(v->GetRenderer()->GetThreads(), 2);
  for (size_t i : {0u, 1u}) {
    ASSERT_TRUE(parallel.views[i]->Render());
    EXPECT_EQ(parallel.views[i]->GetRenderer()->GetThreads(), i == 1 ? 3 : 8);
    serial.views[i]->Render();
  }
  ExpectSame(serial, parallel, "drawn alone");
  C3DStub::SetDefaultThreads(before);
}

class PaneDrawGroupModelTest : public PaneDrawGroupTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(PaneDrawGroupModelTest, TheSharedModelsDrawnTogetherEqualTheModelsDrawnInTurn) {
  REQUIRE_LDRAW_LIBRARY(library);
  REQUIRE_LDRAW_MODELS(models);
  const std::string base = theSettings.BasePath;
  const int warnings = theSettings.ShowWarnings;
  const CScanOrder order = theScanOrder;
  theFileCache.Flush(0);
  theSettings.BasePath = library;
  theSettings.ShowWarnings = 0;
  theScanOrder.SetDefault();
  CFileTextHandler in;
  const std::string path = models + "/" + GetParam();
  const bool opened = in.Open(path, "r") != 0;
  if (opened) {
    doc.GetProject().RemoveAll(1);
    doc.GetProject().AddModel(nullptr, nullptr);
    ASSERT_TRUE(doc.GetProject().Transfer(in, 1, path));
    doc.RefreshActiveModel();
    // Part images on (the default) and off.
    for (int fast : {2, 0}) {
      SCOPED_TRACE("FastRender " + std::to_string(fast));
      theSettings.FastRender = fast;
      theSettings.APVT = 1;
      CompareStory(200, 152);
    }
    doc.GetProject().RemoveAll(1);
  }
  theFileCache.Flush(0);
  theSettings.BasePath = base;
  theSettings.ShowWarnings = warnings;
  theScanOrder = order;
  if (!opened) GTEST_SKIP() << "no " << path;
}

INSTANTIATE_TEST_SUITE_P(Models, PaneDrawGroupModelTest,
                         ::testing::Values("10143-1 - Death Star II.mpd", "10283-1 NASA Space Shuttle Discovery.mpd",
                                           "30023-1-Lighthouse.ldr"));

}  // namespace
