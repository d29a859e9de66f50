#include "model/MinifigSlots.h"

namespace {
using List = std::vector<MinifigInfo>;

MinifigInfo I(const char* description, const char* file, CVector3 offset = {},
              CMatrix3 matrix = CMatrix3::Identity()) {
  MinifigInfo info;
  info.description = description;
  info.file = file;
  info.offset = offset;
  info.matrix = matrix;
  return info;
}

MinifigSlot S(const char* section, const char* label, int combo, int spin, ColorNumber color, int choice,
              int parent, CVector3 offset, CMatrix3 matrix, CVector3 axis, int amin, int amax, List choices) {
  MinifigSlot s;
  s.section = section;
  s.label = label;
  s.comboId = combo;
  s.spinId = spin;
  s.color = color;
  s.choice = choice;
  s.parent = parent;
  s.offset = offset;
  s.matrix = matrix;
  s.axis = axis;
  s.angleMin = amin;
  s.angleMax = amax;
  s.choices = std::move(choices);
  return s;
}

MinifigSlotTable MakeTable() {
  const CMatrix3 id = CMatrix3::Identity();
  const CMatrix3 leftArm(0.985, -0.17, 0, 0.17, 0.985, 0, 0, 0, 1);
  const CMatrix3 rightArm(0.985, 0.17, 0, -0.17, 0.985, 0, 0, 0, 1);
  const CMatrix3 hand(1, 0, 0, 0, 0.707, -0.707, 0, 0.707, 0.707);
  const CMatrix3 handAcc(1, 0, 0, 0, 0.97, -0.242, 0, 0.242, 0.97);
  const CVector3 none, y(0, 1, 0), x(1, 0, 0), z(0, 0, 1);
  const List hats = {I("None", ""),
                     I("Cap", "4485.dat"),
                     I("Construction Helmet", "3833.dat"),
                     I("Police hat", "3624.dat"),
                     I("Castle Helmet with Chin-Guard", "3896.DAT"),
                     I("Castle Helmet with Neck Protector", "3844.DAT"),
                     I("Helmet", "2446.DAT"),
                     I("Wizards Hat", "6131.DAT")};
  const List heads = {I("Stud Hollow", "3626B.dat"),
                      I("Stud Solid", "3626A.dat"),
                      I("Grin and Eyebrows Pattern", "3626BP05.dat"),
                      I("Grin and Pointed Moustache Pattern", "3626BP03.dat"),
                      I("Grin and Sunglasses Pattern", "3626BP04.dat"),
                      I("Grin Pattern", "3626BP01.dat"),
                      I("Woman Pattern", "3626BP02.dat")};
  const List necks = {I("None", ""), I("Jet pack", "4736.dat"), I("Vest", "3840.DAT")};
  const List bodies = {I("Plain", "973.dat"),
                       I("Airplane Logo Pattern", "973P16.DAT"),
                       I("Blacktron I Pattern", "973P52.DAT"),
                       I("Blacktron II Pattern", "973P51.DAT"),
                       I("Castle Chainmail Pattern", "973P41.DAT"),
                       I("Castle Red/Gray Pattern", "973P47.DAT"),
                       I("Dungarees Pattern", "973P11.DAT"),
                       I("Gold Ice Planet Pattern", "973P61.DAT"),
                       I("Horizontal Stripes Pattern", "973P15.DAT"),
                       I("MTron Logo Pattern", "973P68.DAT"),
                       I("Pirate Stripes Pattern (Blue/Cream)", "973P32.DAT"),
                       I("Pirate Stripes Pattern (Red/Black)", "973P33.DAT"),
                       I("Pirate Stripes Pattern (Red/Cream)", "973P31.DAT"),
                       I("Red V-Neck and Buttons Pattern", "973P17.DAT"),
                       I("Robot Pattern", "973P63.DAT"),
                       I("'S' Logo Pattern", "973P14.DAT"),
                       I("Shell Logo Pattern", "973P60.DAT"),
                       I("Silver Ice Planet Pattern", "973P62.DAT"),
                       I("Suit and Tie Pattern", "973P18.DAT"),
                       I("Train Chevron Pattern", "973P19.DAT"),
                       I("Vertical Striped Blue/Red Pattern", "973P02.DAT"),
                       I("Vertical Striped Red/Blue Pattern", "973P01.DAT")};
  const List hips = {I("Hips", "970.dat"), I("Robot Hips", "970P63.dat")};
  const List hands = {I("Hand", "983.dat")};
  const List handAccs = {I("None", ""), I("Knive", "37.dat"), I("Harpoon", "38.DAT", {0, 28, 0})};
  const List leftLegs = {I("Plain", "971.dat"), I("Robot", "971P63.dat"), I("Wooden", "773.dat")};
  const List rightLegs = {I("Plain", "972.dat"), I("Robot", "972P63.dat"),
                          I("Wooden", "773.dat", {}, CMatrix3(-1, 0, 0, 0, 1, 0, 0, 0, -1))};
  const List leftLegAccs = {I("None", ""), I("Flipper", "2599.dat", {-10, 28, 0}),
                            I("Ski", "6120.dat", {-10, 28, 0})};
  const List rightLegAccs = {I("None", ""), I("Flipper", "2599.dat", {10, 28, 0}),
                             I("Ski", "6120.dat", {10, 28, 0})};
  return {
      S("HATS", "Hat / Hairpiece:", 1374, 1394, 1, 1, 1, {0, 0, 0}, id, y, 0, 359, hats),
      S("HEAD", "Head:", 1375, 1395, 14, 2, -1, {0, -24, 0}, id, y, 0, 359, heads),
      S("NECK", "Neck:", 1376, 0, 0, 0, -1, {}, id, none, 0, 0, necks),
      S("BODY", "Torso:", 1377, 0, 0, 0, -1, {}, id, none, 0, 0, bodies),
      S("BODY2", "Hips:", 1404, 0, 0, 0, -1, {0, 32, 0}, id, none, 0, 0, hips),
      S("LARM", "Left arm:", 0, 1400, 0, 0, -1, {-15.552, 9, 0}, leftArm, x, 0, 359, {I("Right", "982.dat")}),
      S("RARM", "Right arm:", 0, 1401, 0, 0, -1, {15.552, 9, 0}, rightArm, x, 0, 359, {I("Left", "981.dat")}),
      S("LHAND", "Left hand:", 1405, 1402, 14, 0, 5, {-5.2, 18.761, -10.321}, hand, z, 0, 359, hands),
      S("RHAND", "Right hand:", 1406, 1403, 14, 0, 6, {5.2, 18.761, -10.321}, hand, z, 0, 359, hands),
      S("LHANDA", "Left hand accessories:", 1380, 1398, 0, 0, 7, {0, 0, -9}, handAcc, y, 0, 359, handAccs),
      S("RHANDA", "Right hand accessories:", 1381, 1399, 0, 0, 8, {0, 0, -9}, handAcc, y, 0, 359, handAccs),
      S("LLEG", "Left leg:", 1378, 1396, 0, 0, -1, {0, 44, 0}, id, x, -105, 65, leftLegs),
      S("RLEG", "Right leg:", 1379, 1397, 0, 0, -1, {0, 44, 0}, id, x, -105, 65, rightLegs),
      S("LLEGA", "Left leg accessories:", 1382, 0, 0, 0, 11, {}, id, none, 0, 0, leftLegAccs),
      S("RLEGA", "Right leg accessories:", 1383, 0, 0, 0, 12, {}, id, none, 0, 0, rightLegAccs),
  };
}
}  // namespace

const MinifigSlotTable& MinifigMasterTable() {
  static const MinifigSlotTable table = MakeTable();
  return table;
}
