// Library files and the frame: a file whose box lands wholly outside the frame is not walked, one
// that lands inside a single pixel is drawn as that pixel in its colour (or, inside another
// library file, left to the rest of that file), and one whose box lies behind what is drawn is
// not walked.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "LibraryScope.h"
#include "ModelText.h"
#include "config/ColorTable.h"
#include "model/QvFile.h"
#include "render/C3DStub.h"
#include "render/MemHeap.h"
#include "support/TestData.h"

namespace fs = std::filesystem;

namespace {

// A speck (a triangle and an edge line within 0.3 units), a 10 x 10 tile, and a tile with a speck
// of its own in colour 2 just in front of it.
struct SpeckLibrary {
  SpeckLibrary() {
    fs::create_directories(dir / "parts");
    WriteFileBytes(dir / "parts/speck.dat", "0 speck\n3 16 0 0 0 0.3 0 0 0 0.3 1\n2 24 0 0 -1 0.3 0.3 -1\n");
    WriteFileBytes(dir / "parts/tile.dat", "0 tile\n4 16 0 0 0 10 0 1 10 10 2 0 10 1\n");
    WriteFileBytes(dir / "parts/pitted.dat",
                   "0 pitted\n1 16 0 0 0 1 0 0 0 1 0 0 0 1 tile.dat\n1 2 5.1 5.1 -2 1 0 0 0 1 0 0 0 1 speck.dat\n");
    // A flat 10 x 10 tile at depth 0 with an edge line along its top.
    WriteFileBytes(dir / "parts/framed.dat", "0 framed\n4 16 0 0 0 10 0 0 10 10 0 0 10 0\n2 24 0 0 0 10 0 0\n");
  }
  CScratchDir dir;
};

class TinyPartDraw : public ::testing::Test {
 protected:
  void SetUp() override {
    std::memcpy(m_keep, theDefaultColors, sizeof(m_keep));
    for (int i = 0; i < kColorCount; ++i) {
      ColorEntry& e = theDefaultColors[i];
      e.red = static_cast<uint8_t>(40 + i * 50);
      e.green = static_cast<uint8_t>(i * 11);
      e.blue = static_cast<uint8_t>(255 - i);
      e.alpha = 255;
      e.edgeColor = 0;
    }
  }
  void TearDown() override { std::memcpy(theDefaultColors, m_keep, sizeof(m_keep)); }

  // Model units are pixels; a point at x lands on pixel trunc(x + 0.5).
  static void Draw(C3DStub& r, CQvFile& model, bool dots, int threads = 1, bool skipHidden = true) {
    r.SetThreads(threads);
    r.SetDotsForTinyParts(dots);
    r.SetSkipHiddenParts(skipHidden);
    r.EnablePickBuffer(1);
    r.SetBackgroundColor(0);
    r.Reset(64, 48, 0);
    r.SetView(0, 0, 1);
    r.Counts() = {};
    model.DrawTo3DStub(r, CVector3(), CMatrix3::Identity(), 16, -1, 0, 0, 1);
  }
  static int PickedPixels(const C3DStub& r) {
    int n = 0;
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x) n += r.GetPickId(x, y) != kNoPickId;
    return n;
  }
  static bool SameFrame(const C3DStub& a, const C3DStub& b) {
    for (int y = 0; y < 48; ++y) {
      if (std::memcmp(a.GetImage().GetRow(y), b.GetImage().GetRow(y), 64 * 3) != 0) return false;
      for (int x = 0; x < 64; ++x)
        if (a.GetPickId(x, y) != b.GetPickId(x, y) || a.GetDepth(x, y) != b.GetDepth(x, y)) return false;
    }
    return true;
  }

 private:
  ColorEntry m_keep[kColorCount];
};

TEST_F(TinyPartDraw, APartInsideOnePixelIsThatPixelInItsColourAndPickId) {
  SpeckLibrary lib;
  CLibraryScope library(lib.dir.Path(), 0, 0);
  // The speck spans 20.1 .. 20.4 in x and y: pixel (20, 20) only.
  auto model = LoadText("0 first\n1 4 20.1 20.1 0 1 0 0 0 1 0 0 0 1 speck.dat\n");
  for (const int threads : {1, 3}) {
    C3DStub r;
    Draw(r, *model, true, threads);
    EXPECT_EQ(PickedPixels(r), 1) << threads;
    EXPECT_EQ(r.GetPickId(20, 20), 1u) << threads;
    const uint8_t* p = r.GetImage().GetRow(20) + 3 * 20;
    EXPECT_EQ(p[2], theDefaultColors[4].red) << threads;
    EXPECT_EQ(p[1], theDefaultColors[4].green) << threads;
    EXPECT_EQ(p[0], theDefaultColors[4].blue) << threads;
    // The depth of its box's nearest corner (z -1, 4 depth units per unit), as a surface rounds.
    EXPECT_EQ(r.GetDepth(20, 20), -3 * 256) << threads;
    EXPECT_EQ(r.Counts().primitives, 0u) << threads;
  }
  // Drawn exactly the speck leaves its edge line (nearest) in that pixel and nowhere else.
  C3DStub exact;
  Draw(exact, *model, false);
  EXPECT_EQ(PickedPixels(exact), 1);
  EXPECT_EQ(exact.GetPickId(20, 20), 1u);
  EXPECT_EQ(exact.Counts().primitives, 2u);
}

TEST_F(TinyPartDraw, ASpeckInsideAnotherLibraryFileIsLeftToThatFile) {
  SpeckLibrary lib;
  CLibraryScope library(lib.dir.Path(), 0, 0);
  auto pitted = LoadText("0 pitted\n1 4 10 10 0 1 0 0 0 1 0 0 0 1 pitted.dat\n");
  auto plain = LoadText("0 plain\n1 4 10 10 0 1 0 0 0 1 0 0 0 1 tile.dat\n");
  C3DStub withSpeck, without, exact;
  Draw(withSpeck, *pitted, true);
  Draw(without, *plain, true);
  Draw(exact, *pitted, false);
  EXPECT_TRUE(SameFrame(withSpeck, without));
  // The rule changes this one pixel: drawn exactly the speck lies in front of the tile there.
  EXPECT_FALSE(SameFrame(exact, without));
  EXPECT_NE(std::memcmp(exact.GetImage().GetRow(15) + 3 * 15, without.GetImage().GetRow(15) + 3 * 15, 3), 0);
}

TEST_F(TinyPartDraw, PartsOutsideTheFrameAreNotWalkedAndPartsAcrossItsEdgeAreDrawn) {
  SpeckLibrary lib;
  CLibraryScope library(lib.dir.Path(), 0, 0);
  struct Case {
    const char* name;
    const char* place;  // position of a tile
    uint64_t primitives;
    int pixelsAtLeast;
  };
  const Case cases[] = {
      {"left of the frame", "-30 10 0", 0, 0},
      {"below the frame", "10 60 0", 0, 0},
      {"far off, turned", "5000 -9000 40", 0, 0},
      {"across the left edge", "-5 10 0", 1, 20},
      {"across the bottom edge", "10 44 0", 1, 20},
      {"inside", "20 20 0", 1, 80},
  };
  for (const Case& c : cases) {
    auto model = LoadText(std::string("0 m\n1 4 ") + c.place + " 1 0 0 0 1 0 0 0 1 tile.dat\n");
    for (const int threads : {1, 4}) {
      C3DStub r;
      Draw(r, *model, true, threads);
      EXPECT_EQ(r.Counts().primitives, c.primitives) << c.name << ", " << threads << " threads";
      EXPECT_GE(PickedPixels(r), c.pixelsAtLeast) << c.name << ", " << threads << " threads";
      if (c.pixelsAtLeast == 0) EXPECT_EQ(PickedPixels(r), 0) << c.name;
    }
  }
}

// A wall over the whole frame, then the framed tile behind it or level with it. The tile is left
// out only where neither its surface nor its edge line could show: a line wins against a surface
// at its own depth, so the wall must be a unit nearer than the tile. The frame is always the one
// that walking the tile gives.
TEST_F(TinyPartDraw, PartsBehindWhatIsDrawnAreLeftOutAndTheFrameIsTheSame) {
  SpeckLibrary lib;
  // Part images live in the render cache.
  ASSERT_EQ(CreateRenderCache(0), 1);
  struct Case {
    const char* name;
    const char* wall;  // the wall's depth, or a wall over the left half only
    bool leftOut;
  };
  const Case cases[] = {
      {"wall two units nearer", "-2", true},
      {"wall one unit nearer", "-1", true},
      {"wall half a unit nearer: the edge line shows", "-0.5", false},
      {"wall at the tile's depth: the edge line shows", "0", false},
      {"wall behind the tile", "1", false},
      {"wall over the left half only", "half", false},
  };
  // Drawn directly, from meshes, and from part images (the tile is a library part).
  for (const int fastRender : {0, 1, 3}) {
    CLibraryScope library(lib.dir.Path(), 0, fastRender);
    for (const Case& c : cases) {
      const std::string wall = std::string(c.wall) == "half" ? "4 1 -10 -10 -2 25 -10 -2 25 60 -2 -10 60 -2\n"
                                                              : std::string("4 1 -10 -10 ") + c.wall +
                                                                    " 80 -10 " + c.wall + " 80 60 " + c.wall +
                                                                    " -10 60 " + c.wall + "\n";
      auto model = LoadText("0 m\n" + wall + "1 4 20 20 0 1 0 0 0 1 0 0 0 1 framed.dat\n");
      for (const int threads : {1, 4}) {
        const std::string what =
            std::string(c.name) + ", FastRender " + std::to_string(fastRender) + ", " + std::to_string(threads);
        C3DStub skipping, walking;
        Draw(skipping, *model, true, threads, true);
        Draw(walking, *model, true, threads, false);
        EXPECT_TRUE(SameFrame(skipping, walking)) << what;
        // Besides the wall: the tile's surface and line, or its image made and stamped, or
        // only stamped when an earlier frame made it.
        const auto tileWork = [](C3DStub& r) { return r.Counts().primitives - 1 + r.Counts().imagesStamped; };
        if (c.leftOut)
          EXPECT_EQ(tileWork(skipping), 0u) << what;
        else
          EXPECT_GT(tileWork(skipping), 0u) << what;
        EXPECT_GT(tileWork(walking), 0u) << what;
        if (fastRender < 2) EXPECT_EQ(tileWork(walking), 2u) << what;
        if (fastRender == 3) EXPECT_EQ(walking.Counts().imagesStamped, 1u) << what;
      }
    }
  }
}

}  // namespace
