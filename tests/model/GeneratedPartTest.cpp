// The generated-part elements: their meta lines read and written, the geometry block, export,
// ghost and hidden parts, bounds and line errors.
#include <gtest/gtest.h>

#include <cmath>

#include "model/ElementEditor.h"
#include "model/QvLinePart.h"
#include "model/TextHandler.h"
#include "model/TlvArrow.h"
#include "model/TlvHose.h"
#include "model/TlvPlate.h"
#include "model/TlvRubberBelt.h"
#include "model/TlvSpring.h"
#include "tests/model/LibraryScope.h"
#include "tests/model/ModelText.h"

namespace {

class GeneratedPartTest : public ::testing::Test {
 protected:
  CLibraryScope library{"", 0};
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    out.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

TEST_F(GeneratedPartTest, NewSpringIsWrittenWithItsGeometryBlock) {
  CTlvSpring spring;
  const std::vector<std::string> lines = Lines(WriteElement(spring));
  ASSERT_EQ(lines.size(), 3u + 384u);
  EXPECT_EQ(lines[0], "0 TOLVO SPRING 16 0 0 0 1 0 0 0 1 0 0 0 1 20 1 10 2 1 1");
  EXPECT_EQ(lines[1], "0 TOLVO SKIP_BEGIN");
  // Edge colour 24 is resolved against the spring's colour 16: black edges.
  EXPECT_EQ(lines[2].substr(0, 4), "2 0 ");
  EXPECT_EQ(lines[6].substr(0, 5), "4 16 ");
  EXPECT_EQ(lines.back(), "0 TOLVO SKIP_END");
}

// A handler that keeps lines reads every write back as one line: the meta line and the SKIP
// marker must not share one.
TEST_F(GeneratedPartTest, EveryWriteIsOneLine) {
  CTlvSpring spring;
  spring.ghost = true;
  spring.hidden = true;
  CArrayTextHandler out;
  ASSERT_EQ(spring.Write(out), 1);
  for (const std::string& line : out.GetLines()) EXPECT_EQ(line.find('\n'), line.size() - 1) << line;
  out.Rewind();
  CQvFile back;
  ASSERT_EQ(back.ReadFrom(out, "again.ldr", 0), 1);
  ASSERT_EQ(back.GetCount(), 1u);
  EXPECT_TRUE(back.GetAt(0)->ghost);
  EXPECT_TRUE(back.GetAt(0)->hidden);
}

TEST_F(GeneratedPartTest, DefaultLinesOfEveryKind) {
  CTlvHose hose;
  CTlvRubberBelt belt;
  CTlvArrow arrow;
  CTlvPlate plate;
  const std::string id = "16 0 0 0 1 0 0 0 1 0 0 0 1";
  EXPECT_EQ(Lines(WriteElement(hose))[0],
            "0 TOLVO FLEXHOSE " + id + "  -37 -78 150  120 30 -1 -60 -61 240 30 100 0 50 756.dat 754.DAT 0");
  EXPECT_EQ(Lines(WriteElement(belt))[0], "0 TOLVO RUBBER_BELT " + id + " 100 20 40 10 5 16 1");
  EXPECT_EQ(Lines(WriteElement(arrow))[0], "0 TOLVO ARROW " + id + "  10 4 12 40  3 30 0 2  16 16");
  EXPECT_EQ(Lines(WriteElement(plate))[0], "0 TOLVO PLATE " + id + "  10 12 3");
}

// Every field read back: placement, colour (decimal or hexadecimal) and parameters.
TEST_F(GeneratedPartTest, EveryFieldIsRead) {
  const std::string placed = " 1 2 3 0 0 1 0 1 0 -1 0 0";
  {
    CTlvSpring e;
    ASSERT_EQ(e.Parse("SPRING 4" + placed + " 30 2.5 12 3 2 0"), 1);
    EXPECT_EQ(e.GetColor(), 4);
    EXPECT_EQ(e.GetPosition(), CVector3(1, 2, 3));
    EXPECT_EQ(e.GetMatrix().m, CMatrix3(0, 0, 1, 0, 1, 0, -1, 0, 0).m);
    const SpringParams& p = e.GetParams();
    EXPECT_EQ(std::tuple(p.height, p.revolutions, p.diameter, p.wire, p.topRings, p.bottomRings),
              std::tuple(30.0, 2.5, 12.0, 3.0, 2, 0));
    // The second top ring shares a line with the first.
    EXPECT_EQ(e.GetGeneratorFile().GetCount(), 40u * 8 + 128u + 112u);
  }
  {
    CTlvHose e;
    ASSERT_EQ(e.Parse("FLEXHOSE 0x2000000" + placed + " 1 2 3 4 5 6 7 8 9 10 11 12 7 a.dat b.dat 1"), 1);
    EXPECT_EQ(e.GetColor(), 0x2000000);
    const HoseParams& p = e.GetParams();
    EXPECT_EQ(p.start, CVector3(1, 2, 3));
    EXPECT_EQ(p.startControl, CVector3(4, 5, 6));
    EXPECT_EQ(p.end, CVector3(7, 8, 9));
    EXPECT_EQ(p.endControl, CVector3(10, 11, 12));
    EXPECT_EQ(std::tuple(p.steps, p.firstPart, p.part, p.drawLine), std::tuple(7, "a.dat", "b.dat", 1));
    EXPECT_EQ(e.GetGeneratorFile().GetCount(), 9u);
  }
  {
    CTlvRubberBelt e;
    ASSERT_EQ(e.Parse("RUBBER_BELT 1" + placed + " 64 -32 15 27.5 5 16 0"), 1);
    const BeltParams& p = e.GetParams();
    EXPECT_EQ(std::tuple(p.xDistance, p.yDistance, p.r1, p.r2, p.thickness, p.precision, p.useCylinder),
              std::tuple(64.0, -32.0, 15.0, 27.5, 5.0, 16, 0));
    EXPECT_EQ(e.GetGeneratorFile().GetCount(), 272u);
  }
  {
    CTlvArrow e;
    ASSERT_EQ(e.Parse("ARROW 2" + placed + "  10 4 12 40  3 30 1 1  4 14"), 1);
    const ArrowParams& p = e.GetParams();
    EXPECT_EQ(std::tuple(p.w1, p.w2, p.l1, p.l2, p.xDistance, p.radius, p.indicatorType, p.sections,
                         p.pointerColor, p.indicatorColor),
              std::tuple(10.0, 4.0, 12.0, 40.0, 3.0, 30.0, 1, 1, 4u, 14u));
    EXPECT_EQ(e.GetGeneratorFile().GetCount(), 4u);
  }
  {
    CTlvPlate e;
    ASSERT_EQ(e.Parse("PLATE 7" + placed + "  3 2 4"), 1);
    const PlateParams& p = e.GetParams();
    EXPECT_EQ(std::tuple(p.width, p.length, p.height, p.studs), std::tuple(3, 2, 4, 1));
    EXPECT_EQ(e.GetGeneratorFile().GetCount(), 49u);
  }
}

// Missing, unreadable and out-of-range fields: refused, and the element keeps what it had.
TEST_F(GeneratedPartTest, MalformedAndOutOfRangeLinesAreRefused) {
  const std::string placed = " 16 0 0 0 1 0 0 0 1 0 0 0 1";
  const std::string springs[] = {
      "SPRING",
      "SPRING 16 0 0 0 1 0 0 0 1 0 0 0",
      "SPRING" + placed + " 20 1 10 2 1",
      "SPRING" + placed + " 20 x 10 2 1 1",
      "SPRING" + placed + " 20 1e9 10 2 1 1",
      "SPRING" + placed + " 20 1 10 2 1000000 1",
      "SPRING" + placed + " nan 1 10 2 1 1",
      "SPRING" + placed + " 20 inf 10 2 1 1",
      "SPRING 16 nan 0 0 1 0 0 0 1 0 0 0 1 20 1 10 2 1 1",
      "SPRING 16 0 0 0 1e300 0 0 0 1 0 0 0 1 20 1 10 2 1 1",
      "SPRING" + placed + " 20 1 10 2 1.5 1",
  };
  for (const std::string& line : springs) {
    CTlvSpring e;
    EXPECT_EQ(e.Parse(line), 0) << line;
    EXPECT_EQ(e.GetParams().revolutions, 1) << line;
    EXPECT_EQ(e.GetGeneratorFile().GetCount(), 384u) << line;
  }
  EXPECT_EQ(CTlvHose().Parse("FLEXHOSE" + placed + " 1 2 3 4 5 6 7 8 9 10 11 12 100000 a.dat b.dat 1"), 0);
  EXPECT_EQ(CTlvHose().Parse("FLEXHOSE" + placed + " 1 2 3 4 5 6 7 8 9 10 11 12 -1 a.dat b.dat 1"), 0);
  EXPECT_EQ(CTlvHose().Parse("FLEXHOSE" + placed + " 1 2 3 4 5 6 7 8 9 10 11 12 7 a.dat"), 0);
  // A name with a blank runs into the next field.
  EXPECT_EQ(CTlvHose().Parse("FLEXHOSE" + placed + " 1 2 3 4 5 6 7 8 9 10 11 12 7 my part.dat b.dat 1"), 0);
  EXPECT_EQ(CTlvRubberBelt().Parse("RUBBER_BELT" + placed + " 100 20 40 10 5 0 1"), 0);
  EXPECT_EQ(CTlvRubberBelt().Parse("RUBBER_BELT" + placed + " 100 20 40 10 5 100000000 1"), 0);
  EXPECT_EQ(CTlvRubberBelt().Parse("RUBBER_BELT" + placed + " 10 0 40 10 5 16 1"), 0);
  EXPECT_EQ(CTlvRubberBelt().Parse("RUBBER_BELT" + placed + " 100 0 10 10 5 1 1"), 0);
  EXPECT_EQ(CTlvArrow().Parse("ARROW" + placed + " 10 4 12 40 3 30 5 2 16 16"), 0);
  EXPECT_EQ(CTlvArrow().Parse("ARROW" + placed + " 10 4 12 40 3 30 2 3 16 16"), 0);
  EXPECT_EQ(CTlvArrow().Parse("ARROW" + placed + " 10 4 12 40 3 30 2 2 16"), 0);
  EXPECT_EQ(CTlvPlate().Parse("PLATE" + placed + " 0 2 4"), 0);
  EXPECT_EQ(CTlvPlate().Parse("PLATE" + placed + " 100000 100000 4"), 0);
  EXPECT_EQ(CTlvPlate().Parse("PLATE" + placed + " 2 2 -8"), 0);
  EXPECT_EQ(CTlvPlate().Parse("PLATE" + placed + " 2 2"), 0);
}

TEST_F(GeneratedPartTest, ReadingSkipsTheGeometryBlockAndRebuilds) {
  CTlvSpring spring;
  // Another program moved a flattened line: the geometry still comes from the meta line.
  std::string text = WriteElement(spring);
  text.replace(text.find("0 TOLVO SKIP_BEGIN\n") + 19, 4, "2 4 ");
  auto file = LoadText(text);
  ASSERT_EQ(file->GetCount(), 1u);
  ASSERT_EQ(file->GetAt(0)->GetType(), ElementType::Spring);
  EXPECT_EQ(WriteElement(*file->GetAt(0)), WriteElement(spring));
}

TEST_F(GeneratedPartTest, ARefusedLineKeepsItsBlockAsOrdinaryLines) {
  const std::string text =
      "0 TOLVO SPRING 16 0 0 0 1 0 0 0 1 0 0 0 1 20 1e9 10 2 1 1\n"
      "0 TOLVO SKIP_BEGIN\n"
      "2 24 0 0 0 1 1 1\n"
      "4 16 0 0 0 1 0 0 1 1 0 0 1 0\n"
      "0 TOLVO SKIP_END\n"
      "0 TOLVO PLATE 16 0 0 0 1 0 0 0 1 0 0 0 1  1 1 8\n"
      "0 TOLVO SKIP_BEGIN\n"
      "2 24 5 5 5 6 6 6\n"
      "0 TOLVO SKIP_END\n";
  CQvFile file;
  ReadText(file, text);
  EXPECT_EQ(file.GetLineErrorCount(), 1u);
  ASSERT_EQ(file.GetCount(), 3u);
  EXPECT_EQ(file.GetAt(0)->GetType(), ElementType::Line);
  EXPECT_EQ(file.GetAt(1)->GetType(), ElementType::Quad);
  // A good part after it skips its own block again.
  EXPECT_EQ(file.GetAt(2)->GetType(), ElementType::ArrowPlate);
}

TEST_F(GeneratedPartTest, OneOfEachKindRoundTrips) {
  auto model = std::make_unique<CQvFile>();
  model->Append(std::make_unique<CTlvRubberBelt>());
  model->Append(std::make_unique<CTlvSpring>());
  auto hose = std::make_unique<CTlvHose>();
  hose->ghost = true;
  model->Append(std::move(hose));
  auto arrow = std::make_unique<CTlvArrow>();
  arrow->ghost = true;
  arrow->SetColor(4);
  model->Append(std::move(arrow));
  auto plate = std::make_unique<CTlvPlate>();
  plate->hidden = true;
  plate->ghost = true;
  plate->Move(20, -8, 40, kMoveSet, 0, 0, 0);
  model->Append(std::move(plate));
  const std::string first = WriteText(*model);
  EXPECT_NE(first.find("0 GHOST 0 TOLVO FLEXHOSE"), std::string::npos);
  EXPECT_NE(first.find("0 GHOST 0 TOLVO HIDE 0 TOLVO PLATE 16 20 -8 40"), std::string::npos);
  auto back = LoadText(first);
  ASSERT_EQ(back->GetCount(), 5u);
  const ElementType types[] = {ElementType::RubberBelt, ElementType::Spring, ElementType::Hose,
                               ElementType::ArrowPlate, ElementType::ArrowPlate};
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(back->GetAt(i)->GetType(), types[i]) << i;
  EXPECT_FALSE(back->GetAt(1)->ghost);
  EXPECT_TRUE(back->GetAt(2)->ghost);
  EXPECT_TRUE(back->GetAt(3)->ghost);
  EXPECT_EQ(back->GetAt(3)->GetColor(), 4);
  EXPECT_TRUE(back->GetAt(4)->hidden);
  EXPECT_TRUE(back->GetAt(4)->ghost);
  EXPECT_FALSE(back->GetAt(0)->hidden);
  EXPECT_EQ(WriteText(*back), first);
}

TEST_F(GeneratedPartTest, ExportWritesOnlyTheFlattenedGeometry) {
  CTlvPlate plate;
  CTlvSpring spring;
  for (ExportFormat format : {ExportFormat::Primitives, ExportFormat::Normal})
    for (CQvPart* e : {static_cast<CQvPart*>(&plate), static_cast<CQvPart*>(&spring)}) {
      CArrayTextHandler out;
      ExportContext ctx;
      ctx.output = &out;
      ctx.format = format;
      ASSERT_EQ(e->Export(ctx, CVector3(), CMatrix3::Identity(), 16), 1);
      ASSERT_FALSE(out.GetLines().empty());
      for (const std::string& line : out.GetLines()) {
        ASSERT_FALSE(line.starts_with("0 TOLVO"));
        if (!line.starts_with("1 ")) continue;
        // A type 1 line names a library file, never the generator's own file.
        EXPECT_NE(line.find(".dat"), std::string::npos) << line;
      }
    }
  // The spring in a placement: its geometry moves with it.
  CArrayTextHandler out;
  ExportContext ctx;
  ctx.output = &out;
  ctx.format = ExportFormat::Normal;
  spring.SetColor(4);
  spring.Move(0, 100, 0, kMoveSet, 0, 0, 0);
  spring.Export(ctx, CVector3(), CMatrix3::Identity(), 16);
  EXPECT_EQ(out.GetLines()[0].substr(0, 12), "2 0 5 101 0 ");
  EXPECT_EQ(out.GetLines()[4].substr(0, 4), "4 4 ");
}

TEST_F(GeneratedPartTest, DescribeShowsThePlateAsAPlacedPart) {
  ElementDescription d;
  CTlvPlate plate;
  plate.Describe(d);
  EXPECT_EQ(d.typeFlags, 3u);
  EXPECT_EQ(d.text, "Plate");
  CTlvArrow arrow;
  arrow.ghost = true;
  arrow.Describe(d);
  EXPECT_EQ(d.typeFlags, 103u | kDescribeGhost);
  EXPECT_EQ(d.text, "Arrow");
  CTlvHose hose;
  hose.hidden = true;
  hose.Describe(d);
  EXPECT_EQ(d.typeFlags, 102u | kDescribeHidden);
  EXPECT_EQ(d.text, "Hidden");
  EXPECT_EQ(d.position, "0.000,0.000,0.000");
  EXPECT_FALSE(CTlvArrow().IsPartLike());
  EXPECT_TRUE(CTlvSpring().IsPartLike());
}

TEST_F(GeneratedPartTest, PlateStudsSurviveACloneButNotText) {
  CTlvPlate plate;
  PlateParams p;
  p.width = 2;
  p.length = 2;
  p.height = 8;
  p.studs = 0;
  ASSERT_TRUE(plate.SetFromDialog(p));
  auto clone = plate.Clone();
  EXPECT_EQ(static_cast<CTlvPlate&>(*clone).GetParams().studs, 0);
  EXPECT_EQ(static_cast<CTlvPlate&>(*clone).GetGeneratorFile().GetCount(), plate.GetGeneratorFile().GetCount());
  auto back = LoadText(WriteElement(plate));
  ASSERT_EQ(back->GetCount(), 1u);
  EXPECT_EQ(static_cast<CTlvPlate*>(back->GetAt(0))->GetParams().studs, 1);
  p.width = 0;
  EXPECT_FALSE(plate.SetFromDialog(p));
  EXPECT_EQ(plate.GetParams().width, 2);
}

struct SpringEditor : IElementEditor {
  bool EditComment(CommentEdit&) override { return false; }
  bool EditBfc(BfcEdit&) override { return false; }
  bool EditBackground(std::string&) override { return false; }
  bool EditBufExchg(BufExchgEdit&) override { return false; }
  bool EditGroup(GroupEdit&) override { return false; }
  bool EditSpring(SpringParams& p) override {
    seen = p.revolutions;
    p.revolutions = answer;
    return true;
  }
  double seen = 0, answer = 2;
};

TEST_F(GeneratedPartTest, EditGoesThroughTheEditor) {
  CTlvSpring spring;
  CQvFile owner;
  EXPECT_EQ(spring.Edit(owner), 0);  // no editor: cancelled
  SpringEditor editor;
  SetElementEditor(&editor);
  EXPECT_EQ(spring.Edit(owner), 2);
  EXPECT_EQ(editor.seen, 1);
  EXPECT_EQ(spring.GetGeneratorFile().GetCount(), 32u * 8 + 256u);
  editor.answer = 1e12;  // out of range: refused like a cancel
  EXPECT_EQ(spring.Edit(owner), 0);
  EXPECT_EQ(spring.GetParams().revolutions, 2);
  SetElementEditor(nullptr);
}

TEST_F(GeneratedPartTest, AnLDLiteTransformPlacesTheGeneratedPart) {
  auto file = LoadText("0 TRANSLATE 10 20 30\n0 TOLVO ARROW 16 1 0 0 1 0 0 0 1 0 0 0 1 10 4 12 40 3 30 0 2 16 16\n"
                       "0 TOLVO SKIP_BEGIN\n0 TOLVO SKIP_END\n");
  ASSERT_EQ(file->GetCount(), 1u);
  EXPECT_EQ(static_cast<CQvElement*>(file->GetAt(0))->GetPosition(), CVector3(11, 20, 30));
}

TEST_F(GeneratedPartTest, ExtentCoversTheGeometry) {
  CTlvSpring spring;
  CVector3 lo(1e200, 1e200, 1e200), hi(-1e200, -1e200, -1e200);
  spring.ExtendBoundingBox(CVector3(0, 100, 0), CMatrix3::Identity(), lo, hi, 1);
  EXPECT_NEAR(lo.y, 99, 1e-9);
  EXPECT_NEAR(hi.y, 121, 1e-9);
  EXPECT_NEAR(hi.x, 6, 1e-9);
  CVector3 center;
  ASSERT_EQ(spring.GetRotationCenter(center), 1);
  EXPECT_NEAR(center.y, 10, 1e-9);
}

}  // namespace
