#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>

#include "render/C3DStub.h"
#include "render/FakeBuffer.h"
#include "render/MemHeap.h"

namespace {

class FakeBufferTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(CreateRenderCache(0), 1); }
  static PartImageKey Key() {
    PartImageKey k;
    k.rotation.SetEuler(23, 45, 0);
    k.depthScale = 4;
    return k;
  }
};

TEST_F(FakeBufferTest, EmptyOrTooLargePartsAreRefused) {
  CFakeBuffer b;
  EXPECT_EQ(b.Create(0, 10, 800, 600, Key()), 0);
  EXPECT_EQ(b.Create(10, 0, 800, 600, Key()), 0);
  EXPECT_EQ(b.Create(-5, 10, 800, 600, Key()), 0);
  EXPECT_EQ(b.Create(401, 10, 800, 600, Key()), 0);  // more than half the frame width
  EXPECT_EQ(b.Create(10, 301, 800, 600, Key()), 0);
  EXPECT_EQ(b.GetCapacity(), 0);
  EXPECT_EQ(b.GetWidth(), 0);
  // 362 x 362 pixels are below the limit, 363 x 363 are not.
  EXPECT_EQ(b.Create(354, 354, 1000, 1000, Key()), 1);
  EXPECT_EQ(b.GetWidth(), 362);
  EXPECT_EQ(b.Create(355, 355, 1000, 1000, Key()), 0);
  EXPECT_EQ(b.GetCapacity(), 0);
}

TEST_F(FakeBufferTest, CreateClearsAndReusesBlocksOfASimilarSize) {
  CFakeBuffer b;
  const uint64_t before = CFakeBuffer::GetTotalBytes();
  ASSERT_EQ(b.Create(92, 92, 800, 600, Key()), 1);  // 100 x 100
  EXPECT_EQ(CFakeBuffer::GetTotalBytes(), before + 5 * 10000);
  for (int i = 0; i < 100 * 100; ++i) {
    ASSERT_EQ(b.GetDepth()[i], INT_MAX);
    ASSERT_EQ(b.GetShade()[i], CFakeBuffer::kEmpty);
  }
  b.GetShade()[0] = 7;
  ASSERT_EQ(b.Create(62, 82, 800, 600, Key()), 1);  // 70 x 90 = 6300, at least half of 10000
  EXPECT_EQ(b.GetCapacity(), 10000);
  EXPECT_EQ(CFakeBuffer::GetTotalBytes(), before + 5 * 10000);
  EXPECT_EQ(b.GetShade()[0], CFakeBuffer::kEmpty);
  ASSERT_EQ(b.Create(30, 30, 800, 600, Key()), 1);  // 38 x 38, under half: new blocks
  EXPECT_EQ(b.GetCapacity(), 38 * 38);
  b.Free();
  EXPECT_EQ(CFakeBuffer::GetTotalBytes(), before);
}

TEST_F(FakeBufferTest, EveryDrawingModeIsPartOfTheKey) {
  C3DStub r;
  ASSERT_EQ(r.Reset(800, 600, 1), 1);
  CMatrix3 turn;
  turn.SetEuler(23, 45, 0);
  CFakeBuffer b;
  ASSERT_EQ(b.Create(50, 50, 800, 600, PartImageKey::Of(r, turn)), 1);
  EXPECT_EQ(b.IsInvalid(PartImageKey::Of(r, turn), 800, 600), 0);
  EXPECT_EQ(b.IsInvalid(PartImageKey::Of(r, turn), 100, 600), 1);  // now wider than half the frame

  CMatrix3 nudged = turn;
  uint64_t bits;
  std::memcpy(&bits, &nudged.m[4], 8);
  bits ^= 1;
  std::memcpy(&nudged.m[4], &bits, 8);
  EXPECT_EQ(b.IsInvalid(PartImageKey::Of(r, nudged), 800, 600), 1);

  r.SetSurfacesOff(true);  // wireframe
  EXPECT_EQ(b.IsInvalid(PartImageKey::Of(r, turn), 800, 600), 1);
  r.SetSurfacesOff(false);
  r.SetBoundingBoxMode(true);
  EXPECT_EQ(b.IsInvalid(PartImageKey::Of(r, turn), 800, 600), 1);
  r.SetBoundingBoxMode(false);
  r.SetLineWidth(2);
  EXPECT_EQ(b.IsInvalid(PartImageKey::Of(r, turn), 800, 600), 1);
  r.SetLineWidth(1);
  EXPECT_EQ(b.IsInvalid(PartImageKey::Of(r, turn), 800, 600), 0);
  r.SetView(0, 0, 3);  // another depth scale
  EXPECT_EQ(b.IsInvalid(PartImageKey::Of(r, turn), 800, 600), 1);
  C3DStub flat;
  ASSERT_EQ(flat.Reset(800, 600, 0), 1);  // no shading
  EXPECT_EQ(b.IsInvalid(PartImageKey::Of(flat, turn), 800, 600), 1);
}

TEST(MemHeap, NoHeapNoBlocks) {
  CMemHeap heap;
  EXPECT_EQ(heap.Alloc(100), nullptr);
  ASSERT_EQ(heap.Create(1), 1);
  void* a = heap.Alloc(100);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(heap.GetAllocatedBytes(), 100u);
  int foreign = 0;
  heap.Free(&foreign);  // not ours: logged and left alone
  EXPECT_EQ(heap.GetBlockCount(), 1u);
  heap.Free(a);
  EXPECT_EQ(heap.GetAllocatedBytes(), 0u);
  EXPECT_EQ(heap.GetBlockCount(), 0u);
}

}  // namespace
