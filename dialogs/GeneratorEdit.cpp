#include "dialogs/GeneratorEdit.h"

#include "dialogs/ArrowGeneratorDlg.h"
#include "dialogs/HoseGeneratorDlg.h"
#include "dialogs/PlateGeneratorDlg.h"
#include "dialogs/RubberBeltDlg.h"
#include "dialogs/SpringDlg.h"

namespace {
template <class Dialog, class Params>
bool EditIn(wxWindow* parent, Params& params) {
  Dialog dialog(parent);
  dialog.m_params = params;
  dialog.m_outputEnabled = 0;
  if (dialog.ShowModal() != wxID_OK) return false;
  params = dialog.m_params;
  return true;
}
}  // namespace

bool EditSpringInDialog(wxWindow* parent, SpringParams& params) { return EditIn<CSpring2datDlg>(parent, params); }
bool EditHoseInDialog(wxWindow* parent, HoseParams& params) { return EditIn<CHoseGeneratorDlg>(parent, params); }
bool EditRubberBeltInDialog(wxWindow* parent, BeltParams& params) { return EditIn<CrubberbeltDlg>(parent, params); }
bool EditArrowInDialog(wxWindow* parent, ArrowParams& params) { return EditIn<CArrowGenerator>(parent, params); }
bool EditPlateInDialog(wxWindow* parent, PlateParams& params) { return EditIn<CPlateGenerator>(parent, params); }
