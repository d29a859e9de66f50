// The drag payload every drag source and drop target of the program exchange: eight bytes in the
// private format, and nothing read from a block of another size.
#include <gtest/gtest.h>
#include <wx/init.h>

#include <cstring>

#include "app/PartDragData.h"

namespace {

TEST(PartDragDataTest, PayloadTravelsAsEightBytesInThePrivateFormat) {
  static wxInitializer initializer;
  ASSERT_TRUE(initializer.IsOk());
  EXPECT_EQ(PartDragFormat().GetId(), "QuorvelClipboardFormat");

  const CPartDragObject source(PartDragData{1, 0x12345678});
  ASSERT_EQ(source.GetDataSize(), 8u);
  unsigned char block[8] = {};
  ASSERT_TRUE(source.GetDataHere(block));
  uint32_t fields[2];
  std::memcpy(fields, block, sizeof fields);
  EXPECT_EQ(fields[0], 1u);
  EXPECT_EQ(fields[1], 0x12345678u);

  CPartDragObject target;
  EXPECT_EQ(GetDragSourceKind(target), 0u);
  ASSERT_TRUE(target.SetData(sizeof block, block));
  EXPECT_EQ(GetDragSourceKind(target), 1u);
  EXPECT_EQ(target.GetData().value, 0x12345678u);

  // A short or long foreign block is refused and leaves no kind behind.
  for (size_t size : {size_t{0}, size_t{4}, size_t{7}, size_t{9}}) {
    SCOPED_TRACE(size);
    unsigned char other[9] = {3, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(target.SetData(size, other));
    EXPECT_EQ(GetDragSourceKind(target), 0u);
  }
}

}  // namespace
