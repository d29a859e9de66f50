#include "model/MinifigCreator.h"

#include <algorithm>
#include <cmath>

#include "config/IniFile.h"
#include "config/Settings.h"
#include "config/Tracer.h"
#include "model/QvElement.h"
#include "model/QvFile.h"
#include "platform/Numbers.h"

CMinifigCreator::CMinifigCreator() : m_slots(MinifigMasterTable()), m_figure(std::make_unique<CQvFile>()) {
  for (int s = 0; s < kMinifigSlotCount; ++s) {
    auto element = std::make_unique<CQvElement>();
    m_elements[s] = element.get();
    m_figure->Append(std::move(element));
  }
}

CMinifigCreator::~CMinifigCreator() = default;

bool CMinifigCreator::ParseInfoLine(const std::string& line, MinifigInfo& out) {
  if (line.empty() || line[0] != '"') return false;
  const size_t descEnd = line.find('"', 1);
  if (descEnd == std::string::npos) return false;
  const size_t fileStart = line.find('"', descEnd + 1);
  if (fileStart == std::string::npos) return false;
  const size_t fileEnd = line.find('"', fileStart + 1);
  if (fileEnd == std::string::npos) return false;
  unsigned long color = 0;
  double v[12];
  const std::string numbers = line.substr(fileEnd + 1);
  if (StrScanf(numbers.c_str(), "%lu %lg %lg %lg %lg %lg %lg %lg %lg %lg %lg %lg %lg", &color, &v[0], &v[1],
               &v[2], &v[3], &v[4], &v[5], &v[6], &v[7], &v[8], &v[9], &v[10], &v[11]) != 13)
    return false;
  // A "nan" would reach the geometry of every later build.
  for (double d : v)
    if (!std::isfinite(d)) return false;
  out.description = line.substr(1, descEnd - 1);
  out.file = line.substr(fileStart + 1, fileEnd - fileStart - 1);
  out.color = static_cast<uint8_t>(color & 0xff);
  out.matrix = CMatrix3(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]);
  out.offset = CVector3(v[9], v[10], v[11]);
  return true;
}

int CMinifigCreator::LoadAllInfos(CIniFile& ini) {
  if (!ini.IsOpen()) return 0;
  for (int s = 0; s < kMinifigSlotCount; ++s) LoadInfos(ini, s);
  return 1;
}

void CMinifigCreator::LoadInfos(CIniFile& ini, int slot) {
  if (!ValidSlot(slot) || !ini.IsOpen()) return;
  MinifigSlot& target = m_slots[static_cast<size_t>(slot)];
  const int count = ini.FindSection(target.section);
  if (!ini.SectionFound()) {
    theTracer.Printf("WARNING: Section %s not found in %s!\n", target.section, CIniFile::kFileName);
    return;
  }
  if (count <= 0) return;
  std::vector<MinifigInfo> list;
  std::string line;
  for (int i = 0; i < count && ini.NextLine(line); ++i) {
    MinifigInfo info;
    if (ParseInfoLine(line, info))
      list.push_back(std::move(info));
    else
      theTracer.Printf("ERROR: Invalid line format in %s line %ld!\n", CIniFile::kFileName,
                       static_cast<long>(ini.GetLineNumber()));
  }
  if (list.empty()) return;
  target.choices = std::move(list);
  target.loaded = true;
  // The default choice belongs to the built-in list; a shorter section must not be read past.
  target.choice = std::clamp(target.choice, 0, static_cast<int>(target.choices.size()) - 1);
}

const MinifigSlot& CMinifigCreator::GetSlot(int slot) const {
  return m_slots[static_cast<size_t>(std::clamp(slot, 0, kMinifigSlotCount - 1))];
}

void CMinifigCreator::SetChoice(int slot, int choice) {
  if (!ValidSlot(slot)) return;
  MinifigSlot& s = m_slots[static_cast<size_t>(slot)];
  if (choice < 0 || choice >= static_cast<int>(s.choices.size())) return;
  s.choice = choice;
}

void CMinifigCreator::SetColor(int slot, ColorNumber color) {
  if (ValidSlot(slot)) m_slots[static_cast<size_t>(slot)].color = color;
}

void CMinifigCreator::SetAngle(int slot, int degrees) {
  if (!ValidSlot(slot)) return;
  MinifigSlot& s = m_slots[static_cast<size_t>(slot)];
  if (!s.spinId) return;
  degrees = std::clamp(degrees, s.angleMin, s.angleMax);
  m_angles[slot] = degrees;
  CMatrix3 rotation;
  rotation.SetAxisAngle(s.axis, degrees);
  // Always from the master matrix, so that angles do not add up over changes.
  s.matrix = MinifigMasterTable()[static_cast<size_t>(slot)].matrix * rotation;
}

int CMinifigCreator::GetAngle(int slot) const { return ValidSlot(slot) ? m_angles[slot] : 0; }

void CMinifigCreator::GetSlotPlacement(int slot, CMatrix3& matrix, CVector3& translation) const {
  matrix = CMatrix3::Identity();
  translation = CVector3();
  // Parents come before nothing in particular: follow the chain from the root (at most 15 deep,
  // which also stops a table with a loop).
  int chain[kMinifigSlotCount];
  int depth = 0;
  for (int s = slot; ValidSlot(s) && depth < kMinifigSlotCount; s = m_slots[static_cast<size_t>(s)].parent)
    chain[depth++] = s;
  for (int i = depth - 1; i >= 0; --i) {
    const MinifigSlot& s = m_slots[static_cast<size_t>(chain[i])];
    translation = translation + matrix * s.offset;
    matrix = matrix * s.matrix;
  }
}

void CMinifigCreator::BuildFigure() {
  m_missing.clear();
  for (int s = 0; s < kMinifigSlotCount; ++s) {
    const MinifigSlot& slot = m_slots[static_cast<size_t>(s)];
    CQvElement& r = *m_elements[s];
    r.SetColor(slot.color);
    if (slot.choices.empty()) {
      r.hidden = true;
      continue;
    }
    const int index = std::clamp(slot.choice, 0, static_cast<int>(slot.choices.size()) - 1);
    const MinifigInfo& c = slot.choices[static_cast<size_t>(index)];
    CMatrix3 m;
    CVector3 t;
    GetSlotPlacement(s, m, t);
    if (!c.file.empty()) {
      // The same part again keeps its file; a missing one is listed rather than asked about on
      // every change in the dialog.
      if (r.GetFile() == nullptr || r.GetFileName() != c.file) {
        const int warnings = theSettings.ShowWarnings;
        theSettings.ShowWarnings = 0;
        r.SetFileByName(c.file);
        theSettings.ShowWarnings = warnings;
      }
      if (r.IsFileMissing()) m_missing.push_back(c.file);
      r.hidden = false;
    } else {
      r.SetFileByName(std::string());
      r.hidden = true;
    }
    r.SetPosition(t + m * c.offset);
    r.Rotate(m * c.matrix, CVector3(), kRotateSetOrientation);
    if (s == kSlotNeck && !c.file.empty()) {
      // Something worn on the neck lifts the hat and the head (placed just before, so this never
      // adds up over builds).
      for (int lifted : {kSlotHats, kSlotHead}) {
        const CVector3 p = m_elements[lifted]->GetPosition();
        m_elements[lifted]->SetPosition(CVector3(p.x, p.y - 3, p.z));
      }
    }
  }
}

CQvElement* CMinifigCreator::GetElement(int slot) const {
  return ValidSlot(slot) ? m_elements[slot] : nullptr;
}

size_t CMinifigCreator::TakeVisibleParts(CQvFile& out) {
  size_t moved = 0;
  for (int s = 0; s < kMinifigSlotCount; ++s) {
    CQvElement* r = m_elements[s];
    if (r->hidden) continue;
    out.Append(r->Clone());
    ++moved;
  }
  return moved;
}
