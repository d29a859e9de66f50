// The copy buffer as clipboard text: which texts count as model lines, and the way there and back.
#include <gtest/gtest.h>

#include "model/CopyBuffer.h"
#include "model/CopyBufferText.h"
#include "tests/model/LibraryScope.h"

namespace {

TEST(CopyBufferTextTest, WhatCountsAsModelLines) {
  const struct {
    const char* text;
    bool lines;
  } cases[] = {
      {"1 4 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat\n", true},
      {"0 a comment\r\n\r\n  2 24 0 0 0 1 0 0\n", true},
      {"0", true},
      {"\xEF\xBB\xBF" "0 copied from a file\n", true},
      {"", false},
      {"\n  \n", false},
      {"Dear diary,\n", false},
      {"1 4 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat\nhello\n", false},
      {"6 4 0 0 0 1 0 0 1 1 0 0 1 0\n", false},  // no such line type
      {"12 apples\n", false},                   // a number, not a line type
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(IsCopyBufferText(c.text), c.lines);
  }
  EXPECT_FALSE(IsCopyBufferText(std::string(kMaxCopyText + 1, '0')));
}

TEST(CopyBufferTextTest, TextThereAndBack) {
  CLibraryScope library{"", 0};
  CCopyBuffer::Clear();
  const std::string text =
      "0 GHOST 2 24 0 0 0 1.5 0 0\n"
      "0 TOLVO HIDE 3 4 1 0 0 0 1 0 0 0 1\n"
      "0 a note\n"
      "1 14 10 -8 0 0 0 1 0 1 0 -1 0 0 nowhere.dat\n";
  EXPECT_EQ(CopyBufferFromText(text, ""), 4u);
  EXPECT_EQ(CopyBufferToText(), text);
  EXPECT_EQ(CopyBufferFromText("\xEF\xBB\xBF" "2 24 0 0 0 1 0 0\n", ""), 1u);
  EXPECT_EQ(CopyBufferToText(), "2 24 0 0 0 1 0 0\n");
  // Text that is no model lines leaves the buffer as it was.
  EXPECT_EQ(CopyBufferFromText("Dear diary,\n", ""), 0u);
  EXPECT_EQ(CCopyBuffer::GetCount(), 1u);
  CCopyBuffer::Clear();
  EXPECT_EQ(CopyBufferToText(), "");
}

}  // namespace
