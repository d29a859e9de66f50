#pragma once
// The fifteen body slots of the minifigure generator: their part choices, colours, places on the
// parent slot and the limits of their angles. The master table holds only built-in data; every
// generator works on its own copy.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "config/Geometry.h"
#include "model/QvPart.h"

// One choice of a slot. An empty file name is "nothing in this slot".
struct MinifigInfo {
  std::string description;
  std::string file;
  uint8_t color = 0;  // read from the ini file but not used for the figure
  CMatrix3 matrix = CMatrix3::Identity();
  CVector3 offset;
};

struct MinifigSlot {
  std::vector<MinifigInfo> choices;
  const char* section = "";
  const char* label = "";
  int comboId = 0;  // 0: the slot has no choice list in the dialog
  int spinId = 0;   // 0: the slot has no angle
  ColorNumber color = 0;
  CMatrix3 matrix = CMatrix3::Identity();
  CVector3 offset;
  CVector3 axis;
  int parent = -1;
  int angleMin = 0, angleMax = 0;
  int choice = 0;
  bool loaded = false;
};

inline constexpr int kMinifigSlotCount = 15;
enum : int {
  kSlotHats = 0,
  kSlotHead = 1,
  kSlotNeck = 2,
  kSlotLeftArm = 5,
  kSlotLeftHand = 7,
  kSlotLeftLeg = 11
};
// The colour buttons are these ids in slot order.
inline constexpr int kMinifigFirstColorButton = 1064;

using MinifigSlotTable = std::array<MinifigSlot, kMinifigSlotCount>;

// The built-in table with the built-in choice lists and default choices.
const MinifigSlotTable& MinifigMasterTable();
