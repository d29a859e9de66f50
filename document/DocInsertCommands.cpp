// The Insert menu's element commands and the outline of a part being dropped into a pane.
//
// A command with a dialog makes its element with the dialog's presets, lets the element's own Edit
// run the dialog (the element editor, model/ElementEditor.h) and inserts it on OK. A command whose
// dialog the editor does not offer is disabled rather than cancelled behind the user's back, except
// the comment and the rotation step, whose presets make sense on their own: they are inserted
// with them (the comment "Type in the comment", the rotation step 0 0 0 ABS).
#include <memory>
#include <new>

#include "config/PartList.h"
#include "document/QuorvelDoc.h"
#include "model/ElementEditor.h"
#include "model/QvBackgroundCmd.h"
#include "model/QvBfc.h"
#include "model/QvBufExchg.h"
#include "model/QvClear.h"
#include "model/QvCommentPart.h"
#include "model/QvElement.h"
#include "model/QvFile.h"
#include "model/QvFivePart.h"
#include "model/QvLinePart.h"
#include "model/QvQuadPart.h"
#include "model/QvRotateCmd.h"
#include "model/QvStepPart.h"
#include "model/QvTrianglePart.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {

// The element type whose dialog the command opens; Step for the commands without one.
ElementType DialogType(InsertCommand what) {
  switch (what) {
    case InsertCommand::Comment: return ElementType::Comment;
    case InsertCommand::RotStep: return ElementType::RotStep;
    case InsertCommand::Background: return ElementType::Background;
    case InsertCommand::BufExchg: return ElementType::BufExchg;
    case InsertCommand::Bfc: return ElementType::Bfc;
    case InsertCommand::Line: return ElementType::Line;
    case InsertCommand::Triangle: return ElementType::Triangle;
    case InsertCommand::Quad: return ElementType::Quad;
    case InsertCommand::CondLine: return ElementType::CondLine;
    default: return ElementType::Step;
  }
}

bool HasDialog(InsertCommand what) {
  return what != InsertCommand::Step && what != InsertCommand::RotStepEnd && what != InsertCommand::Clear;
}

bool UsableWithoutDialog(InsertCommand what) {
  return what == InsertCommand::Comment || what == InsertCommand::RotStep;
}

bool DialogOffered(InsertCommand what) { return HasDialog(what) && TheElementEditor().Offers(DialogType(what)); }

std::unique_ptr<CQvPart> MakeElement(InsertCommand what) {
  switch (what) {
    case InsertCommand::Step: return std::unique_ptr<CQvPart>(new (std::nothrow) CQvStepPart);
    case InsertCommand::Comment:
      return std::unique_ptr<CQvPart>(new (std::nothrow) CQvCommentPart(LoadResString(kStringCommentPreset), kCommentWrite));
    case InsertCommand::RotStep:
    case InsertCommand::RotStepEnd: {
      std::unique_ptr<CQvRotateCmd> rot(new (std::nothrow) CQvRotateCmd);
      // The dialog opens on absolute angles; the end step has its angles at 0.
      if (rot) rot->Set(0, 0, 0, CQvRotateCmd::kAbs, what == InsertCommand::RotStepEnd ? 1 : 0);
      return rot;
    }
    case InsertCommand::Background: return std::unique_ptr<CQvPart>(new (std::nothrow) CQvBackgroundCmd);
    case InsertCommand::Clear: return std::unique_ptr<CQvPart>(new (std::nothrow) CQvClear);
    case InsertCommand::BufExchg: return std::unique_ptr<CQvPart>(new (std::nothrow) CQvBufExchg);
    case InsertCommand::Bfc: return std::unique_ptr<CQvPart>(new (std::nothrow) CQvBfc);
    case InsertCommand::Line: return std::unique_ptr<CQvPart>(new (std::nothrow) CQvLinePart);
    case InsertCommand::Triangle: return std::unique_ptr<CQvPart>(new (std::nothrow) CQvTrianglePart);
    case InsertCommand::Quad: return std::unique_ptr<CQvPart>(new (std::nothrow) CQvQuadPart);
    case InsertCommand::CondLine: return std::unique_ptr<CQvPart>(new (std::nothrow) CQvFivePart);
  }
  return nullptr;
}

}  // namespace

bool CQuorvelDoc::CanInsert(InsertCommand what) const {
  if (!CanAddElements() || !m_activeModel) return false;
  return !HasDialog(what) || UsableWithoutDialog(what) || DialogOffered(what);
}

int CQuorvelDoc::OnInsert(InsertCommand what) {
  if (!CanInsert(what)) return 0;
  std::unique_ptr<CQvPart> element = MakeElement(what);
  if (!element) {
    ShowMessageId(kStringOutOfMemory, PromptButtons::Ok, PromptIcon::Stop);
    return 0;
  }
  if (DialogOffered(what) && element->Edit(*m_activeModel) == 0) return 0;
  return InsertElement(std::move(element));
}

int CQuorvelDoc::MeasureDropPart(uint32_t partHandle, const double viewMatrix[9], DropOutline& outline,
                                 CMatrix3& matrix) {
  const PartListEntry* entry = partHandle ? m_library.partList.GetEntry(partHandle) : nullptr;
  if (!entry || !viewMatrix || !m_activeModel) return 0;
  std::unique_ptr<CQvElement> part(new (std::nothrow) CQvElement);
  if (!part) return 0;
  // At the origin itself (snapped from the origin), not moved to put its corner there.
  part->SetPart(entry->fileName, CVector3(), 1);
  matrix = m_activeModel->GetMatrixForNewPart();
  part->Rotate(matrix, CVector3(), kRotateSetOrientation);
  CMatrix3 view;
  for (int i = 0; i < 9; ++i) view.m[static_cast<size_t>(i)] = viewMatrix[i];
  // Start inverted, so the first point sets both ends.
  CVector3 min(1e30, 1e30, 1e30), max(-1e30, -1e30, -1e30);
  part->ExtendBoundingBox(CVector3(), view, min, max, 0);
  if (min.x > max.x) min = max = CVector3();
  outline = {min.x, min.y, max.x, max.y};
  return 1;
}
