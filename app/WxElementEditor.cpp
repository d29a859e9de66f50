#include "app/WxElementEditor.h"

#include <wx/dialog.h>

#include "dialogs/DlgBfc.h"
#include "dialogs/DlgBgnd.h"
#include "dialogs/DlgBufExchg.h"
#include "dialogs/DlgPrimitive.h"
#include "dialogs/DlgRotPoint.h"
#include "dialogs/DlgRotstep.h"
#include "dialogs/GeneratorEdit.h"
#include "dialogs/SelectPartDlg.h"
#include "dialogs/DlgSelGrpData.h"
#include "dialogs/NewCommentDlg.h"

namespace {
// Runs the dialog and copies its values back on OK.
template <class Dialog, class Data>
bool Run(Dialog& dialog, Data& data) {
  if (dialog.ShowModal() != wxID_OK) return false;
  data = dialog.m_data;
  return true;
}
}  // namespace

bool CWxElementEditor::Offers(ElementType type) const {
  switch (type) {
    case ElementType::Reference:
    case ElementType::Comment:
    case ElementType::Line:
    case ElementType::Triangle:
    case ElementType::Quad:
    case ElementType::CondLine:
    case ElementType::RotStep:
    case ElementType::Background:
    case ElementType::Bfc:
    case ElementType::BufExchg:
    case ElementType::Group:
    case ElementType::RubberBelt:
    case ElementType::Spring:
    case ElementType::Hose:
    case ElementType::ArrowPlate:
      return true;
    default:
      return false;
  }
}

bool CWxElementEditor::EditComment(CommentEdit& data) {
  CNewCommentDlg dialog(Parent(), data);
  return Run(dialog, data);
}

bool CWxElementEditor::EditBfc(BfcEdit& data) {
  CDlgBfc dialog(Parent(), data);
  return Run(dialog, data);
}

bool CWxElementEditor::EditBackground(std::string& fileName) {
  CDlgBgnd dialog(Parent(), fileName, m_library);
  if (dialog.ShowModal() != wxID_OK) return false;
  fileName = dialog.m_fileName;
  return true;
}

bool CWxElementEditor::EditBufExchg(BufExchgEdit& data) {
  CDlgBufExchg dialog(Parent(), data);
  return Run(dialog, data);
}

bool CWxElementEditor::EditGroup(GroupEdit& data) {
  CDlgSelGrpData dialog(Parent(), data);
  return Run(dialog, data);
}

bool CWxElementEditor::EditPrimitive(PrimitiveEdit& data) {
  CDlgPrimitive dialog(Parent(), data);
  return Run(dialog, data);
}

bool CWxElementEditor::EditRotStep(RotStepEdit& data) {
  CDlgRotstep dialog(Parent(), data);
  return Run(dialog, data);
}

bool CWxElementEditor::EditRotationPoint(RotationPointEdit& data) {
  // Cancel leaves the points, the mode and the show flag as they were.
  CDlgRotPoint dialog(Parent(), data);
  return Run(dialog, data);
}

bool CWxElementEditor::ChoosePart(uint32_t& handle) { return RunPartChooser(Parent(), handle, m_library); }

bool CWxElementEditor::EditSpring(SpringParams& params) { return EditSpringInDialog(Parent(), params); }
bool CWxElementEditor::EditHose(HoseParams& params) { return EditHoseInDialog(Parent(), params); }
bool CWxElementEditor::EditRubberBelt(BeltParams& params) { return EditRubberBeltInDialog(Parent(), params); }
bool CWxElementEditor::EditArrow(ArrowParams& params) { return EditArrowInDialog(Parent(), params); }
bool CWxElementEditor::EditPlate(PlateParams& params) { return EditPlateInDialog(Parent(), params); }
