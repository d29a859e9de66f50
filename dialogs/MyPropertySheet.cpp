#include "dialogs/MyPropertySheet.h"

#include <wx/bookctrl.h>
#include <wx/button.h>
#include <wx/sizer.h>

#include "dialogs/SettingsPageDocument.h"
#include "dialogs/SettingsPageGeneral.h"
#include "dialogs/SettingsPageGrid.h"
#include "dialogs/SettingsPagePrinting.h"
#include "dialogs/SettingsPageRendering.h"
#include "dialogs/SettingsPageViewMode.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {
constexpr int kTabPadding = 60;  // a tab's width beyond its text
}

CMyPropertySheet::CMyPropertySheet(wxWindow* parent) {
  Create(parent, wxID_ANY, wxString::FromUTF8(LoadResString(kStringSettingsCaption)), wxDefaultPosition, wxDefaultSize,
         wxDEFAULT_DIALOG_STYLE, "SettingsSheet");
  wxBookCtrlBase* book = GetBookCtrl();
  m_page1 = new CMyPropertyPage1(book);
  m_page2 = new CMyPropertyPage2(book);
  m_page3 = new CMyPropertyPage3(book);
  m_page4 = new CMyPropertyPage4(book);
  m_page5 = new CMyPropertyPage5(book);
  m_page6 = new CMyPropertyPage6(book);
  for (wxWindow* page : {static_cast<wxWindow*>(m_page1), static_cast<wxWindow*>(m_page2),
                         static_cast<wxWindow*>(m_page3), static_cast<wxWindow*>(m_page4),
                         static_cast<wxWindow*>(m_page5), static_cast<wxWindow*>(m_page6)})
    book->AddPage(page, page->GetName());
  // Wide enough for every tab at once: a scrolled tab row hides pages.
  int tabs = 0;
  for (size_t i = 0; i < book->GetPageCount(); ++i) tabs += book->GetTextExtent(book->GetPageText(i)).x + kTabPadding;
  book->SetMinSize(wxSize(tabs, -1));
  CreateButtons(wxOK | wxCANCEL);
  LayoutDialog();
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    if (Accept()) EndModal(wxID_OK);
  }, wxID_OK);
  // Leaving a page takes its values; a page that does not validate is not left.
  book->Bind(wxEVT_BOOKCTRL_PAGE_CHANGING, [this](wxBookCtrlEvent& event) {
    wxWindow* page = event.GetOldSelection() >= 0 ? GetBookCtrl()->GetPage(event.GetOldSelection()) : nullptr;
    if (page && !page->Validate()) event.Veto();
  });
}

void CMyPropertySheet::SetValues(const SettingsSheetValues& v) {
  m_page1->m_values = v.general;
  m_page2->m_values = v.rendering;
  m_page3->m_values = v.printing;
  m_page4->m_values = v.document;
  m_page5->m_values = v.grid;
  m_page6->m_values = v.viewMode;
  wxBookCtrlBase* book = GetBookCtrl();
  for (size_t i = 0; i < book->GetPageCount(); ++i) book->GetPage(i)->TransferDataToWindow();
}

SettingsSheetValues CMyPropertySheet::GetValues() const {
  SettingsSheetValues v;
  v.general = m_page1->m_values;
  v.rendering = m_page2->m_values;
  v.printing = m_page3->m_values;
  v.document = m_page4->m_values;
  v.grid = m_page5->m_values;
  v.viewMode = m_page6->m_values;
  return v;
}

bool CMyPropertySheet::Accept() {
  wxBookCtrlBase* book = GetBookCtrl();
  for (size_t i = 0; i < book->GetPageCount(); ++i) {
    if (!book->GetPage(i)->Validate()) {
      book->ChangeSelection(i);
      return false;
    }
  }
  for (size_t i = 0; i < book->GetPageCount(); ++i) book->GetPage(i)->TransferDataFromWindow();
  return true;
}
