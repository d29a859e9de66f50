#include "model/GeneratorSink.h"

#include <memory>

#include "config/PartList.h"
#include "model/QvElement.h"
#include "model/QvFile.h"
#include "model/QvStepPart.h"

bool CModelGeneratorSink::HasPart(const std::string& file) {
  return thePartList.FindByName(file, kAllCategories) != 0;
}

bool CModelGeneratorSink::PlacePart(const std::string& file, const CVector3& corner, ColorNumber color,
                                    bool turned) {
  PartHandle handle = thePartList.FindByName(file, kAllCategories);
  const char* name = handle ? thePartList.GetFileName(handle) : nullptr;
  if (!name) return false;
  auto element = std::make_unique<CQvElement>();
  element->SetPart(name, corner, 0);
  element->SetColor(color);
  // The footprint was placed by its extent; the quarter turn then swings it about the origin of
  // the part, which the caller's corner already allows for.
  if (turned) element->Rotate(CMatrix3(0, 0, -1, 0, 1, 0, 1, 0, 0), CVector3(), kRotateSetOrientation);
  m_target.Append(std::move(element));
  return true;
}

void CModelGeneratorSink::AddStep() { m_target.Append(std::make_unique<CQvStepPart>()); }

void CModelGeneratorSink::Clear() { m_target.RemoveAll(); }
