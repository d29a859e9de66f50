// The sub-file reference element: its line, its placement operations, and what it does when the
// file it names is missing.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "ElementTestUtil.h"
#include "LibraryScope.h"
#include "ModelText.h"
#include "RecordingRenderer.h"
#include "config/ColorTable.h"
#include "model/FileCache.h"
#include "model/QvElement.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"
#include "support/ScriptedPrompt.h"
#include "support/TestData.h"

namespace {

// A tiny library: a brick that uses a sub-part and a stud, in the letter case of no reference.
struct FixtureLibrary {
  FixtureLibrary() {
    std::filesystem::create_directories(dir / "parts/s");
    std::filesystem::create_directories(dir / "p");
    WriteFileBytes(dir / "p/Stud.DAT", "0 Stud\r\n2 24 0 0 0 0 -4 0\r\n3 16 0 0 0 1 0 0 0 0 1\r\n");
    WriteFileBytes(dir / "parts/s/3001S01.dat", "0 ~Brick sub-part\n4 16 0 0 0 20 0 0 20 24 0 0 24 0\n");
    WriteFileBytes(dir / "parts/3001.dat",
                   "0 Brick 2 x 4\n1 16 0 0 0 1 0 0 0 1 0 0 0 1 s\\3001s01.dat\n"
                   "1 16 10 0 0 1 0 0 0 1 0 0 0 1 STUD.DAT\n");
    WriteFileBytes(dir / "parts/old1.dat", "0 ~Moved to 3001\n1 16 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat\n");
    WriteFileBytes(dir / "parts/loopa.dat", "0 ~Moved to loopb\n");
    WriteFileBytes(dir / "parts/loopb.dat", "0 ~Moved to loopa\n");
    WriteFileBytes(dir / "parts/toldr.dat", "0 ~Moved to onlyldr\n");
    std::filesystem::create_directories(dir / "models");
    WriteFileBytes(dir / "models/onlyldr.ldr", "0 model\n2 4 0 0 0 1 1 1\n");
  }
  CScratchDir dir;
};

struct ParseCase {
  const char* line;
  bool throws;
  ColorNumber color;
  double x;
  const char* name;
};

TEST(QvElementParse, Table) {
  CScriptedPrompt prompt;
  CLibraryScope library("", 0);
  const ParseCase cases[] = {
      {"1 4 1 2 3 1 0 0 0 1 0 0 0 1 3001.dat", false, 4, 1, "3001.dat"},
      {"1 0x2A 5 0 0 1 0 0 0 1 0 0 0 1 a.dat", false, 42, 5, "a.dat"},
      {"1 2A 5 0 0 1 0 0 0 1 0 0 0 1 a.dat", false, 42, 5, "a.dat"},
      {"1 16 0.5 0 0 1 0 0 0 1 0 0 0 1 my part.dat  \r", false, 16, 0.5, "my part.dat"},
      {"1\t16 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat trailing words", false, 16, 0, "3001.dat trailing words"},
      {"1 16 0 0 0 1 0 0 0 1 0 0 0", true, 0, 0, ""},
      {"1 16 0 0 0 1 0 0 0 1 0 0 0 1", true, 0, 0, ""},
      {"1 16 0 0 0 1 0 0 0 1 0 0 0 1   ", true, 0, 0, ""},
      {"1 zz 0 0 0 1 0 0 0 1 0 0 0 1 a.dat", true, 0, 0, ""},
      {"1 16 0 0 x 1 0 0 0 1 0 0 0 1 a.dat", true, 0, 0, ""},
  };
  for (const ParseCase& c : cases) {
    CQvElement e;
    if (c.throws) {
      EXPECT_THROW(e.Parse(c.line), CParseError) << c.line;
      continue;
    }
    // No library, no question: an empty stand-in marked missing.
    EXPECT_EQ(e.Parse(c.line), 1) << c.line;
    EXPECT_TRUE(e.IsFileMissing()) << c.line;
    EXPECT_EQ(e.GetColor(), c.color) << c.line;
    EXPECT_EQ(e.GetPosition().x, c.x) << c.line;
    EXPECT_EQ(e.GetFileName(), c.name) << c.line;
  }
}

TEST(QvElementParse, AMalformedReferenceIsALineErrorNotAnUnknownPart) {
  CScriptedPrompt prompt;
  CLibraryScope library("", 0);
  CQvFile file;
  ReadText(file, "0 a\n1 16 0 0 0 1 0 0 0 1 0 0 0\n");
  EXPECT_EQ(file.GetLineErrorCount(), 1u);
  EXPECT_EQ(WriteText(file).find("Unknown"), std::string::npos);
}

struct WriteCase {
  bool ghost, hidden;
  const char* expected;
};

TEST(QvElementWrite, PrefixesInTheirOrder) {
  CScriptedPrompt prompt;
  CLibraryScope library("", 0);
  const WriteCase cases[] = {
      {false, false, "1 4 1.5 -2 3 1 0 0 0 1 0 0 0 1 3001.dat\n"},
      {true, false, "0 GHOST 1 4 1.5 -2 3 1 0 0 0 1 0 0 0 1 3001.dat\n"},
      {false, true, "0 TOLVO HIDE 1 4 1.5 -2 3 1 0 0 0 1 0 0 0 1 3001.dat\n"},
      {true, true, "0 GHOST 0 TOLVO HIDE 1 4 1.5 -2 3 1 0 0 0 1 0 0 0 1 3001.dat\n"},
  };
  for (const WriteCase& c : cases) {
    CQvElement e;
    e.Parse("1 4 1.5 -2 3 1 0 0 0 1 0 0 0 1 3001.dat");
    e.ghost = c.ghost;
    e.hidden = c.hidden;
    EXPECT_EQ(WrittenText(e), c.expected);
  }
  // Negative colours are written as their 32-bit unsigned value.
  CQvElement e;
  e.Parse("1 -1 0 0 0 1 0 0 0 1 0 0 0 1 x.dat");
  EXPECT_EQ(WrittenText(e), "1 4294967295 0 0 0 1 0 0 0 1 0 0 0 1 x.dat\n");
}

TEST(QvElementWrite, GhostAndHiddenLinesReadBack) {
  CScriptedPrompt prompt;
  CLibraryScope library("", 0);
  auto file = LoadText("0 GHOST 0 TOLVO HIDE 1 4 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat\n");
  ASSERT_EQ(file->GetCount(), 1u);
  EXPECT_TRUE(file->GetAt(0)->ghost);
  EXPECT_TRUE(file->GetAt(0)->hidden);
}

// A part that is not found keeps its name everywhere and is marked as not found.
TEST(QvElementMissing, NoKeepsTheNameAndAsksNothingOnCopy) {
  CScriptedPrompt prompt;
  prompt.Answer(PromptAnswer::No);
  CLibraryScope library("", 1);
  auto file = LoadText("1 4 0 0 0 1 0 0 0 1 0 0 0 1 Missing Part.dat\n");
  ASSERT_EQ(file->GetCount(), 1u);
  EXPECT_EQ(prompt.shown.size(), 1u);
  auto& e = static_cast<CQvElement&>(*file->GetAt(0));
  EXPECT_EQ(e.GetFile(), nullptr);
  EXPECT_EQ(WrittenText(e), "1 4 0 0 0 1 0 0 0 1 0 0 0 1 Missing Part.dat\n");
  ElementDescription d;
  e.Describe(d);
  EXPECT_EQ(d.text, "FILE NOT FOUND!");
  EXPECT_EQ(d.typeFlags, 3u | kDescribeNoFile);
  CArrayTextHandler out;
  ExportContext ctx;
  ctx.output = &out;
  ctx.format = ExportFormat::Normal;
  EXPECT_EQ(e.Export(ctx, CVector3(), CMatrix3::Identity(), 16), 1);
  EXPECT_EQ(Joined(out), "1 4 0 0 0 1 0 0 0 1 0 0 0 1 Missing Part.dat\n");
  auto clone = e.Clone();
  EXPECT_EQ(prompt.shown.size(), 1u);  // nothing asked
  EXPECT_EQ(WrittenText(*clone), "1 4 0 0 0 1 0 0 0 1 0 0 0 1 Missing Part.dat\n");
}

TEST(QvElementMissing, TheStandInAfterContinueIsMarkedMissing) {
  CScriptedPrompt prompt;
  prompt.Answer(PromptAnswer::Yes);
  CLibraryScope library("", 1);
  auto file = LoadText("1 4 0 0 0 1 0 0 0 1 0 0 0 1 gone.dat\n1 4 0 0 0 1 0 0 0 1 0 0 0 1 GONE.DAT\n");
  EXPECT_EQ(prompt.shown.size(), 1u);  // the stand-in is cached: asked once
  auto& e = static_cast<CQvElement&>(*file->GetAt(0));
  ASSERT_NE(e.GetFile(), nullptr);
  EXPECT_TRUE(e.GetFile()->missing);
  ElementDescription d;
  e.Describe(d);
  EXPECT_EQ(d.typeFlags & kDescribeNoFile, kDescribeNoFile);
  EXPECT_EQ(d.text, "FILE NOT FOUND!");
  EXPECT_EQ(WrittenText(*file->GetAt(0)) + WrittenText(*file->GetAt(1)),
            "1 4 0 0 0 1 0 0 0 1 0 0 0 1 gone.dat\n1 4 0 0 0 1 0 0 0 1 0 0 0 1 GONE.DAT\n");
}

TEST(QvElementPlacement, MoveAndRotateRounding) {
  FixtureLibrary lib;
  CScriptedPrompt prompt;
  CLibraryScope library(lib.dir.Path());
  CQvElement e;
  ASSERT_EQ(e.Parse("1 16 1 2 3 1 0 0 0 1 0 0 0 1 3001.dat"), 1);
  e.Move(0.0004, 0, 0, kMoveAdd, 0, 0, 0);
  EXPECT_EQ(e.GetPosition(), CVector3(1, 2, 3));
  e.Move(-0.0015, 0, 0, kMoveAdd, 0, 0, 0);  // 0.9985 rounds half away from zero
  EXPECT_EQ(e.GetPosition().x, 0.999);
  e.Move(7.1234567, 0, 0, kMoveSet, 0, 0, 0);
  EXPECT_EQ(e.GetPosition().x, 7.123457);
  CMatrix3 quarter;
  quarter.SetAxisAngle(CVector3(0, 1, 0), 90);
  e.Rotate(quarter, CVector3(), kRotateAboutCenter);
  for (double v : e.GetMatrix().m) EXPECT_TRUE(v == 0 || v == 1 || v == -1) << v;
  EXPECT_EQ(std::fabs(e.GetPosition().z), 7.123);
}

TEST(QvElementPlacement, WithoutAFileNothingMoves) {
  CScriptedPrompt prompt;
  prompt.Answer(PromptAnswer::No);
  CLibraryScope library("", 1);
  CQvElement e;
  e.Parse("1 16 1 2 3 1 0 0 0 1 0 0 0 1 nothing.dat");
  e.Move(5, 5, 5, kMoveAdd, 0, 0, 0);
  EXPECT_EQ(e.GetPosition(), CVector3(1, 2, 3));
}

TEST(QvElementPlacement, BoundingBoxComposesPlacements) {
  FixtureLibrary lib;
  CScriptedPrompt prompt;
  CLibraryScope library(lib.dir.Path());
  CQvElement e;
  // Turned a quarter about y and moved: the sub-part's quad spans x 0..20, y 0..24 at z 0.
  ASSERT_EQ(e.Parse("1 16 100 0 0 0 0 1 0 1 0 -1 0 0 s\\3001s01.dat"), 1);
  CVector3 lo(1e200, 1e200, 1e200), hi(-1e200, -1e200, -1e200);
  e.ExtendBoundingBox(CVector3(0, 5, 0), CMatrix3::Identity(), lo, hi, 1);
  EXPECT_EQ(lo, CVector3(100, 5, -20));
  EXPECT_EQ(hi, CVector3(100, 29, 0));
}

TEST(QvElementDraw, RecursesUnderThePlacementInTheResolvedColour) {
  FixtureLibrary lib;
  CScriptedPrompt prompt;
  CLibraryScope library(lib.dir.Path());
  auto model = LoadText("1 4 10 0 0 1 0 0 0 1 0 0 0 1 3001.dat\n");
  CRecordingRenderer r;
  DrawContext ctx;
  model->GetAt(0)->Draw(r, 7, ctx);
  EXPECT_EQ(r.GetMatrixStack().GetTopIndex(), 0u);  // popped again
  // The quad of the sub-part (colour 16 -> 4) and the stud's line (24 -> edge of 4) and triangle.
  ASSERT_EQ(r.calls.size(), 3u);
  EXPECT_EQ(r.calls[0].kind, "quad");
  EXPECT_EQ(r.calls[0].color, 4u);
  EXPECT_EQ(r.calls[0].points[1], CVector3(30, 0, 0));
  EXPECT_EQ(r.calls[0].pickId, 7u);
  EXPECT_EQ(r.calls[1].kind, "line");
  EXPECT_EQ(r.calls[1].color, ResolveColorCode(24, 4, theDefaultColors));
  EXPECT_EQ(r.calls[1].points[1], CVector3(20, -4, 0));
  EXPECT_EQ(r.calls[2].kind, "triangle");
  // Hidden references draw nothing.
  model->GetAt(0)->hidden = true;
  r.calls.clear();
  model->GetAt(0)->Draw(r, 7, ctx);
  EXPECT_TRUE(r.calls.empty());
}

TEST(QvElementExport, FormatsOneLineOrFlattens) {
  FixtureLibrary lib;
  CScriptedPrompt prompt;
  CLibraryScope library(lib.dir.Path());
  auto model = LoadText("1 16 10 0 0 1 0 0 0 1 0 0 0 1 s\\3001S01.DAT\n");
  CArrayTextHandler out;
  ExportContext ctx;
  ctx.output = &out;
  ctx.format = ExportFormat::Normal;
  ASSERT_EQ(model->GetAt(0)->Export(ctx, CVector3(0, 1, 0), CMatrix3::Identity(), 2), 1);
  EXPECT_EQ(Joined(out), "1 2 10 1 0 1 0 0 0 1 0 0 0 1 s\\3001S01.DAT\n");
  CArrayTextHandler flat;
  ctx.output = &flat;
  ctx.format = ExportFormat::Primitives;
  ASSERT_EQ(model->GetAt(0)->Export(ctx, CVector3(0, 1, 0), CMatrix3::Identity(), 2), 1);
  EXPECT_EQ(Joined(flat), "4 2 10 1 0 30 1 0 30 25 0 10 25 0\n");
  // A failed write is the export's result.
  CFailingTextHandler failing(1);
  ctx.output = &failing;
  EXPECT_EQ(model->GetAt(0)->Export(ctx, CVector3(), CMatrix3::Identity(), 2), 0);
}

TEST(QvElementMoved, StubsAreFollowedAndLoopsEndWithAnError) {
  FixtureLibrary lib;
  CScriptedPrompt prompt;
  CLibraryScope library(lib.dir.Path(), 0);
  CQvElement e;
  ASSERT_EQ(e.Parse("1 16 0 0 0 1 0 0 0 1 0 0 0 1 old1.dat"), 1);
  EXPECT_EQ(e.UpgradeMovedPart(1), 1);
  EXPECT_EQ(e.UpgradeMovedPart(0), 1);
  EXPECT_EQ(e.GetFileName(), "3001.dat");
  EXPECT_EQ(e.UpgradeMovedPart(1), 0);
  CQvElement toLdr;
  ASSERT_EQ(toLdr.Parse("1 16 0 0 0 1 0 0 0 1 0 0 0 1 toldr.dat"), 1);
  EXPECT_EQ(toLdr.UpgradeMovedPart(0), 1);
  EXPECT_EQ(toLdr.GetFileName(), "onlyldr.ldr");
  CQvElement loop;
  ASSERT_EQ(loop.Parse("1 16 0 0 0 1 0 0 0 1 0 0 0 1 loopa.dat"), 1);
  EXPECT_EQ(loop.UpgradeMovedPart(0), 0);
}

}  // namespace
