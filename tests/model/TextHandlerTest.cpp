#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "model/TextHandler.h"
#include "support/TestData.h"

namespace {

std::vector<std::string> ReadAll(CTextHandler& h, size_t length = kMaxLineLength) {
  std::vector<std::string> lines;
  std::string line;
  while (h.ReadLine(line, length)) lines.push_back(line);
  return lines;
}

std::vector<std::string> ReadFileLines(const std::string& bytes) {
  CScratchDir dir;
  std::string path = dir / "in.ldr";
  EXPECT_TRUE(WriteFileBytes(path, bytes));
  CFileTextHandler h;
  EXPECT_EQ(h.Open(path, "r"), 1);
  return ReadAll(h);
}

struct SourceCase {
  const char* what;
  std::string bytes;
  std::vector<std::string> lines;
};

TEST(FileTextHandler, SourcesTable) {
  const std::string long600(600, 'a');
  const SourceCase cases[] = {
      {"LF", "0 a\n1 b\n", {"0 a\n", "1 b\n"}},
      {"CRLF keeps the CR for the reader's trim", "0 a\r\n1 b\r\n", {"0 a\r\n", "1 b\r\n"}},
      {"byte-order mark", "\xEF\xBB\xBF" "0 a\n", {"0 a\n"}},
      {"only a byte-order mark", "\xEF\xBB\xBF", {}},
      {"a lone EF is kept", "\xEF" "x\n", {"\xEF" "x\n"}},
      {"no final newline", "0 a\n0 b", {"0 a\n", "0 b"}},
      {"empty", "", {}},
      {"600 characters arrive as 510 + 90", long600 + "\n", {std::string(510, 'a'), std::string(90, 'a') + "\n"}},
      {"after a mark too", "\xEF\xBB\xBF" + long600 + "\n", {std::string(510, 'a'), std::string(90, 'a') + "\n"}},
      {"a mark and an empty line", "\xEF\xBB\xBF\n0 a\n", {"\n", "0 a\n"}},
  };
  for (const SourceCase& c : cases) EXPECT_EQ(ReadFileLines(c.bytes), c.lines) << c.what;
}

// Pieces of any length hold the same text with or without a byte-order mark before it.
TEST(FileTextHandler, PiecesAfterAMarkAreThoseOfTheTextAlone) {
  CScratchDir dir;
  const std::string text = "0 abcdefg\n1 x\n";
  ASSERT_TRUE(WriteFileBytes(dir / "plain.ldr", text));
  ASSERT_TRUE(WriteFileBytes(dir / "marked.ldr", "\xEF\xBB\xBF" + text));
  for (size_t length : {2u, 3u, 4u, 5u, 8u, 11u}) {
    auto pieces = [length](const std::string& path) {
      CFileTextHandler h;
      EXPECT_EQ(h.Open(path, "r"), 1);
      std::vector<std::string> out;
      for (std::string piece; h.ReadLine(piece, length);) out.push_back(piece);
      return out;
    };
    const std::vector<std::string> plain = pieces(dir / "plain.ldr");
    EXPECT_EQ(pieces(dir / "marked.ldr"), plain) << "pieces of " << length - 1;
    EXPECT_EQ(plain.front().size(), std::min(length - 1, size_t{10})) << "pieces of " << length - 1;
  }
}

TEST(FileTextHandler, RewindReadsAgainWithoutTheMark) {
  CScratchDir dir;
  ASSERT_TRUE(WriteFileBytes(dir / "m.ldr", "\xEF\xBB\xBF" "0 x\n"));
  CFileTextHandler h;
  ASSERT_EQ(h.Open(dir / "m.ldr", "r"), 1);
  EXPECT_EQ(ReadAll(h), std::vector<std::string>{"0 x\n"});
  h.Rewind();
  EXPECT_EQ(ReadAll(h), std::vector<std::string>{"0 x\n"});
}

TEST(FileTextHandler, BorrowedStreamIsNeitherReopenedNorClosed) {
  CScratchDir dir;
  FILE* f = std::fopen((dir / "b.ldr").c_str(), "w+");
  ASSERT_NE(f, nullptr);
  {
    CFileTextHandler h(f);
    EXPECT_EQ(h.OpenForWrite(dir / "other.ldr"), 0);
    EXPECT_EQ(h.Open(dir / "other.ldr", "w"), 0);
    EXPECT_EQ(h.WriteString("0 x\n"), 1);
    EXPECT_EQ(h.WriteString(""), 0);
  }
  EXPECT_EQ(std::fputs("still open\n", f) >= 0, true);
  std::fclose(f);
  EXPECT_EQ(ReadFileBytes(dir / "b.ldr"), "0 x\nstill open\n");
}

TEST(FileTextHandler, NoStreamReadsAndWritesNothing) {
  CFileTextHandler h;
  std::string line;
  EXPECT_FALSE(h.ReadLine(line));
  EXPECT_EQ(h.WriteString("x"), 0);
}

TEST(FileTextHandler, FailedCloseIsReported) {
  CFileTextHandler h;
  ASSERT_EQ(h.Open("/dev/full", "w"), 1);
  EXPECT_EQ(h.WriteString("0 buffered until the close\n"), 1);
  EXPECT_EQ(h.Close(), 0);
}

TEST(FileTextHandler, SaveReplacesTheFileOnlyWhenComplete) {
  CScratchDir dir;
  std::string target = dir / "model.ldr";
  ASSERT_TRUE(WriteFileBytes(target, "0 old\n"));
  {
    CFileTextHandler h;
    ASSERT_EQ(h.OpenForWrite(target), 1);
    h.WriteString("0 half\n");
    // Destroyed without Close: the save did not finish.
  }
  EXPECT_EQ(ReadFileBytes(target), "0 old\n");
  CFileTextHandler h;
  ASSERT_EQ(h.OpenForWrite(target), 1);
  EXPECT_EQ(TextHandlerPrintf(h, "1 %d %g\n", 16, 0.5), 1);
  EXPECT_EQ(h.Close(), 1);
  EXPECT_EQ(ReadFileBytes(target), "1 16 0.5\n");
  // A folder that cannot be written: the save fails and says so.
  EXPECT_EQ(h.OpenForWrite(dir / "missing/model.ldr"), 0);
}

// Why a save failed reaches the caller: read-only, cannot create, or the write itself, with the
// system's error number; a save that worked reports nothing.
TEST(FileTextHandler, AFailedSaveSaysWhy) {
  using Failure = CAtomicFile::Failure;
  CScratchDir dir;
  const std::string readOnly = dir / "ro.ldr";
  ASSERT_TRUE(WriteFileBytes(readOnly, "0 old\n"));
  ::chmod(readOnly.c_str(), 0444);
  struct Row {
    const char* what;
    std::string path;
    bool opens;
    Failure failure;
    int error;
  };
  const Row rows[] = {
      {"a new file", dir / "new.ldr", true, Failure::None, 0},
      {"a read-only file", readOnly, false, Failure::ReadOnly, EACCES},
      {"a missing folder", dir / "missing/model.ldr", false, Failure::CannotCreate, ENOENT},
      {"a full device", "/dev/full", true, Failure::WriteFailed, ENOSPC},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    CFileTextHandler h;
    ASSERT_EQ(h.OpenForWrite(row.path), row.opens ? 1 : 0);
    if (row.opens) {
      EXPECT_EQ(h.SaveFailure(), Failure::None);
      h.WriteString("0 text\n");
      EXPECT_EQ(h.Close(), row.failure == Failure::None ? 1 : 0);
    }
    EXPECT_EQ(h.SaveFailure(), row.failure);
    EXPECT_EQ(h.SaveErrno(), row.error);
  }
  EXPECT_EQ(ReadFileBytes(readOnly), "0 old\n");
}

TEST(ArrayTextHandler, ContinuationAndEmptyLines) {
  CArrayTextHandler h;
  EXPECT_EQ(h.WriteString("0 a"), 1);
  EXPECT_EQ(h.WriteString(" b\n"), 1);
  EXPECT_EQ(h.WriteString("0 c\n"), 1);
  EXPECT_EQ(h.WriteString("\n"), 1);
  EXPECT_EQ(h.GetLines(), (std::vector<std::string>{"0 a b\n", "0 c\n", "\n"}));
  EXPECT_EQ(ReadAll(h), (std::vector<std::string>{"0 a b\n", "0 c\n", "\n"}));
  h.Rewind();
  EXPECT_EQ(ReadAll(h).size(), 3u);
  EXPECT_EQ(h.OpenForWrite("ignored"), 1);
  EXPECT_TRUE(h.GetLines().empty());
}

TEST(ArrayTextHandler, StoredEmptyLineReadsAsZero) {
  CArrayTextHandler h;
  h.WriteString("");  // an empty text stays an empty stored line
  std::string line;
  ASSERT_TRUE(h.ReadLine(line));
  EXPECT_EQ(line, "0");
}

// A snapshot must read back exactly as the file it stands for: long lines in the same pieces.
TEST(ArrayTextHandler, LongLinesComeInTheSamePiecesAsFromAFile) {
  std::string longLine = "1 16 0 0 0 1 0 0 0 1 0 0 0 1 " + std::string(600, 'p') + ".dat\n";
  CArrayTextHandler a;
  a.WriteString(longLine);
  EXPECT_EQ(ReadAll(a), ReadFileLines(longLine));
}

TEST(TextHandler, PrintfHasNoFixedBuffer) {
  CArrayTextHandler h;
  std::string big(9000, 'q');
  EXPECT_EQ(TextHandlerPrintf(h, "0 %s\n", big.c_str()), 1);
  EXPECT_EQ(h.GetLines().at(0).size(), 9003u);
}

}  // namespace
