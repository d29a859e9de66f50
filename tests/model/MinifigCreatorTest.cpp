// The minifigure generator: the ini choice lines, the slot sections with their fall-back lists,
// and where the parts of the figure end up for the default figure, the neck lift and the angles.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "LibraryScope.h"
#include "config/IniFile.h"
#include "config/Tracer.h"
#include "model/MinifigCreator.h"
#include "model/QvElement.h"
#include "model/QvFile.h"
#include "support/LogCaptureScope.h"
#include "support/TestData.h"

namespace fs = std::filesystem;

namespace {

// The parts of the default figure and the few others the cases choose, names in mixed case.
struct FigureLibrary {
  FigureLibrary() {
    fs::create_directories(dir / "parts");
    for (const char* name : {"4485.dat", "3626bp05.DAT", "973.dat", "970.dat", "982.dat", "981.DAT",
                             "983.dat", "971.dat", "972.dat", "4736.dat", "2599.dat", "38.dat", "3626b.dat"})
      WriteFileBytes(dir / (std::string("parts/") + name), "0 part\n2 24 0 0 0 0 1 0\n");
  }
  CScratchDir dir;
};

void ExpectNear(const CVector3& got, const CVector3& want) {
  EXPECT_NEAR(got.x, want.x, 1e-4);
  EXPECT_NEAR(got.y, want.y, 1e-4);
  EXPECT_NEAR(got.z, want.z, 1e-4);
}

void ExpectNear(const CMatrix3& got, const CMatrix3& want) {
  for (int i = 0; i < 9; ++i) EXPECT_NEAR(got.m[i], want.m[i], 1e-4) << "entry " << i;
}

CMatrix3 AboutX(double degrees) {
  const double r = degrees * M_PI / 180, c = std::cos(r), s = std::sin(r);
  return {1, 0, 0, 0, c, -s, 0, s, c};
}

CMatrix3 AboutZ(double degrees) {
  const double r = degrees * M_PI / 180, c = std::cos(r), s = std::sin(r);
  return {c, -s, 0, s, c, 0, 0, 0, 1};
}

}  // namespace

TEST(MinifigCreator, ParsesChoiceLines) {
  struct Case {
    const char* line;
    bool ok;
    const char* description;
    const char* file;
    int color;
  };
  const Case cases[] = {
      {"\"Cap\" \"4485.dat\" 4 1 0 0 0 1 0 0 0 1 0 -2 0", true, "Cap", "4485.dat", 4},
      {"\"Cap\" junk here \"4485.dat\" 4 1 0 0 0 1 0 0 0 1 0 0 0", true, "Cap", "4485.dat", 4},
      {"\"None\" \"\" 0 1 0 0 0 1 0 0 0 1 0 0 0", true, "None", "", 0},
      {"\"Big\" \"x.dat\" 300 1 0 0 0 1 0 0 0 1 0 0 0", true, "Big", "x.dat", 44},
      {"\"Cap\" \"4485.dat\" 4 1 0 0 0 1 0 0 0 1 0 0", false, "", "", 0},  // twelve numbers
      {"Cap \"4485.dat\" 4 1 0 0 0 1 0 0 0 1 0 0 0", false, "", "", 0},
      {"\"Cap\" \"4485.dat 4 1 0 0 0 1 0 0 0 1 0 0 0", false, "", "", 0},
      {"\"Cap", false, "", "", 0},
      {"\"Cap\" \"4485.dat\" 4 nan 0 0 0 1 0 0 0 1 0 0 0", false, "", "", 0},
  };
  for (const Case& c : cases) {
    MinifigInfo info;
    ASSERT_EQ(CMinifigCreator::ParseInfoLine(c.line, info), c.ok) << c.line;
    if (!c.ok) continue;
    EXPECT_EQ(info.description, c.description);
    EXPECT_EQ(info.file, c.file);
    EXPECT_EQ(info.color, c.color);
  }
  MinifigInfo info;
  ASSERT_TRUE(CMinifigCreator::ParseInfoLine("\"A\" \"a.dat\" 1 1 2 3 4 5 6 7 8 9 10 11 12", info));
  ExpectNear(info.matrix, CMatrix3(1, 2, 3, 4, 5, 6, 7, 8, 9));
  ExpectNear(info.offset, CVector3(10, 11, 12));
}

TEST(MinifigCreator, SectionsReplaceBuiltInListsAndBadLinesAreLogged) {
  CLogCaptureScope log("MinifigTest");
  CScratchDir dir;
  WriteFileBytes(dir / "test.ini",
                 "[HEAD]\n"
                 "\"Only head\" \"3626b.dat\" 14 1 0 0 0 1 0 0 0 1 0 0 0\n"
                 "[NECK]\n"
                 "\"Bad\" \"4736.dat\" 0 1 0 0 0 1 0 0 0 1 0 0\n"
                 "[BODY]\n"
                 "; comment only\n");
  CIniFile ini(dir / "test.ini");
  CMinifigCreator creator;
  ASSERT_EQ(creator.LoadAllInfos(ini), 1);
  // HEAD: one line replaces the seven built-in heads; the default choice 2 must come back inside.
  ASSERT_EQ(creator.GetSlot(kSlotHead).choices.size(), 1u);
  EXPECT_TRUE(creator.GetSlot(kSlotHead).loaded);
  EXPECT_EQ(creator.GetSlot(kSlotHead).choice, 0);
  // NECK: its only line is refused (line 4 of the file), so the built-in list stays.
  EXPECT_EQ(creator.GetSlot(kSlotNeck).choices.size(), 3u);
  EXPECT_FALSE(creator.GetSlot(kSlotNeck).loaded);
  EXPECT_NE(log.Text().find("ERROR: Invalid line format in Plandor.ini line 4!\n"), std::string::npos)
      << log.Text();
  // BODY: an empty section keeps its list silently; HATS has no section and is warned about.
  EXPECT_EQ(creator.GetSlot(3).choices.size(), 22u);
  EXPECT_EQ(log.Text().find("Section BODY not found"), std::string::npos);
  EXPECT_NE(log.Text().find("WARNING: Section HATS not found in Plandor.ini!\n"), std::string::npos);
  EXPECT_EQ(creator.GetSlot(kSlotHats).choices.size(), 8u);
  creator.BuildFigure();  // would read past the one-entry HEAD list with the built-in default
  EXPECT_EQ(creator.GetElement(kSlotHead)->GetFileName(), "3626b.dat");
}

TEST(MinifigCreator, MissingIniFileKeepsEveryBuiltInList) {
  CIniFile ini("/nonexistent/Plandor.ini");
  CMinifigCreator creator;
  EXPECT_EQ(creator.LoadAllInfos(ini), 0);
  EXPECT_EQ(creator.GetSlot(kSlotHats).choices[1].file, "4485.dat");
  EXPECT_EQ(creator.GetSlot(kSlotHead).choices[2].description, "Grin and Eyebrows Pattern");
}

TEST(MinifigCreator, DefaultFigurePlacesEachPartAtItsSlot) {
  FigureLibrary lib;
  CLibraryScope library(lib.dir.Path(), 0);
  CMinifigCreator creator;
  creator.BuildFigure();
  struct Expected {
    int slot;
    const char* file;  // nullptr: hidden
    ColorNumber color;
    CVector3 position;
  };
  // Positions from the slot offsets: the hat sits on the head, a hand at the arm's offset turned
  // by the arm's matrix, the hand accessories further along the hand.
  const CVector3 leftHand(-15.552 + 0.985 * -5.2 + -0.17 * 18.761, 9 + 0.17 * -5.2 + 0.985 * 18.761, -10.321);
  const CVector3 rightHand(15.552 + 0.985 * 5.2 + 0.17 * 18.761, 9 + -0.17 * 5.2 + 0.985 * 18.761, -10.321);
  const Expected table[] = {
      {0, "4485.dat", 1, {0, -24, 0}},
      {1, "3626BP05.dat", 14, {0, -24, 0}},
      {2, nullptr, 0, {0, 0, 0}},
      {3, "973.dat", 0, {0, 0, 0}},
      {4, "970.dat", 0, {0, 32, 0}},
      {5, "982.dat", 0, {-15.552, 9, 0}},
      {6, "981.dat", 0, {15.552, 9, 0}},
      {7, "983.dat", 14, leftHand},
      {8, "983.dat", 14, rightHand},
      {9, nullptr, 0, {}},
      {10, nullptr, 0, {}},
      {11, "971.dat", 0, {0, 44, 0}},
      {12, "972.dat", 0, {0, 44, 0}},
      {13, nullptr, 0, {}},
      {14, nullptr, 0, {}},
  };
  for (const Expected& e : table) {
    SCOPED_TRACE(e.slot);
    const CQvElement* r = creator.GetElement(e.slot);
    EXPECT_EQ(r->GetColor(), e.color);
    EXPECT_EQ(r->hidden, e.file == nullptr);
    if (!e.file) continue;
    EXPECT_EQ(r->GetFileName(), e.file);
    EXPECT_FALSE(r->IsFileMissing());
    ExpectNear(r->GetPosition(), e.position);
  }
  ExpectNear(creator.GetElement(7)->GetMatrix(), CMatrix3(0.985, -0.17 * 0.707, 0.17 * 0.707, 0.17,
                                                          0.985 * 0.707, -0.985 * 0.707, 0, 0.707, 0.707));
  EXPECT_TRUE(creator.GetMissingParts().empty());
  CQvFile out;
  EXPECT_EQ(creator.TakeVisibleParts(out), 10u);  // the five empty slots are not inserted
}

TEST(MinifigCreator, NeckPartLiftsHatAndHeadOnceAndAMissingPartIsListed) {
  FigureLibrary lib;
  CLibraryScope library(lib.dir.Path(), 0);
  CMinifigCreator creator;
  creator.SetChoice(kSlotNeck, 1);  // Jet pack
  creator.BuildFigure();
  creator.BuildFigure();
  ExpectNear(creator.GetElement(kSlotHats)->GetPosition(), CVector3(0, -27, 0));
  ExpectNear(creator.GetElement(kSlotHead)->GetPosition(), CVector3(0, -27, 0));
  EXPECT_FALSE(creator.GetElement(kSlotNeck)->hidden);
  creator.SetChoice(kSlotNeck, 2);  // Vest: not in this library
  creator.BuildFigure();
  ASSERT_EQ(creator.GetMissingParts().size(), 1u);
  EXPECT_EQ(creator.GetMissingParts()[0], "3840.DAT");
  creator.SetChoice(kSlotNeck, 0);
  creator.BuildFigure();
  ExpectNear(creator.GetElement(kSlotHead)->GetPosition(), CVector3(0, -24, 0));
  EXPECT_TRUE(creator.GetElement(kSlotNeck)->hidden);
}

TEST(MinifigCreator, AnglesTurnChildrenWithTheirParentsAndStayInRange) {
  FigureLibrary lib;
  CLibraryScope library(lib.dir.Path(), 0);
  CMinifigCreator creator;
  creator.SetChoice(13, 1);  // Flipper on the left leg
  creator.SetChoice(9, 2);   // Harpoon in the left hand
  creator.SetAngle(kSlotLeftLeg, -105);
  creator.SetAngle(kSlotLeftHand, 90);
  creator.SetAngle(kSlotLeftArm, 400);  // clamped to 359
  EXPECT_EQ(creator.GetAngle(kSlotLeftArm), 359);
  creator.SetAngle(kSlotLeftArm, 0);
  creator.BuildFigure();
  const CMatrix3 leg = AboutX(-105);
  ExpectNear(creator.GetElement(kSlotLeftLeg)->GetMatrix(), leg);
  ExpectNear(creator.GetElement(kSlotLeftLeg)->GetPosition(), CVector3(0, 44, 0));
  ExpectNear(creator.GetElement(13)->GetMatrix(), leg);
  ExpectNear(creator.GetElement(13)->GetPosition(), CVector3(0, 44, 0) + leg * CVector3(-10, 28, 0));
  // The hand turns about its own z axis after the arm's and its own fixed tilt.
  const CMatrix3 arm(0.985, -0.17, 0, 0.17, 0.985, 0, 0, 0, 1);
  const CMatrix3 tilt(1, 0, 0, 0, 0.707, -0.707, 0, 0.707, 0.707);
  const CMatrix3 hand = arm * tilt * AboutZ(90);
  ExpectNear(creator.GetElement(kSlotLeftHand)->GetMatrix(), hand);
  const CVector3 handAt = CVector3(-15.552, 9, 0) + arm * CVector3(-5.2, 18.761, -10.321);
  ExpectNear(creator.GetElement(kSlotLeftHand)->GetPosition(), handAt);
  const CMatrix3 accTilt(1, 0, 0, 0, 0.97, -0.242, 0, 0.242, 0.97);
  ExpectNear(creator.GetElement(9)->GetPosition(),
             handAt + hand * CVector3(0, 0, -9) + hand * accTilt * CVector3(0, 28, 0));
  // Out-of-range slots and choices change nothing.
  creator.SetChoice(kSlotHats, 99);
  creator.SetChoice(99, 0);
  creator.SetAngle(-1, 10);
  EXPECT_EQ(creator.GetSlot(kSlotHats).choice, 1);
}
