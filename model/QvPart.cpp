#include "model/QvPart.h"

#include "model/SelectionGroup.h"
#include "model/TextHandler.h"
#include "platform/Prompt.h"

void CQvPart::Move(double, double, double, int, double, double, double) {}
int CQvPart::Pick(const CMatrix4DStack&, const CVector3&, double&, int) { return 0; }
int CQvPart::IntersectsRect(const CMatrix4DStack&, const ScreenRect&) { return 0; }
int CQvPart::CanEdit() const { return 0; }

int CQvPart::Edit(CQvFile&) {
  ThePrompt().Beep();
  return 0;
}

void CQvPart::MoveVertex(int, double, double, double) {}

int CQvPart::Write(CTextHandler& out) {
  if (m_group && static_cast<const CQvPart*>(m_group) != this)
    return TextHandlerPrintf(out, "0 TOLVO BTG %s\n", m_group->GetName().c_str());
  // A member line naming a group this file does not have is kept as it was read.
  if (!m_group && !m_pendingGroupName.empty())
    return TextHandlerPrintf(out, "0 TOLVO BTG %s\n", m_pendingGroupName.c_str());
  return 1;
}

int CQvPart::Export(ExportContext&, const CVector3&, const CMatrix3&, ColorNumber) { return 1; }
void CQvPart::Rotate(CMatrix3, const CVector3&, int) {}
void CQvPart::ApplyTransform(const CMatrix3&, const CVector3&) {}
void CQvPart::TransformVertices(const CMatrix3&, const CVector3&) {}
void CQvPart::GetScreenExtent(ScreenPoint&, ScreenRect&, const CMatrix3&) {}
int CQvPart::GetRotationCenter(CVector3&) { return 0; }
int CQvPart::Parse(const std::string&) { return 1; }
void CQvPart::CollectComments(std::vector<std::string>&, uint32_t) {}
void CQvPart::ExtendBoundingBox(const CVector3&, const CMatrix3&, CVector3&, CVector3&, int) {}
void CQvPart::CollectExtentPoints(const CMatrix3&, const CVector3&, std::vector<CVector3>&) {}
void CQvPart::Draw(C3DStub&, PickId, const DrawContext&) {}
void CQvPart::ReleaseModelRef(const CQvFile*) {}

bool CQvPart::IsLinePrimitive() const {
  uint16_t t = GetTypeCode();
  return t >= ToCode(ElementType::Line) && t <= ToCode(ElementType::CondLine);
}

bool CQvPart::IsPartLike() const {
  switch (m_type) {
    case ElementType::Reference:
    case ElementType::RubberBelt:
    case ElementType::Spring:
    case ElementType::Hose:
      return true;
    default:
      return false;
  }
}

void CQvPart::CopyBase(CQvPart& clone) const {
  clone.m_type = m_type;
  clone.m_color = m_color;
  clone.ghost = ghost;
  clone.stepBoundary = stepBoundary;
  clone.hidden = hidden;
  clone.movable = movable;
  clone.stepContent = stepContent;
  clone.selected = false;
  clone.m_group = nullptr;
}

void CQvPart::DescribeFlags(ElementDescription& out) const {
  out.typeFlags = GetTypeCode();
  if (hidden) {
    out.typeFlags |= kDescribeHidden;
    out.text = "Hidden";
  }
  if (ghost) {
    out.typeFlags |= kDescribeGhost;
    out.text = out.text.empty() ? "Ghost" : out.text + " & Ghost";
  }
}
