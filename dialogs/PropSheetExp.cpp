#include "dialogs/PropSheetExp.h"

#include <wx/bookctrl.h>
#include <wx/button.h>
#include <wx/sizer.h>

#include "dialogs/PropPageExp1.h"
#include "dialogs/PropPageExp2.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

CPropSheetExp::CPropSheetExp(wxWindow* parent, const ExportChoice& choice) : m_choice(choice) {
  Create(parent, wxID_ANY, wxString::FromUTF8(LoadResString(kStringExportFilesCaption)), wxDefaultPosition,
         wxDefaultSize, wxDEFAULT_DIALOG_STYLE, "ExportSheet");
  wxBookCtrlBase* book = GetBookCtrl();
  m_page1 = new CPropPageExp1(book, choice.modelNames, choice.modelSteps);
  m_page2 = new CPropPageExp2(book);
  m_page1->SetValues(choice.options);
  m_page2->SetValues(choice.options);
  book->AddPage(m_page1, m_page1->GetName());
  book->AddPage(m_page2, m_page2->GetName());
  CreateButtons(wxOK | wxCANCEL);
  LayoutDialog();
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    if (Accept()) EndModal(wxID_OK);
  }, wxID_OK);
  // Leaving page 1 takes its fields; a page whose fields do not do is not left.
  book->Bind(wxEVT_BOOKCTRL_PAGE_CHANGING, [this](wxBookCtrlEvent& event) {
    ExportChoice probe = m_choice;
    const int old = event.GetOldSelection();
    const bool ok = old == 0   ? m_page1->ReadFields(probe.options, probe.modelSelection, probe.stepSelection)
                    : old == 1 ? m_page2->ReadFields(probe.options)
                               : true;
    if (!ok) event.Veto();
  });
}

bool CPropSheetExp::Accept() {
  ExportChoice c = m_choice;
  if (!m_page1->ReadFields(c.options, c.modelSelection, c.stepSelection)) {
    GetBookCtrl()->ChangeSelection(0);
    return false;
  }
  if (!m_page2->ReadFields(c.options)) {
    GetBookCtrl()->ChangeSelection(1);
    return false;
  }
  switch (ValidateExport(c.options, c.modelSelection, c.stepSelection)) {
    case 1: GetBookCtrl()->ChangeSelection(0); return false;
    case 2: GetBookCtrl()->ChangeSelection(1); return false;
    default: break;
  }
  c.stepCount = static_cast<int>(c.stepSelection.size());
  m_choice = c;
  return true;
}
