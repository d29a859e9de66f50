// A frame drawn by worker threads, each owning bands of rows, against the same frame drawn at once
// on one thread: every pixel, depth and pick id must be equal, whatever the frame size, the thread
// count, the primitives (large, clipped, tied in depth, see-through, wide lines, part images) and
// whatever the renderer is asked in between.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "render/C3DStub.h"
#include "render/FakeBuffer.h"
#include "render/MemHeap.h"
#include "tests/render/RenderTestSupport.h"

namespace {

using namespace render_test;

// A fixed sequence of numbers (no seed from outside: every run draws the same).
class Numbers {
 public:
  explicit Numbers(uint32_t seed) : m_state(seed) {}
  int Between(int lo, int hi) {
    m_state = m_state * 1664525u + 1013904223u;
    return lo + static_cast<int>((m_state >> 8) % static_cast<uint32_t>(hi - lo + 1));
  }

 private:
  uint32_t m_state;
};

using Drawing = std::function<void(C3DStub&)>;

struct Frame {
  std::vector<uint8_t> bits;
  std::vector<int32_t> depth;
  std::vector<PickId> pick;
};

Frame Draw(uint32_t w, uint32_t h, int threads, const TestColors& colors, const Drawing& drawing) {
  C3DStub r;
  r.SetThreads(threads);
  EXPECT_EQ(r.GetThreads(), threads);
  Prepare(r, colors, w, h, true, 1);
  drawing(r);
  Frame f;
  const CDib& image = r.GetImage();
  for (uint32_t y = 0; y < r.GetHeight(); ++y) {
    const uint8_t* row = image.GetRow(static_cast<int32_t>(y));
    f.bits.insert(f.bits.end(), row, row + 3 * r.GetWidth());
    for (uint32_t x = 0; x < r.GetWidth(); ++x) {
      f.depth.push_back(r.GetDepth(static_cast<int>(x), static_cast<int>(y)));
      f.pick.push_back(r.GetPickId(static_cast<int>(x), static_cast<int>(y)));
    }
  }
  return f;
}

// The drawing on one thread against the drawing on several, for a few frame sizes (heights that
// are and are not a multiple of the band height) and thread counts.
void ExpectSameOnEveryThreadCount(const Drawing& drawing) {
  TestColors colors;
  for (const auto& [w, h] : std::vector<std::pair<uint32_t, uint32_t>>{{64, 48}, {100, 37}, {200, 150}, {8, 5}}) {
    const Frame one = Draw(w, h, 1, colors, drawing);
    size_t painted = 0;
    for (const PickId p : one.pick) painted += p != kNoPickId;
    EXPECT_GT(painted, 0u) << w << "x" << h << ": the drawing must put something into the frame";
    for (const int threads : {2, 3, 8}) {
      const Frame many = Draw(w, h, threads, colors, drawing);
      const std::string where = std::to_string(w) + "x" + std::to_string(h) + ", " + std::to_string(threads) + " threads";
      EXPECT_TRUE(one.bits == many.bits) << where << ": colours differ";
      EXPECT_TRUE(one.depth == many.depth) << where << ": depths differ";
      EXPECT_TRUE(one.pick == many.pick) << where << ": pick ids differ";
    }
  }
}

CVector3 Point(Numbers& n, int spread, bool flat, int z) {
  return CVector3(n.Between(-spread, 200 + spread), n.Between(-spread, 150 + spread), flat ? z : n.Between(-40, 40));
}

// Primitives of every kind and size in the table's colours (solid, screen door, hidden).
void Mixture(C3DStub& r, uint32_t seed, int count) {
  Numbers n(seed);
  const uint32_t colorsUsed[] = {kRed, kGreen, kBlue, kDoorRed, kHidden, kBrown, 0x3FF0000, 0x4123456};
  for (int i = 0; i < count; ++i) {
    const uint32_t color = colorsUsed[n.Between(0, 7)];
    const auto pick = static_cast<PickId>(i);
    // Small pieces mostly, some reaching far out of the frame; a few of one depth (ties).
    const int spread = n.Between(0, 9) == 0 ? 300 : 20;
    const bool flat = n.Between(0, 3) == 0;
    const int z = n.Between(-5, 5);
    const CVector3 a = Point(n, spread, flat, z);
    auto near = [&](const CVector3& p) {
      const int reach = spread == 300 ? 400 : 12;
      return CVector3(p.x + n.Between(-reach, reach), p.y + n.Between(-reach, reach), flat ? z : p.z + n.Between(-9, 9));
    };
    const CVector3 b = near(a), c = near(a), d = near(a);
    switch (n.Between(0, 4)) {
      case 0:
        r.DrawTriangle(color, a, b, c, pick);
        break;
      case 1:
        r.DrawQuad(color, a, b, c, d, pick);
        break;
      case 2:
        r.SetLineWidth(n.Between(1, 3));
        r.DrawLine(color, a, b, pick);
        break;
      case 3:
        r.DrawOptionalLine(color, a, b, c, d, pick);
        break;
      default:
        r.DrawTriangle(color, a, a, a, pick);  // a single point
        break;
    }
  }
}

TEST(BandDraw, PrimitivesOfEveryKindGiveTheSameFrame) {
  ExpectSameOnEveryThreadCount([](C3DStub& r) { Mixture(r, 7, 4000); });
}

TEST(BandDraw, MoreThanOneChunkOfPrimitivesGivesTheSameFrame) {
  // Enough primitives that the workers draw some while the rest is still being recorded.
  ExpectSameOnEveryThreadCount([](C3DStub& r) { Mixture(r, 11, 150000); });
}

TEST(BandDraw, ReadsAndFrameOperationsBetweenDrawingsSeeEverythingDrawnBefore) {
  ExpectSameOnEveryThreadCount([](C3DStub& r) {
    Mixture(r, 1, 500);
    ASSERT_EQ(r.SaveState(), 1);
    Mixture(r, 2, 500);
    // What is read in between must already hold the drawing.
    uint64_t sum = 0;
    for (int y = 0; y < static_cast<int>(r.GetHeight()); ++y)
      for (int x = 0; x < static_cast<int>(r.GetWidth()); ++x) sum += r.GetPickId(x, y) + r.GetDepth(x, y);
    const auto mark = static_cast<uint32_t>(sum % 5);
    r.DrawTriangle(kGreen + mark, CVector3(0, 0, -50), CVector3(6, 0, -50), CVector3(0, 4, -50), 9999);
    ASSERT_EQ(r.SaveSlot(3), 1);
    Mixture(r, 3, 500);
    r.Highlight(2, 255);
    Mixture(r, 4, 500);
    ASSERT_EQ(r.RestoreSlot(3), 1);
    Mixture(r, 5, 300);
    ASSERT_EQ(r.RestoreState(), 1);
    Mixture(r, 6, 300);
  });
}

// Part images stamped in colours of their own, one of them made again (and so changed) after it
// was stamped: the stamps already drawn keep its earlier content.
TEST(BandDraw, StampedPartImagesGiveTheSameFrameWhenAnImageChangesLater) {
  ASSERT_EQ(CreateRenderCache(0), 1);
  ExpectSameOnEveryThreadCount([](C3DStub& r) {
    const PartImageKey key = PartImageKey::Of(r, CMatrix3::Identity());
    const auto fw = static_cast<int32_t>(r.GetWidth()), fh = static_cast<int32_t>(r.GetHeight());
    CFakeBuffer image;
    if (!image.Create(3, 2, 64, 48, key)) return;  // 11 x 10
    auto fill = [&r, &image](int corner) {
      r.DrawTriangleToCache(image, CVector3(0, 0, 0), CVector3(corner, 0, 2), CVector3(0, 1, 1));
      r.DrawLineToCache(image, 1, CVector3(0, 1, -1), CVector3(2, 1, -1));
      r.DrawLineToCache(image, 0, CVector3(1, 0, -1), CVector3(1, 1, -1));
    };
    fill(3);
    Numbers n(5);
    Mixture(r, 9, 200);
    for (int i = 0; i < 300; ++i) {
      const CVector3 origin(n.Between(-10, fw + 10), n.Between(-10, fh + 10), n.Between(-20, 20));
      r.DrawCachedPart(image, n.Between(0, 1) ? uint32_t{kRed} : 0x2C86432u, n.Between(0, 1) ? kBlue : kDoorRed, origin,
                       static_cast<PickId>(1000 + i));
      if (i == 150) {
        // Made again for another picture in the same block.
        if (!image.Create(3, 2, 64, 48, key)) return;
        fill(4);
      }
    }
    Mixture(r, 10, 200);
  });
}

// The same drawings walked once per band by the worker threads, stamps of a part image made
// before the walk included: every band's renderer draws only its rows, in the walk's order.
TEST(BandDraw, AWalkRepeatedPerBandGivesTheSameFrameAsOneWalk) {
  ASSERT_EQ(CreateRenderCache(0), 1);
  ExpectSameOnEveryThreadCount([](C3DStub& r) {
    r.DrawInBands([](C3DStub& band) { Mixture(band, 7, 3000); });
    const PartImageKey key = PartImageKey::Of(r, CMatrix3::Identity());
    CFakeBuffer image;
    if (!image.Create(3, 2, 64, 48, key)) return;
    r.DrawTriangleToCache(image, CVector3(0, 0, 0), CVector3(3, 0, 2), CVector3(0, 1, 1));
    r.DrawLineToCache(image, 1, CVector3(0, 1, -1), CVector3(2, 1, -1));
    const auto fw = static_cast<int32_t>(r.GetWidth()), fh = static_cast<int32_t>(r.GetHeight());
    r.DrawInBands([&](C3DStub& band) {
      Numbers n(5);
      for (int i = 0; i < 300; ++i) {
        const CVector3 origin(n.Between(-10, fw + 10), n.Between(-10, fh + 10), n.Between(-20, 20));
        band.DrawCachedPart(image, n.Between(0, 1) ? uint32_t{kRed} : 0x2C86432u, kBlue, origin,
                            static_cast<PickId>(1000 + i));
        // Dots (what a part smaller than a pixel becomes) between them.
        const ScreenVertex dot{n.Between(-2, fw + 2), n.Between(-2, fh + 2), n.Between(-80, 80)};
        band.DrawDot(n.Between(0, 1) ? uint32_t{kGreen} : uint32_t{kDoorRed}, dot, static_cast<PickId>(5000 + i));
      }
    });
  });
}

// Frames drawn again by the same renderer: after the first, the bands are split by what each
// cost, so a model dense in a few rows gets narrow bands there and wide ones elsewhere.
TEST(BandDraw, FramesDrawnAgainInBandsSplitByTheirCostGiveTheSameFrame) {
  ExpectSameOnEveryThreadCount([](C3DStub& r) {
    const auto fw = static_cast<int>(r.GetWidth()), fh = static_cast<int>(r.GetHeight());
    for (int frame = 0; frame < 4; ++frame) {
      ASSERT_EQ(r.BeginFrame(r.GetWidth(), r.GetHeight()), 0);
      r.DrawInBands([&](C3DStub& band) {
        Mixture(band, 11, 300);
        Numbers n(13);
        for (int i = 0; i < 4000; ++i) {
          const CVector3 a(n.Between(-2, fw + 2), n.Between(-2, fh / 5), n.Between(-40, 40));
          const CVector3 b(a.x + n.Between(-3, 3), a.y + n.Between(-3, 3), a.z + n.Between(-3, 3));
          const CVector3 c(a.x + n.Between(-3, 3), a.y + n.Between(-3, 3), a.z + n.Between(-3, 3));
          band.DrawTriangle(n.Between(0, 1) ? uint32_t{kGreen} : uint32_t{kDoorRed}, a, b, c,
                            static_cast<PickId>(9000 + i));
        }
      });
    }
  });
}

// The counts of a frame walked in bands are those of one walk: each primitive and stamp counts in
// the band where it starts (or the first or last band for one that starts outside the frame).
TEST(BandDraw, AWalkInBandsCountsEveryPrimitiveOnce) {
  TestColors colors;
  auto counts = [&colors](int threads) {
    C3DStub r;
    r.SetThreads(threads);
    Prepare(r, colors, 200, 150, true, 1);
    r.Counts() = {};
    r.DrawInBands([](C3DStub& band) { Mixture(band, 3, 2000); });
    return r.Counts();
  };
  const C3DStub::DrawCounts one = counts(1);
  EXPECT_GT(one.primitives, 1000u);
  for (const int threads : {2, 5}) {
    const C3DStub::DrawCounts many = counts(threads);
    EXPECT_EQ(many.primitives, one.primitives) << threads;
    EXPECT_EQ(many.triangles, one.triangles) << threads;
  }
}

TEST(BandDraw, TheThreadCountFollowsTheSettingAndOneDrawsAtOnce) {
  const int before = C3DStub::GetDefaultThreads();
  EXPECT_GE(before, 1);
  C3DStub r;
  EXPECT_EQ(r.GetThreads(), before);
  C3DStub::SetDefaultThreads(3);
  EXPECT_EQ(r.GetThreads(), 3);
  r.SetThreads(1);
  EXPECT_EQ(r.GetThreads(), 1);
  r.SetThreads(0);
  EXPECT_EQ(r.GetThreads(), 3);
  C3DStub::SetDefaultThreads(0);
  EXPECT_EQ(r.GetThreads(), std::max(1, static_cast<int>(std::thread::hardware_concurrency())));
  C3DStub::SetDefaultThreads(before);
  EXPECT_EQ(r.GetThreads(), before);
}

}  // namespace
