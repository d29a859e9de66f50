// Editing a model: insertion defaults, copy and paste, sorting, automatic steps, grid snapping and
// the rotation centre.
#include <gtest/gtest.h>

#include "config/Settings.h"
#include "model/CopyBuffer.h"
#include "model/ElementEditor.h"
#include "model/ElementEnvironment.h"
#include "model/MpdFile.h"
#include "model/QvCommentPart.h"
#include "model/QvElement.h"
#include "model/QvFile.h"
#include "model/SelectionGroup.h"
#include "model/TlvSpring.h"
#include "tests/model/LibraryScope.h"
#include "tests/model/ModelText.h"
#include "tests/support/SettingsSnapshot.h"

namespace {

std::string Ref(int color, const std::string& name = "a.ldr", const std::string& y = "0") {
  return "1 " + std::to_string(color) + " 0 " + y + " 0 1 0 0 0 1 0 0 0 1 " + name + "\n";
}

class EditingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    theSettings.GridType = 0;
    theSettings.DefStep = CVector3(16, 16, 16);
    theSettings.UsePrevColor = 1;
    theSettings.UseDefMatrix = 0;
    theSettings.DefaultColor = 7;
  }
  void TearDown() override {
    CCopyBuffer::Clear();
  }
  CLibraryScope library{"", 0};
  SettingsSnapshot settings;
};

struct InsertCase {
  int32_t index;
  int32_t selected;  // -1: nothing selected
  int usePrevColor;
  size_t expectedIndex;
  ColorNumber expectedColor;
};

TEST_F(EditingTest, InsertionPlacementAndDefaultColour) {
  const InsertCase cases[] = {
      {1, -1, 1, 1, 4},    // before the element at the index; colour of the part at that place
      {2, -1, 1, 2, 1},    // before the second part: the nearest part at or before it is colour 1
      {-1, 1, 1, 2, 4},    // after the last selected element
      {-1, -1, 1, 4, 1},   // at the end
      {99, -1, 1, 4, 1},   // an index past the end: at the end
      {-1, -1, 0, 4, 7},   // without the previous colour: DefaultColor
      {0, -1, 1, 0, 7},    // nothing part-like at or before the place: DefaultColor
  };
  for (const InsertCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "index " << c.index << " selected " << c.selected);
    theSettings.UsePrevColor = c.usePrevColor;
    auto file = LoadText("0 head\n" + Ref(4) + Ref(1) + "0 tail\n");
    ASSERT_EQ(file->GetCount(), 4u);
    if (c.selected >= 0) file->Select(c.selected);
    auto element = std::make_unique<CQvElement>();
    CQvPart* raw = element.get();
    EXPECT_EQ(file->Insert(std::move(element), c.index, 1), c.expectedIndex);
    EXPECT_EQ(file->GetAt(c.expectedIndex), raw);
    EXPECT_EQ(raw->GetColor(), c.expectedColor);
  }
}

TEST_F(EditingTest, PastingTwiceGivesTwoIndependentSets) {
  auto file = LoadText(Ref(4) + Ref(1));
  file->SelectAll();
  file->CopySelected();
  ASSERT_EQ(CCopyBuffer::GetCount(), 2u);
  file->PasteFromCopyBuffer();
  ASSERT_EQ(file->GetCount(), 4u);
  EXPECT_EQ(file->GetSelectedCount(), 2u);
  EXPECT_EQ(file->GetSelectionOrder().size(), 2u);
  file->PasteFromCopyBuffer();
  ASSERT_EQ(file->GetCount(), 6u);
  EXPECT_EQ(CCopyBuffer::GetCount(), 2u);
  // Buffer order, consecutive, after the previous paste; all distinct elements.
  const ColorNumber expected[] = {4, 1, 4, 1, 4, 1};
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(file->GetAt(i)->GetColor(), expected[i]);
  EXPECT_NE(file->GetAt(2), file->GetAt(4));
  EXPECT_EQ(file->GetSelectedIndex(0), 4);
  EXPECT_EQ(file->GetSelectedIndex(1), 5);
}

TEST_F(EditingTest, SortingByColourDescendingKeepsOtherElementsAndTheSelection) {
  auto file = LoadText(Ref(4) + "0 between\n" + Ref(1) + Ref(15));
  file->Select(2);  // the colour 1 part
  ASSERT_EQ(file->SortParts(0, 0, 0), 1);
  EXPECT_EQ(file->GetAt(0)->GetColor(), 15);
  EXPECT_EQ(file->GetAt(1)->GetType(), ElementType::Comment);
  EXPECT_EQ(file->GetAt(2)->GetColor(), 4);
  EXPECT_EQ(file->GetAt(3)->GetColor(), 1);
  ASSERT_EQ(file->GetSelectedCount(), 1u);
  EXPECT_EQ(file->GetSelectedIndex(0), 3);
  EXPECT_TRUE(file->GetAt(3)->selected);
  // Deleting by the selection must take the selected element and no other.
  file->DeleteSelected();
  ASSERT_EQ(file->GetCount(), 3u);
  EXPECT_EQ(file->GetAt(2)->GetColor(), 4);
}

TEST_F(EditingTest, AutoStepsByHeight) {
  auto file = LoadText(Ref(4, "a.ldr", "0") + Ref(4, "a.ldr", "0") + Ref(4, "a.ldr", "-24") + Ref(4, "a.ldr", "-24"));
  int added = 0;
  ASSERT_EQ(file->AutoSteps(1, 0, added), 1);
  EXPECT_EQ(added, 1);
  ASSERT_EQ(file->GetCount(), 5u);
  EXPECT_EQ(file->GetAt(2)->GetType(), ElementType::Step);
}

TEST_F(EditingTest, AutoStepsByCountMakeNoEmptyStepAtARotationStep) {
  auto file = LoadText(Ref(4) + Ref(4) + "0 ROTSTEP 0 90 0 REL\n" + Ref(4) + Ref(4) + Ref(4));
  int added = 0;
  ASSERT_EQ(file->AutoSteps(0, 2, added), 1);
  EXPECT_EQ(added, 1);
  ASSERT_EQ(file->GetCount(), 7u);
  EXPECT_EQ(file->GetAt(2)->GetType(), ElementType::RotStep);
  EXPECT_EQ(file->GetAt(5)->GetType(), ElementType::Step);
  // No two step boundaries follow each other.
  for (size_t i = 1; i < file->GetCount(); ++i)
    EXPECT_FALSE(file->GetAt(i)->stepBoundary && file->GetAt(i - 1)->stepBoundary) << i;
  EXPECT_EQ(file->AutoSteps(0, 0, added), 0);
}

TEST_F(EditingTest, SnappingWithASingularPartMatrixFallsBackToUnturnedSnapping) {
  ASSERT_EQ(GetCurrentGridStep().x, 16);
  auto file = LoadText("1 4 5 0 0 0 0 0 0 1 0 0 0 1 a.ldr\n");
  file->Select(0);
  const CVector3 snapped = file->SnapToSelectionGrid(CVector3(7, 9, 30));
  EXPECT_DOUBLE_EQ(snapped.x, 0);
  EXPECT_DOUBLE_EQ(snapped.y, 16);
  EXPECT_DOUBLE_EQ(snapped.z, 32);
  // A turned part snaps in its own axes: here the same grid, so the same point.
  auto turned = LoadText("1 4 0 0 0 0 0 1 0 1 0 -1 0 0 a.ldr\n");
  turned->Select(0);
  const CVector3 t = turned->SnapToSelectionGrid(CVector3(7, 9, 30));
  EXPECT_NEAR(t.x, 0, 1e-9);
  EXPECT_NEAR(t.y, 16, 1e-9);
  EXPECT_NEAR(t.z, 32, 1e-9);
  EXPECT_EQ(LoadText(Ref(4))->SnapToSelectionGrid(CVector3(7, 9, 30)).y, 0);  // no selection
}

TEST_F(EditingTest, TheRotationCentreOfATurnedPartTurnsWithIt) {
  CMpdFile project;
  // b's extent runs from x 0 to 20: its centre is (10,0,0) in its own axes. a places it turned a
  // quarter about y, which carries (10,0,0) to (0,0,-10), at (100,0,0).
  const std::string text =
      "0 FILE a.ldr\n1 4 100 0 0 0 0 1 0 1 0 -1 0 0 b.ldr\n0\n0 FILE b.ldr\n2 24 0 0 0 20 0 0\n0\n0\n";
  ASSERT_EQ(LoadProjectText(project, text, "t.mpd"), 1);
  project.GetModel(1)->UpdateExtent();
  CQvFile& a = *project.GetModel(0);
  a.Select(0);
  a.GetRotationPoints().mode = CRotationPoints::kPartCenter;
  const CVector3 c = a.GetRotationCenter();
  EXPECT_NEAR(c.x, 100, 1e-9);
  EXPECT_NEAR(c.y, 0, 1e-9);
  EXPECT_NEAR(c.z, -10, 1e-9);
  a.GetRotationPoints().mode = CRotationPoints::kPartOrigin;
  EXPECT_NEAR(a.GetRotationCenter().x, 100, 1e-9);
  a.GetRotationPoints().mode = CRotationPoints::kWorldOrigin;
  EXPECT_NEAR(a.GetRotationCenter().x, 0, 1e-9);
}

TEST_F(EditingTest, ModePartRotationPointUsesThePartFilesOwnPoint) {
  CMpdFile project;
  // b's own rotation point is its custom point (50,0,0); its extent centre is (10,0,0). a places
  // b at (100,0,0), once unturned and once turned a quarter about y, which carries (50,0,0) to
  // (0,0,-50). c has a point but keeps the part-origin mode: its own point is the origin.
  const std::string text =
      "0 FILE a.ldr\n1 4 100 0 0 1 0 0 0 1 0 0 0 1 b.ldr\n1 4 100 0 0 0 0 1 0 1 0 -1 0 0 b.ldr\n"
      "1 4 100 0 0 1 0 0 0 1 0 0 0 1 c.ldr\n0\n"
      "0 FILE b.ldr\n0 ROTATION CENTER 50 0 0 1 \"P\" \n0 ROTATION CONFIG 1 0\n2 24 0 0 0 20 0 0\n0\n"
      "0 FILE c.ldr\n0 ROTATION CENTER 50 0 0 1 \"P\" \n2 24 0 0 0 20 0 0\n0\n0\n";
  ASSERT_EQ(LoadProjectText(project, text, "t.mpd"), 1);
  CQvFile& a = *project.GetModel(0);
  ASSERT_EQ(a.GetCount(), 3u);
  ASSERT_EQ(project.GetModel(1)->GetRotationPoints().mode, CRotationPoints::kFirstCustom);
  a.GetRotationPoints().mode = CRotationPoints::kPartRotationPoint;
  struct Case {
    size_t element;
    CVector3 centre;
  } cases[] = {{0, CVector3(150, 0, 0)}, {1, CVector3(100, 0, -50)}, {2, CVector3(100, 0, 0)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.element);
    a.SelectOnly(static_cast<int32_t>(c.element));
    const CVector3 centre = a.GetRotationCenter();
    EXPECT_NEAR(centre.x, c.centre.x, 1e-9);
    EXPECT_NEAR(centre.y, c.centre.y, 1e-9);
    EXPECT_NEAR(centre.z, c.centre.z, 1e-9);
  }
}

// Generated parts (here springs) are placed like references: every placement rule that looks for
// a part-like element finds them.
std::string Spring(const std::string& position, const std::string& matrix = "1 0 0 0 1 0 0 0 1") {
  return "0 TOLVO SPRING 16 " + position + " " + matrix + " 20 1 10 2 1 1\n";
}

TEST_F(EditingTest, GeneratedPartsArePlacedPartsForEveryPlacementRule) {
  theSettings.DefStep = CVector3(8, 16, 24);
  const std::string quarter = "0 0 1 0 1 0 -1 0 0";  // a quarter turn about y
  auto file = LoadText(Ref(4) + Spring("40 -24 0", quarter) + "0 after\n");
  ASSERT_EQ(file->GetCount(), 3u);
  ASSERT_EQ(file->GetAt(1)->GetType(), ElementType::Spring);

  // Default orientation and previous position come from the spring, the nearest part before.
  EXPECT_EQ(file->GetDefaultMatrixAt(2).m, static_cast<CQvElement*>(file->GetAt(1))->GetMatrix().m);
  EXPECT_EQ(file->GetDefaultMatrixAt(2).m, CMatrix3(0, 0, 1, 0, 1, 0, -1, 0, 0).m);
  EXPECT_NEAR(file->GetPreviousPartPosition(2).x, 40, 1e-9);

  // Grid turning: the grid step (8,16,24) in the spring's axes is (24,16,8).
  file->Select(1);
  const CVector3 step = file->GetSelectionGridStep();
  EXPECT_NEAR(step.x, 24, 1e-9);
  EXPECT_NEAR(step.y, 16, 1e-9);
  EXPECT_NEAR(step.z, 8, 1e-9);

  // The rotation centre in part-origin mode is the spring's position.
  file->GetRotationPoints().mode = CRotationPoints::kPartOrigin;
  EXPECT_NEAR(file->GetRotationCenter().x, 40, 1e-9);
  EXPECT_NEAR(file->GetRotationCenter().y, -24, 1e-9);

  // Automatic steps by height: the spring stands higher than the reference before it.
  int added = 0;
  ASSERT_EQ(file->AutoSteps(1, 0, added), 1);
  EXPECT_EQ(added, 1);
  ASSERT_EQ(file->GetCount(), 4u);
  EXPECT_EQ(file->GetAt(1)->GetType(), ElementType::Step);

  // Inserted with defaults, a spring is snapped to the grid like a reference.
  auto plain = LoadText(Ref(4));
  auto spring = std::make_unique<CTlvSpring>();
  spring->SetPosition(CVector3(5, 0, 0));
  CTlvSpring* raw = spring.get();
  plain->Insert(std::move(spring), -1, 1);
  EXPECT_NEAR(raw->GetPosition().x, 8, 1e-9);
}

TEST_F(EditingTest, SelectSimilarWithoutExactlyOneSelectedOnlySelectsAll) {
  struct Case {
    int byColor, all, result;
    size_t selected;
  } cases[] = {{0, 0, 0, 2}, {1, 0, 0, 2}, {1, 1, 0, 2}, {0, 1, 1, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "by colour " << c.byColor << " all " << c.all);
    auto file = LoadText(Ref(4) + Ref(4) + Ref(4) + "0 c\n");
    file->Select(0);
    file->Select(1);
    EXPECT_EQ(file->SelectSimilar(c.byColor, c.all), c.result);
    EXPECT_EQ(file->GetSelectedCount(), c.selected);
  }
}

TEST_F(EditingTest, SelectSimilarAndNeighbours) {
  auto file = LoadText(Ref(4, "a.ldr") + Ref(1, "a.ldr") + Ref(4, "b.ldr") + "0 c\n");
  file->Select(0);
  EXPECT_EQ(file->SelectSimilar(0, 0), 1);  // the same part in any colour
  EXPECT_EQ(file->GetSelectedCount(), 2u);
  EXPECT_TRUE(file->GetAt(1)->selected);
  file->SelectOnly(0);
  EXPECT_EQ(file->SelectSimilar(1, 0), 1);  // the same colour
  EXPECT_TRUE(file->GetAt(2)->selected);
  EXPECT_FALSE(file->GetAt(1)->selected);
  EXPECT_EQ(file->FindNeighbour(0, 2), 0);
  EXPECT_EQ(file->FindNeighbour(1, 2), 1);
  EXPECT_EQ(file->FindNeighbour(2, 2), 3);
  EXPECT_EQ(file->FindNeighbour(3, 0), 3);
  EXPECT_EQ(file->FindNeighbour(2, 9), 3);  // past the end: the last
  EXPECT_EQ(file->FindNeighbour(1, 9), 0);  // past the end: the first
}

TEST_F(EditingTest, MoveRecolourHideAndGhostTheSelection) {
  auto file = LoadText(Ref(4) + Ref(1));
  file->Select(1);
  file->MoveSelected(1, 0, 0, 0);  // one grid step
  EXPECT_DOUBLE_EQ(static_cast<CQvElement*>(file->GetAt(1))->GetPosition().x, 16);
  EXPECT_DOUBLE_EQ(static_cast<CQvElement*>(file->GetAt(0))->GetPosition().x, 0);
  file->SetColorOfSelected(2);
  file->SetGhostOfSelected(true);
  EXPECT_EQ(file->GetAt(1)->GetColor(), 2);
  EXPECT_TRUE(file->GetAt(1)->ghost);
  file->SetHiddenOfSelected(true, 1);
  EXPECT_TRUE(file->GetAt(0)->hidden);
  EXPECT_TRUE(file->GetAt(1)->hidden);
}

TEST_F(EditingTest, LSynthMarkersAndBlocks) {
  EXPECT_EQ(CQvFile::ClassifyLSynthLine("SYNTH BEGIN TECHNIC_CHAIN_LINK 16"), 1);
  EXPECT_EQ(CQvFile::ClassifyLSynthLine("synth end"), 2);
  EXPECT_EQ(CQvFile::ClassifyLSynthLine("SYNTH SYNTHESIZED BEGIN"), 3);
  EXPECT_EQ(CQvFile::ClassifyLSynthLine("SYNTH SYNTHESIZED END"), 4);
  EXPECT_EQ(CQvFile::ClassifyLSynthLine("SYNTHESIZED"), 0);
  EXPECT_EQ(CQvFile::ClassifyLSynthLine("hello"), 0);
  const std::string good = "0 SYNTH BEGIN X 16\n" + Ref(4) + "0 SYNTH SYNTHESIZED BEGIN\n" + Ref(1) +
                           "0 SYNTH SYNTHESIZED END\n0 SYNTH END\n" + Ref(2);
  auto file = LoadText(good);
  EXPECT_EQ(file->CheckLSynthBlocks(), 1);
  ASSERT_EQ(file->HideLSynthParts(1), 1);
  EXPECT_TRUE(file->GetAt(1)->hidden);
  EXPECT_FALSE(file->GetAt(3)->hidden);
  EXPECT_FALSE(file->GetAt(6)->hidden);  // outside every block
  ASSERT_EQ(file->HideLSynthParts(2), 1);
  EXPECT_FALSE(file->GetAt(1)->hidden);
  EXPECT_TRUE(file->GetAt(3)->hidden);
  EXPECT_EQ(file->HideLSynthParts(0), 1);
  EXPECT_FALSE(file->GetAt(3)->hidden);
  EXPECT_EQ(LoadText(Ref(4))->CheckLSynthBlocks(), 0);  // no definition block
  auto nested = LoadText("0 SYNTH BEGIN X 16\n0 SYNTH BEGIN Y 16\n" + Ref(4) + "0 SYNTH END\n0 SYNTH END\n");
  EXPECT_EQ(nested->CheckLSynthBlocks(), 0);
  EXPECT_EQ(nested->HideLSynthParts(3), 0);
  EXPECT_EQ(LoadText("0 SYNTH BEGIN X 16\n" + Ref(4))->CheckLSynthBlocks(), 0);  // never closed
}

TEST_F(EditingTest, MovingTheSelectionInTheList) {
  auto file = LoadText(Ref(1) + Ref(2) + Ref(3) + Ref(4));
  EXPECT_EQ(file->MoveSelectionBefore(0), 0);  // nothing selected
  file->Select(3);
  file->Select(2);
  ASSERT_EQ(file->MoveSelectionBefore(1), 1);  // in selection order, before the colour 2 part
  const ColorNumber expected[] = {1, 4, 3, 2};
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(file->GetAt(i)->GetColor(), expected[i]);
  EXPECT_EQ(file->GetSelectedIndex(0), 1);
  EXPECT_EQ(file->GetSelectedIndex(1), 2);
  ASSERT_EQ(file->MoveSelectionBefore(-1), 1);  // to the end
  EXPECT_EQ(file->GetAt(3)->GetColor(), 3);
  EXPECT_EQ(file->GetSelectedIndex(0), 2);
  EXPECT_EQ(file->GetPreviousPartPosition(99).x, 0);
  file->SelectAll();
  EXPECT_EQ(file->MoveSelectionBefore(0), 0);  // everything selected
}

class CGroupNamer : public IElementEditor {
 public:
  CGroupNamer() { SetElementEditor(this); }
  ~CGroupNamer() override { SetElementEditor(nullptr); }
  bool EditComment(CommentEdit&) override { return false; }
  bool EditBfc(BfcEdit&) override { return false; }
  bool EditBackground(std::string&) override { return false; }
  bool EditBufExchg(BufExchgEdit&) override { return false; }
  bool EditGroup(GroupEdit& data) override {
    if (names.empty()) return false;
    data.name = names.front();
    names.erase(names.begin());
    return true;
  }
  std::vector<std::string> names;
};

TEST_F(EditingTest, GroupingTakesTheSelectionAndDissolvesSelectedGroups) {
  CGroupNamer namer;
  auto file = LoadText(Ref(4) + Ref(1) + Ref(2) + "0 x\n");
  EXPECT_EQ(file->GroupSelected(), 0);  // nothing selected
  file->Select(0);
  file->Select(1);
  EXPECT_EQ(file->GroupSelected(), 0);  // the dialog cancelled
  EXPECT_EQ(file->GetCount(), 4u);
  namer.names = {"first", "second"};
  ASSERT_EQ(file->GroupSelected(), 1);
  ASSERT_EQ(file->GetCount(), 5u);
  ASSERT_EQ(file->GetAt(2)->GetType(), ElementType::Group);  // right after the last member
  auto* first = static_cast<CSelectionGroup*>(file->GetAt(2));
  EXPECT_EQ(first->GetName(), "first");
  EXPECT_EQ(first->GetMembers().size(), 2u);
  EXPECT_EQ(file->GetSelectedCount(), 3u);
  // Selecting the third part too: the old group is dissolved, the new one holds all three parts.
  file->Select(3);
  ASSERT_EQ(file->GroupSelected(), 1);
  ASSERT_EQ(file->GetCount(), 5u);
  ASSERT_EQ(file->GetAt(3)->GetType(), ElementType::Group);
  auto* second = static_cast<CSelectionGroup*>(file->GetAt(3));
  EXPECT_EQ(second->GetName(), "second");
  EXPECT_EQ(second->GetMembers().size(), 3u);
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(file->GetAt(i)->GetGroup(), second);
  EXPECT_NE(WriteText(*file).find("0 GROUP 3 second"), std::string::npos) << WriteText(*file);
  ElementDescription d;
  EXPECT_EQ(file->DescribeElementAt(0, d), 0);  // a member: not in the line list
  EXPECT_EQ(file->DescribeElementAt(3, d), 1);
  EXPECT_EQ(d.text, "second");
  EXPECT_EQ(file->DescribeElementAt(9, d), 0);
  namer.names = {"renamed"};
  EXPECT_EQ(file->EditSelected(), 1);  // the whole selection is one group: its dialog
  EXPECT_EQ(second->GetName(), "renamed");
  file->UngroupSelected();
  EXPECT_EQ(file->GetCount(), 4u);
  EXPECT_EQ(file->GetSelectedCount(), 3u);
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(file->GetAt(i)->GetGroup(), nullptr);
}

}  // namespace

namespace {

TEST_F(EditingTest, NewPartsTakeTheOrientationAtTheInsertionPoint) {
  CQvFile file;
  ReadText(file, Ref(4, "a.ldr") + "1 4 0 0 0 0 0 1 0 1 0 -1 0 0 a.ldr\n0 comment\n");
  const CMatrix3 turned(0, 0, 1, 0, 1, 0, -1, 0, 0);
  EXPECT_FALSE(file.GetMatrixForNewPart().Differs(turned)) << "no selection: the last part before the end";
  file.SelectOnly(0);
  EXPECT_FALSE(file.GetMatrixForNewPart().Differs(CMatrix3::Identity())) << "the last selected element";
  theSettings.UseDefMatrix = 1;
  file.ClearSelection();
  EXPECT_FALSE(file.GetMatrixForNewPart().Differs(CMatrix3::Identity()));
  CQvFile empty;
  EXPECT_FALSE(empty.GetMatrixForNewPart().Differs(CMatrix3::Identity()));
}

TEST_F(EditingTest, AddTriangleAppendsItsCornersInOrder) {
  CQvFile file;
  ReadText(file, "0 surface\n");
  EXPECT_EQ(file.AddTriangle({0, -8, 20}, {20, 0, 0}, {20, -16, 20}, 2), 1u);
  const std::string text = WriteText(file);
  EXPECT_TRUE(text.ends_with("\n3 2 0 -8 20 20 0 0 20 -16 20\n0\n")) << text;
}

}  // namespace
