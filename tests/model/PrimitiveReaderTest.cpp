#include <gtest/gtest.h>

#include "LibraryScope.h"

#include "ModelText.h"
#include "config/Tracer.h"
#include "model/ElementEditor.h"
#include "model/QvFivePart.h"
#include "model/QvRotateCmd.h"
#include "support/ScriptedPrompt.h"
#include "support/LogCapture.h"
#include "support/TestData.h"

namespace {

// Reads with warnings off and the log open, so every line error shows as a log line.
class PrimitiveReaderTest : public CLogCaptureTest {
 protected:
  // What the elements read write back, one after the other.
  static std::string Elements(CQvFile& file) {
    std::string text;
    for (size_t i = 0; i < file.GetCount(); ++i) text += WriteElement(*file.GetAt(i));
    return text;
  }
  // Each text read on its own: the elements it makes and the line errors it logs.
  template <size_t N>
  void RunTable(const struct ReadCase (&cases)[N]);

  CScriptedPrompt prompt;
};

struct ReadCase {
  const char* text;
  const char* elements;  // written back by the elements read
  const char* log;       // line errors
};

const char kError1[] = "ERROR: In file test.ldr at line 1!\n";
const char kError2[] = "ERROR: In file test.ldr at line 2!\n";

const ReadCase kPrimitiveLines[] = {
    {"2 4 0 0 0 10 0 0", "2 4 0 0 0 10 0 0\n", ""},
    {"2 0x2FF0000 1 2 3 4 5 6", "2 50266112 1 2 3 4 5 6\n", ""},
    {"3 4 1 2 3 4 5 6 7 8 9 trailing junk", "3 4 1 2 3 4 5 6 7 8 9\n", ""},
    {"4 16 0 0 0 1 0 0 1 1 0 0 1 0", "4 16 0 0 0 1 0 0 1 1 0 0 1 0\n", ""},
    {"5 24 0 0 0 1 0 0 0 1 0 0 -1 0", "5 24 0 0 0 1 0 0 0 1 0 0 -1 0\n", ""},
    // The prefixes as Write puts them before a line.
    {"0 GHOST 3 4 1 0 0 0 1 0 0 0 1", "0 GHOST 3 4 1 0 0 0 1 0 0 0 1\n", ""},
    {"0 TOLVO HIDE 2 24 0 0 0 1 0 0", "0 TOLVO HIDE 2 24 0 0 0 1 0 0\n", ""},
    {"0 GHOST 0 TOLVO HIDE 4 1 0 0 0 1 0 0 1 1 0 0 1 0", "0 GHOST 0 TOLVO HIDE 4 1 0 0 0 1 0 0 1 1 0 0 1 0\n",
     ""},
    // Malformed lines are line errors and never come back as "2 4294967295 0 0 ...".
    {"2 4 0 0 0 10 0", "", kError1},
    {"0 GHOST 2 4 0 0", "", kError1},
    {"0 TOLVO HIDE 5 24 0 0 0 1 0 0 0 1 0 0 -1", "", kError1},
    {"2 99999999999 0 0 0 1 1 1", "", kError1},
    {"3 4 1 2 3 4 5 6 7 8 nan", "", kError1},
    {"2 4 0 0 0 1 0 0\n4 16 0 0 0", "2 4 0 0 0 1 0 0\n", kError2},
};

const ReadCase kStepLines[] = {
    {"0 STEP", "0 STEP\n", ""},
    // Ghost steps keep their flag through a save.
    {"0 GHOST 0 STEP", "0 GHOST 0 STEP\n", ""},
    {"0 GHOST 0 ROTSTEP 1 2 3 ABS", "0 GHOST 0 ROTSTEP 1 2 3 ABS\n", ""},
    {"0 GHOST 0 ROTSTEP END", "0 GHOST 0 ROTSTEP END\n", ""},
    {"0 ROTSTEP 0 0 180 REL", "0 ROTSTEP 0 0 180 REL\n", ""},
    {"0 ROTSTEP 0 90 0", "0 ROTSTEP 0 90 0 REL\n", ""},
    {"0 ROTSTEP 0 90 0 abs", "0 ROTSTEP 0 90 0 ABS\n", ""},
    {"0 ROTSTEP 1 2 3 ABSOLUTE", "0 ROTSTEP 1 2 3 ADD\n", ""},
    {"0 ROTSTEP 1.5 -2 0.1 ADD", "0 ROTSTEP 1.5 -2 0.1 ADD\n", ""},
    {"0 ROTSTEP END", "0 ROTSTEP END\n", ""},
    {"0 ROTSTEP end", "0 ROTSTEP END\n", ""},
    {"0 ROTSTEP 10 20 30 APPEND", "0 ROTSTEP END\n", ""},
    {"0 ROTSTEP 1 2", "", "ERROR: Invalid file format!\nERROR: In file test.ldr at line 1!\n"},
    // A ROTATE that is no LDLite command is a rotation step.
    {"0 ROTATE END", "0 ROTSTEP END\n", ""},
    {"0 ROTATE 0 90 0", "0 ROTSTEP 0 90 0 REL\n", ""},
};

const ReadCase kLDLiteLines[] = {
    {"0 TRANSLATE 0 -24 0\n2 4 10 0 0 0 0 0\n0 TRANSLATE END\n2 4 10 0 0 0 0 0",
     "2 4 10 -24 0 0 -24 0\n2 4 10 0 0 0 0 0\n", ""},
    {"0 SCALE 2\n4 16 1 0 0 0 1 0 0 0 1 1 1 1\n0 SCALE END", "4 16 2 0 0 0 2 0 0 0 2 2 2 2\n", ""},
    {"0 TRANSFORM 10 20 30 1 0 0 0 1 0 0 0 1\n2 4 0 0 0 1 1 1\n0 TRANSFORM END", "2 4 10 20 30 11 21 31\n",
     ""},
    {"0 TRANSFORM 0 0 0 0 -1 0 1 0 0 0 0 1\n5 24 1 0 0 0 1 0 1 1 0 0 0 1", "5 24 0 1 0 -1 0 0 -1 1 0 0 0 1\n",
     ""},
    // Steps and comments are not transformed; ghost and hidden lines are.
    {"0 TRANSLATE 5 5 5\n0 STEP\n0 GHOST 2 4 0 0 0 1 1 1\n0 TOLVO HIDE 2 4 0 0 0 1 1 1",
     "0 STEP\n0 GHOST 2 4 5 5 5 6 6 6\n0 TOLVO HIDE 2 4 5 5 5 6 6 6\n", ""},
    {"0 TRANSLATE 1 0 0\n0 TRANSLATE 0 2 0\n2 4 0 0 0 0 0 0\n0 TRANSLATE END\n2 4 0 0 0 0 0 0\n"
     "0 TRANSLATE END\n2 4 0 0 0 0 0 0",
     "2 4 1 2 0 1 2 0\n2 4 1 0 0 1 0 0\n2 4 0 0 0 0 0 0\n", ""},
    {"0 POINT corner 1 2 3\n0 POINT corner 4 5 6\n0 MATRIX m 1 0 0 0 1 0 0 0 1", "", ""},
    {"0 TRANSLATE END", "", kError1},
    {"0 TRANSLATE 1 2", "", kError1},
    {"0 TRANSFORM END", "", kError1},
    {"0 ROTATE 45 1 0 0\n0 TRANSFORM END", "", kError2},
    {"0 SCALE", "", kError1},
    {"0 POINT a 1 2", "", kError1},
    {"0 MATRIX m 1 2 3", "", kError1},
};

template <size_t N>
void PrimitiveReaderTest::RunTable(const ReadCase (&cases)[N]) {
  for (const ReadCase& c : cases) {
    const std::string before = Log();
    CQvFile file;
    ASSERT_EQ(ReadText(file, std::string(c.text) + "\n", 0), 1) << c.text;
    EXPECT_EQ(Elements(file), c.elements) << c.text;
    EXPECT_EQ(Log().substr(before.size()), c.log) << c.text;
  }
}

TEST_F(PrimitiveReaderTest, PrimitiveLines) { RunTable(kPrimitiveLines); }

TEST_F(PrimitiveReaderTest, StepLines) { RunTable(kStepLines); }

TEST_F(PrimitiveReaderTest, LDLiteCommands) { RunTable(kLDLiteLines); }

TEST_F(PrimitiveReaderTest, LDLiteRotationTurnsALineLikeAPlacement) {
  CQvFile file;
  ASSERT_EQ(ReadText(file, "0 ROTATE 90 0 1 0\n2 4 10 0 0 0 0 5\n0 ROTATE END\n", 0), 1);
  ASSERT_EQ(file.GetCount(), 1u);
  auto* line = dynamic_cast<CQvLinePart*>(file.GetAt(0));
  ASSERT_NE(line, nullptr);
  // 90 degrees about y: (x, y, z) -> (z, y, -x).
  EXPECT_NEAR(line->GetVertex(0).x, 0, 1e-12);
  EXPECT_NEAR(line->GetVertex(0).z, -10, 1e-12);
  EXPECT_NEAR(line->GetVertex(1).x, 5, 1e-12);
  EXPECT_NEAR(line->GetVertex(1).z, 0, 1e-12);
}

TEST_F(PrimitiveReaderTest, TransformsDoNotCarryIntoTheNextRead) {
  CQvFile first, second;
  ASSERT_EQ(ReadText(first, "0 TRANSLATE 1 1 1\n2 4 0 0 0 0 0 0\n", 0), 1);
  ASSERT_EQ(ReadText(second, "2 4 0 0 0 0 0 0\n", 0), 1);
  EXPECT_EQ(Elements(first), "2 4 1 1 1 1 1 1\n");
  EXPECT_EQ(Elements(second), "2 4 0 0 0 0 0 0\n");
}

TEST_F(PrimitiveReaderTest, ModelRoundTripKeepsEveryPrimitive) {
  const std::string body =
      "0 GHOST 2 24 0 0 0 10 0 0\n"
      "3 16 0 0 0 10 0 0 0 10 0\n"
      "0 STEP\n"
      "0 TOLVO HIDE 4 0x2FF0000 0 0 0 1 0 0 1 1 0 0 1 0\n"
      "0 ROTSTEP 0 0 180 REL\n"
      "5 24 0 0 0 1 0 0 0 1 0 0 -1 0\n"
      "0 ROTSTEP END\n";
  auto file = LoadText("0 Title\n" + body);
  std::string expected = body;
  expected.replace(expected.find("0x2FF0000"), 9, "50266112");
  EXPECT_EQ(WriteText(*file), "0 Title\n" + std::string(kDefaultRotationLines) + expected + "0\n");
  EXPECT_EQ(Log(), "");
}

TEST_F(PrimitiveReaderTest, RealModelRotationStepsRoundTrip) {
  REQUIRE_LDRAW_MODELS(models);
  REQUIRE_LDRAW_LIBRARY(lib);
  // Read as one file, the project's own sub-models are not found (that is the project reader's
  // work); its library parts are, and no line may be an error.
  CLibraryScope library(lib, 0);
  const std::string text = ReadFileBytes(models + "/889-1-RadarTruck.mpd");
  ASSERT_FALSE(text.empty());
  CQvFile file;
  ASSERT_EQ(ReadText(file, text, 0, "889-1-RadarTruck.mpd"), 1);
  int starts = 0, ends = 0, steps = 0;
  for (size_t i = 0; i < file.GetCount(); ++i) {
    const CQvPart* e = file.GetAt(i);
    starts += e->GetType() == ElementType::RotStep;
    ends += e->GetType() == ElementType::RotStepEnd;
    steps += e->GetType() == ElementType::Step;
  }
  EXPECT_EQ(starts, 1);
  EXPECT_EQ(ends, 1);
  EXPECT_GT(steps, 0);
  const std::string written = WriteText(file);
  EXPECT_NE(written.find("\n0 ROTSTEP 0 0 180 REL\n"), std::string::npos);
  EXPECT_NE(written.find("\n0 ROTSTEP END\n"), std::string::npos);
  EXPECT_EQ(Log().find(" at line "), std::string::npos) << Log();
}

// A scripted primitive and rotation-step dialog.
class CScriptedEditor : public IElementEditor {
 public:
  bool EditComment(CommentEdit&) override { return false; }
  bool EditBfc(BfcEdit&) override { return false; }
  bool EditBackground(std::string&) override { return false; }
  bool EditBufExchg(BufExchgEdit&) override { return false; }
  bool EditGroup(GroupEdit&) override { return false; }
  bool EditPrimitive(PrimitiveEdit& data) override {
    seen = data;
    if (!ok) return false;
    data.x[0] = 1.5f;
    return true;
  }
  bool EditRotStep(RotStepEdit& data) override {
    rot = data;
    if (!ok) return false;
    data.angleX = 90;
    data.mode = 1;
    return true;
  }
  bool ok = true;
  PrimitiveEdit seen;
  RotStepEdit rot;
};

TEST_F(PrimitiveReaderTest, EditingAQuadroundsEveryCoordinateToSinglePrecision) {
  CScriptedEditor editor;
  SetElementEditor(&editor);
  CQvFile file;
  CQvQuadPart quad;
  quad.Parse("4 16 0 0 0 0.1 0 0 1 1 0 0 1 0.3");
  EXPECT_EQ(quad.Edit(file), 2);
  EXPECT_EQ(editor.seen.caption, "Quad Vertices");
  EXPECT_EQ(editor.seen.vertexCount, 4);
  EXPECT_EQ(quad.GetVertex(0).x, 1.5);
  // Single precision, as the float's shortest text: no noise digits reach the saved line.
  EXPECT_EQ(static_cast<float>(quad.GetVertex(1).x), 0.1f);
  EXPECT_EQ(quad.GetVertex(1).x, 0.1);
  EXPECT_EQ(quad.GetVertex(3).z, 0.3);
  EXPECT_EQ(WriteElement(quad), "4 16 1.5 0 0 0.1 0 0 1 1 0 0 1 0.3\n");

  CQvFivePart cond;
  cond.Parse("5 24 0 0 0 1 0 0 0 1 0 0 -1 0");
  editor.ok = false;
  EXPECT_EQ(cond.Edit(file), 0);
  EXPECT_EQ(editor.seen.caption, "Conditional Line Vertices");
  EXPECT_EQ(editor.seen.vertexCount, 5);
  EXPECT_EQ(cond.GetVertex(1).x, 1);
  SetElementEditor(nullptr);
}

TEST_F(PrimitiveReaderTest, EditingARotationStep) {
  CScriptedEditor editor;
  SetElementEditor(&editor);
  CQvFile file;
  CQvRotateCmd cmd("0 0 180 REL");
  EXPECT_EQ(cmd.Edit(file), 1);
  EXPECT_EQ(editor.rot.angleZ, 180);
  EXPECT_EQ(editor.rot.model, &file);
  EXPECT_EQ(WriteElement(cmd), "0 ROTSTEP 90 0 180 ABS\n");
  EXPECT_NEAR((cmd.GetMatrix() * CVector3(0, 0, 1)).z, 0, 1e-12);

  CQvRotateCmd end("END");
  EXPECT_EQ(end.Edit(file), 0);
  EXPECT_EQ(prompt.beeps, 1);
  SetElementEditor(nullptr);
}

}  // namespace
