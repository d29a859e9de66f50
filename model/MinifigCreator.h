#pragma once
// Assembles a minifigure: one part reference per body slot, each placed through its chain of
// parent slots (a hat follows the head, a hand its arm, an accessory its hand or leg). The part
// lists come from the ini file's slot sections, with the built-in lists where a section is missing.
#include <memory>
#include <string>
#include <vector>

#include "model/MinifigSlots.h"

class CIniFile;
class CQvElement;
class CQvFile;

class CMinifigCreator {
 public:
  CMinifigCreator();
  ~CMinifigCreator();
  CMinifigCreator(const CMinifigCreator&) = delete;
  CMinifigCreator& operator=(const CMinifigCreator&) = delete;

  // A choice line: "description" "file" colour a b c d e f g h i x y z. false when refused.
  static bool ParseInfoLine(const std::string& line, MinifigInfo& out);
  // Reads every slot's section; a missing ini file keeps every built-in list. 1 when it was open.
  int LoadAllInfos(CIniFile& ini);
  // One slot's section; refused lines are logged and skipped; without accepted lines the slot
  // keeps its list. The current choice is kept inside the list.
  void LoadInfos(CIniFile& ini, int slot);

  const MinifigSlot& GetSlot(int slot) const;
  // Out-of-range slots and values are ignored or clamped into the slot's limits.
  void SetChoice(int slot, int choice);
  void SetColor(int slot, ColorNumber color);
  // The angle in degrees about the slot's axis, clamped into its range; the slot's matrix becomes
  // the master matrix turned by it.
  void SetAngle(int slot, int degrees);
  int GetAngle(int slot) const;

  // The slot's frame in the figure: its parent's frame moved by the slot's offset and turned by its
  // matrix.
  void GetSlotPlacement(int slot, CMatrix3& matrix, CVector3& translation) const;
  // Gives the fifteen references their parts, colours and places.
  void BuildFigure();
  // The fifteen references, one per slot (slots without a part are hidden).
  CQvFile& GetFigure() { return *m_figure; }
  CQvElement* GetElement(int slot) const;
  // Copies the references that name a part into the model (hidden empty slots would be written as
  // lines without a name); returns how many.
  size_t TakeVisibleParts(CQvFile& out);
  // The chosen files the library does not have, after the last BuildFigure.
  const std::vector<std::string>& GetMissingParts() const { return m_missing; }

 private:
  static bool ValidSlot(int slot) { return slot >= 0 && slot < kMinifigSlotCount; }

  MinifigSlotTable m_slots;
  int m_angles[kMinifigSlotCount] = {};
  std::unique_ptr<CQvFile> m_figure;
  CQvElement* m_elements[kMinifigSlotCount] = {};
  std::vector<std::string> m_missing;
};
