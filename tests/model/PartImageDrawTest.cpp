// Referenced parts drawn from their part images (FastRender): the picture equals the one drawn
// without images, images are reused while nothing that changes them changed and made anew when
// something did, and the parts that may not be cached are drawn directly.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "LibraryScope.h"
#include "ModelText.h"
#include "config/Settings.h"
#include "model/FileCache.h"
#include "model/QvFile.h"
#include "render/C3DStub.h"
#include "render/MemHeap.h"
#include "support/LogCapture.h"
#include "support/SettingsSnapshot.h"
#include "support/TestData.h"

namespace fs = std::filesystem;

namespace {

// A small library: a tile (a quadrilateral not of constant depth with edge lines), a part that
// uses the stud primitive, one with an explicit colour two levels down, one with nothing to draw
// and one whose box is not finite.
struct PartLibrary {
  PartLibrary() {
    fs::create_directories(dir / "parts/s");
    fs::create_directories(dir / "p");
    WriteFileBytes(dir / "parts/tile.dat",
                   "0 tile\n4 16 0 0 0 10 0 1 10 10 2 0 10 1\n2 24 0 0 0 10 0 1\n2 24 0 10 1 10 10 2\n");
    WriteFileBytes(dir / "p/stud.dat", "0 stud\n4 16 0 0 0 4 0 0 4 4 1 0 4 1\n");
    WriteFileBytes(dir / "parts/studded.dat",
                   "0 studded\n1 16 0 0 0 1 0 0 0 1 0 0 0 1 tile.dat\n1 16 3 3 -1 1 0 0 0 1 0 0 0 1 stud.dat\n");
    WriteFileBytes(dir / "parts/s/print.dat", "0 print\n3 15 1 1 -1 8 1 -1 1 8 -1\n");
    WriteFileBytes(dir / "parts/printed.dat",
                   "0 printed\n1 16 0 0 0 1 0 0 0 1 0 0 0 1 tile.dat\n1 16 0 0 0 1 0 0 0 1 0 0 0 1 s\\print.dat\n");
    WriteFileBytes(dir / "parts/empty.dat", "0 nothing to draw\n");
    WriteFileBytes(dir / "parts/huge.dat", "0 huge\n1 16 0 0 0 1e308 0 0 0 1e308 0 0 0 1e308 tile.dat\n");
  }
  CScratchDir dir;
};

// Opaque colours in the shared table for one test (they are empty in the tests), restored after.
class PartImageDraw : public CLogCaptureTest {
 protected:
  void SetUp() override {
    CLogCaptureTest::SetUp();
    ASSERT_EQ(CreateRenderCache(0), 1);
    std::memcpy(m_keep, theDefaultColors, sizeof(m_keep));
    for (int i = 0; i < kColorCount; ++i) {
      ColorEntry& e = theDefaultColors[i];
      e.red = static_cast<uint8_t>(i * 37);
      e.green = static_cast<uint8_t>(i * 11);
      e.blue = static_cast<uint8_t>(255 - i);
      e.alpha = 255;
      e.edgeColor = 0;
    }
    theDefaultColors[33].alpha = 128;  // see-through
  }
  void TearDown() override {
    std::memcpy(theDefaultColors, m_keep, sizeof(m_keep));
    CLogCaptureTest::TearDown();
  }

 private:
  ColorEntry m_keep[kColorCount];
  SettingsSnapshot m_settings;
};

struct Frame {
  C3DStub r;
  Frame() {
    r.EnablePickBuffer(1);
    r.Reset(64, 64, 0);
    r.SetView(0, 0, 1);
  }
  // Model units are pixels: whole-pixel positions, no shading.
  int32_t Draw(CQvFile& model, int whole = 1, int highlight = 0) {
    r.BeginFrame(64, 64);
    r.Counts() = {};
    return model.DrawTo3DStub(r, CVector3(), CMatrix3::Identity(), 16, -1, 0, highlight, whole);
  }
  bool SameAs(const Frame& o) const {
    const CDib& a = r.GetImage();
    const CDib& b = o.r.GetImage();
    for (int y = 0; y < 64; ++y) {
      if (std::memcmp(a.GetRow(y), b.GetRow(y), 64 * 3) != 0) return false;
      for (int x = 0; x < 64; ++x)
        if (r.GetDepth(x, y) != o.r.GetDepth(x, y) || r.GetPickId(x, y) != o.r.GetPickId(x, y)) return false;
    }
    return true;
  }
  int Covered() const {
    int n = 0;
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) n += r.GetPickId(x, y) != kNoPickId;
    return n;
  }
};

// Three copies of a part: two in one rotation, one turned a quarter about z.
std::string ThreeCopies(const std::string& part, int color = 4) {
  const std::string c = std::to_string(color);
  return "1 " + c + " 5 5 10 1 0 0 0 1 0 0 0 1 " + part + "\n" + "1 1 20 30 10 1 0 0 0 1 0 0 0 1 " + part + "\n" +
         "1 " + c + " 50 5 10 0 -1 0 1 0 0 0 0 1 " + part + "\n";
}

struct Expect {
  const char* name;
  std::string model;
  int fastRender;
  uint64_t created, stamped;
};

TEST_F(PartImageDraw, ThePictureEqualsTheOneDrawnWithoutImages) {
  PartLibrary lib;
  const Expect cases[] = {
      // One image for each rotation.
      {"library part, FastRender 3", ThreeCopies("tile.dat"), 3, 2, 3},
      // The stud primitive is small-part named; the tile is not.
      {"small parts only, FastRender 2", ThreeCopies("studded.dat"), 2, 2, 3},
      // The printed part is drawn directly; the plain tile inside it may still come from its image.
      {"explicit colour two levels down", ThreeCopies("printed.dat"), 3, 2, 3},
      {"see-through colour", ThreeCopies("tile.dat", 33), 3, 1, 1},
      {"nothing to draw", ThreeCopies("empty.dat") + ThreeCopies("tile.dat"), 3, 2, 3},
      {"a box that is not finite", ThreeCopies("huge.dat"), 3, 0, 0},
  };
  for (const Expect& c : cases) {
    Frame plain, fast;
    {
      CLibraryScope library(lib.dir.Path(), 0, 0);
      auto model = LoadText(c.model);
      plain.Draw(*model);
      EXPECT_EQ(plain.r.Counts().imagesCreated, 0u) << c.name;
    }
    CLibraryScope library(lib.dir.Path(), 0, c.fastRender);
    auto model = LoadText(c.model);
    fast.Draw(*model);
    EXPECT_EQ(fast.r.Counts().imagesCreated, c.created) << c.name;
    EXPECT_EQ(fast.r.Counts().imagesStamped, c.stamped) << c.name;
    EXPECT_GT(plain.Covered(), 100) << c.name;
    EXPECT_TRUE(fast.SameAs(plain)) << c.name;
  }
}

TEST_F(PartImageDraw, ImagesAreReusedUntilSomethingThatChangesThemChanges) {
  PartLibrary lib;
  CLibraryScope library(lib.dir.Path(), 0, 3);
  auto model = LoadText("1 4 5 5 10 1 0 0 0 1 0 0 0 1 tile.dat\n1 1 30 30 10 1 0 0 0 1 0 0 0 1 tile.dat\n");
  Frame f;
  struct Step {
    const char* name;
    std::function<void(C3DStub&)> change;
    uint64_t created;
  };
  const Step steps[] = {
      {"first frame", [](C3DStub&) {}, 1},
      {"same frame again", [](C3DStub&) {}, 0},
      {"surfaces off", [](C3DStub& r) { r.SetSurfacesOff(true); }, 1},
      {"surfaces on again: the first image is still there", [](C3DStub& r) { r.SetSurfacesOff(false); }, 0},
      {"line width", [](C3DStub& r) { r.SetLineWidth(2); }, 1},
      {"zoom", [](C3DStub& r) { r.SetView(0, 0, 1.5); }, 1},
      {"pan only", [](C3DStub& r) { r.SetView(3, 4, 1.5); }, 0},
      {"shading", [](C3DStub& r) { r.Reset(64, 64, 1); }, 1},
      {"the oldest image was replaced", [](C3DStub& r) { r.Reset(64, 64, 0), r.SetView(0, 0, 1), r.SetLineWidth(1); }, 1},
      {"a newer one was kept", [](C3DStub& r) { r.SetLineWidth(2); }, 0},
      {"images flushed", [](C3DStub&) { theFileCache.Flush(2); }, 1},
  };
  for (const Step& s : steps) {
    s.change(f.r);
    f.Draw(*model);
    EXPECT_EQ(f.r.Counts().imagesCreated, s.created) << s.name;
    EXPECT_EQ(f.r.Counts().imagesStamped, 2u) << s.name;
  }
}

// An image made while studs are replaced (edit mode, StudMode 0: no studs) must not serve a
// step-by-step drawing, which shows real studs.
TEST_F(PartImageDraw, StudReplacementIsPartOfTheImage) {
  PartLibrary lib;
  const std::string text = "1 4 5 5 10 1 0 0 0 1 0 0 0 1 studded.dat\n";
  theSettings.StudMode = 0;
  Frame plainSteps, plainWhole;
  {
    CLibraryScope library(lib.dir.Path(), 0, 0);
    auto model = LoadText(text);
    plainWhole.Draw(*model, 1);
    plainSteps.Draw(*model, 0);
  }
  ASSERT_FALSE(plainSteps.SameAs(plainWhole));
  CLibraryScope library(lib.dir.Path(), 0, 3);
  auto model = LoadText(text);
  Frame f;
  f.Draw(*model, 1);
  EXPECT_TRUE(f.SameAs(plainWhole));
  f.Draw(*model, 0);
  EXPECT_EQ(f.r.Counts().imagesCreated, 1u);
  EXPECT_TRUE(f.SameAs(plainSteps));
}

// A renderer that cannot keep its frame, as when memory runs out.
class CNoSaveStub : public C3DStub {
 public:
  int SaveState() override { return 0; }
};

TEST_F(PartImageDraw, AFrameThatCannotBeSavedIsLoggedAndTheSelectionStillDrawn) {
  auto model = LoadText("4 1 0 0 0 10 0 0 10 10 0 0 10 0\n4 2 20 0 0 30 0 0 30 10 0 20 10 0\n");
  model->Select(1);
  CNoSaveStub r;
  r.EnablePickBuffer(1);
  ASSERT_EQ(r.Reset(32, 12, 0), 1);
  r.SetView(0, 0, 1);
  EXPECT_EQ(model->DrawTo3DStub(r, CVector3(), CMatrix3::Identity(), 16, -1, 0, 1, 1), -1);
  EXPECT_EQ(r.GetPickId(5, 5), 0u);
  EXPECT_EQ(r.GetPickId(25, 5), 1u);
  EXPECT_FALSE(r.HasSavedState());
  EXPECT_NE(Log().find("could not save the frame"), std::string::npos);
}

}  // namespace
